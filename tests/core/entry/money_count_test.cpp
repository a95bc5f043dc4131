// "金種計算": the rows, the total, the book's balance at the end of the chosen day, and the
// counts kept between runs.
#include "core/entry/money_count.h"

#include <gtest/gtest.h>

#include "core/ledgerview/view_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

TEST(MoneyCount, RowsTotalAndTheCashBooksBalanceAtTheDaysEnd) {
    ViewFixture f;
    f.Show();
    MoneyCount count;
    count.counts = {1, 0, 1, 3, 0, 4, 1, 2, 0, 7};
    EXPECT_EQ(count.RowAmount(3), Amount::FromYen(3000));
    EXPECT_EQ(count.Total(), Amount::FromYen(10000 + 2000 + 3000 + 400 + 50 + 20 + 7));
    // The cash book: 10000 opening, on 04/01 220 out and 5000 in, 04/03 1000 to the bank.
    const Ledger& ledger = f.session.ledger;
    EXPECT_EQ(CashBalanceAtDayEnd(ledger, Date::FromYmd(2014, 3, 31)), Amount::FromYen(10000));
    const Amount atDay = CashBalanceAtDayEnd(ledger, Date::FromYmd(2014, 4, 5));
    EXPECT_EQ(atDay.PlainText(), "12280");  // the grid's balance after the taxi on 04/05
    EXPECT_EQ(count.Difference(atDay), Amount::FromYen(15477 - 12280));
}

TEST(MoneyCount, TheBalanceIsNamedByTheUseTypeAndCountsAreWholeNumbersFromZero) {
    ViewFixture f;
    EXPECT_EQ(MoneyCountBalanceOn(f.session.ledger, Date::FromYmd(2014, 4, 5)).caption,
              "現金出納帳残高 (2014/04/05)");
    f.session.ledger.useType = 2;
    const MoneyCountBalance balance =
        MoneyCountBalanceOn(f.session.ledger, Date::FromYmd(2014, 3, 31));
    EXPECT_EQ(balance.caption, "おこづかい帳残高 (2014/03/31)");
    EXPECT_EQ(balance.balance, Amount::FromYen(10000));
    EXPECT_EQ(MoneyCountDayCaption(kMoneyTodayCaption, Date::FromYmd(2014, 6, 10)),
              "今日 (2014/06/10)");

    NumberField box;
    SetUpCountField(box);
    box.Enter();
    for (char32_t c : {U'-', U'5'}) box.TypeChar(c);  // a sign that reached the box anyway
    EXPECT_EQ(box.Value(), 0);
    box.Leave();
    EXPECT_EQ(box.Text(), "");
    box.SetValue(12.7);
    EXPECT_EQ(box.Value(), 12);
    box.SetValue(1e9);
    EXPECT_EQ(box.AsInt64(), kMoneyCountLimit);
    EXPECT_TRUE(IsCountCharacter(U'7'));
    EXPECT_TRUE(IsCountCharacter(U'７'));
    for (char32_t c : {U'-', U'+', U'.', U'e', U'－'}) EXPECT_FALSE(IsCountCharacter(c));
}

TEST(MoneyCount, CountsAreKeptInTheWorkingFolder) {
    TempFolder work;
    DiskFileWriter writer;
    EXPECT_EQ(LoadMoneyCount(work.Path()).Total(), Amount());
    MoneyCount count;
    count.counts = {2, 0, 0, 5, 1, 0, 0, 0, 0, 3};
    SaveMoneyCount(work.Path(), count, writer);
    EXPECT_EQ(ReadBytes(work.File(kMoneyCountFileName)),
              "10000,2\r\n5000,0\r\n2000,0\r\n1000,5\r\n500,1\r\n100,0\r\n50,0\r\n10,0\r\n5,0\r\n"
              "1,3\r\n");
    EXPECT_EQ(LoadMoneyCount(work.Path()).counts, count.counts);
    // What is not a count of a kind we know is read as none.
    WriteBytes(work.File(kMoneyCountFileName), "10000,x\n3,4\n5,-1\n100,12\n1,99999999\n");
    EXPECT_EQ(LoadMoneyCount(work.Path()).counts,
              (std::array<std::int64_t, kMoneyKinds>{0, 0, 0, 0, 0, 12, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace velmora::testing
