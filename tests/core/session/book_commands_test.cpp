#include "core/session/book_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ledger/record.h"
#include "core/session/file_commands.h"
#include "session_harness.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;
using testing::SessionHarness;

const std::string kCheck = "確認してください。|";

// The example ledger (cash book 6,780 after a transfer of 3,000 to 本店, which opens at
// 5,000) with a bank book and one more cash record in May.
struct BookHarness : SessionHarness {
    BookHarness() {
        path = CopyExample("a.exv");
        EXPECT_TRUE(LoadLedger(session, path));
        session.ledger.transactions.Add(
            "d05=,2014/05/10,2,雑費,文具,0,780,,現金,現金出納帳,現金,現金出納帳,");
        session.ledger.bankRegistry.Add("z,預金,A銀行,1000000,");
        session.RecomputeCurrent();
    }
    std::string path;
};

std::vector<std::string> Labels(const std::vector<BookBalanceRow>& rows) {
    std::vector<std::string> out;
    for (const auto& row : rows) out.push_back(row.HiddenText());
    return out;
}

TEST(BookBalanceList, EveryBookWithItsBalanceOfTheCurrentMonth) {
    BookHarness h;
    auto rows = BookBalanceList(h.session);
    EXPECT_EQ(Labels(rows),
              (Lines{"現金;現金出納帳;6,000;", "小口;本店;8,000;", "預金;A銀行;1,000,000;"}));
    EXPECT_EQ(rows[1].Label(), "小口|本店");

    h.session.currentMonth = 4;
    rows = BookBalanceList(h.session);
    EXPECT_EQ(rows[0].balanceText, "6,780");
    h.session.currentMonth = 13;  // all months: the year-end balance
    EXPECT_EQ(BookBalanceList(h.session)[0].balanceText, "6,000");

    h.session.ledger.pettyRegistry.Add("z,小口,赤字,-1234.5,");
    EXPECT_EQ(BookBalanceList(h.session)[2].HiddenText(), "小口;赤字;-1,235;");
}

// The ledger view runs both in one walk; the result must be the two steps' exactly, lines
// and balances, whichever book is current.
TEST(BookBalanceListAndRecomputeCurrent, GivesTheListThenTheCurrentBooksRecomputation) {
    const std::vector<BookId> currents{
        {"現金", "現金出納帳"}, {"小口", "本店"}, {"預金", "A銀行"}, {"全帳簿", "全帳簿"}};
    for (const BookId& current : currents) {
        BookHarness twoSteps;
        BookHarness oneWalk;
        for (BookHarness* h : {&twoSteps, &oneWalk}) {
            auto& list = h->session.ledger.transactions;
            list.Add("d05=,2014/05/12,3,預金,預け入れ,0,2000,1,現金,現金出納帳,預金,A銀行,");
            list.Add("d05=,2014/05/13,4,小口現金,\"戻し,a\",500,0,,小口,本店,預金,A銀行,");
            list.Add("d06=,2014/06/01,5,交通費,バス代,0,220,0");  // the earlier eight fields
            h->session.currentBook = current;
            h->session.currentMonth = 5;
            h->session.balances = Balances{};
        }
        const auto expectedRows = BookBalanceList(twoSteps.session);
        twoSteps.session.RecomputeCurrent();
        const auto rows = BookBalanceListAndRecomputeCurrent(oneWalk.session);

        EXPECT_EQ(Labels(rows), Labels(expectedRows)) << current.name;
        EXPECT_EQ(oneWalk.session.RecordLines(), twoSteps.session.RecordLines()) << current.name;
        const Balances& expected = twoSteps.session.balances;
        const Balances& actual = oneWalk.session.balances;
        EXPECT_EQ(actual.monthEnd, expected.monthEnd) << current.name;
        EXPECT_EQ(actual.current, expected.current) << current.name;
        EXPECT_EQ(actual.currentMonth, expected.currentMonth) << current.name;
        EXPECT_EQ(actual.starting, expected.starting) << current.name;
    }

    // The figures themselves with 本店 current: the list, and 本店's balances in its records.
    BookHarness h;
    h.session.ledger.transactions.Add(
        "d05=,2014/05/13,4,小口現金,戻し,500,0,,小口,本店,預金,A銀行,");
    h.session.currentBook = {"小口", "本店"};
    h.session.currentMonth = 5;
    EXPECT_EQ(Labels(BookBalanceListAndRecomputeCurrent(h.session)),
              (Lines{"現金;現金出納帳;6,000;", "小口;本店;8,500;", "預金;A銀行;999,500;"}));
    EXPECT_EQ(h.session.balances.current, Amount::FromYen(8500));
    EXPECT_EQ(h.session.balances.starting, Amount::FromYen(5000));
    EXPECT_EQ(RecordSplit(h.session.RecordLines()[3])[kFieldBalance], "8500");
    EXPECT_EQ(RecordSplit(h.session.RecordLines()[1])[kFieldBalance], "8000");
}

TEST(SelectBook, PanelsFollowTheSelection) {
    BookHarness h;
    SelectBook(h.session, {"小口", "本店"});
    EXPECT_EQ(h.session.currentBook, (BookId{"小口", "本店"}));
    EXPECT_EQ(h.session.balances.current, Amount::FromYen(8000));
    SelectAllBooks(h.session);
    EXPECT_EQ(h.session.currentBook, (BookId{"全帳簿", "全帳簿"}));
    EXPECT_TRUE(h.session.allBooks);
    EXPECT_EQ(h.session.lastSelectedBook, (BookId{"小口", "本店"}));
    SelectCashBook(h.session);
    EXPECT_EQ(h.session.currentBook, (BookId{"現金", "現金出納帳"}));
    EXPECT_EQ(h.session.balances.current, Amount::FromYen(6000));
    EXPECT_EQ(BookNames(h.session, "預金"), Lines{"A銀行"});
}

TEST(AddBook, RefusalsAndTheNewRegistryLine) {
    BookHarness h;
    h.session.modified = false;
    EXPECT_FALSE(AddBook(h.session, "小口", "", Amount()));
    EXPECT_FALSE(AddBook(h.session, "小口", "　 ", Amount()));
    EXPECT_FALSE(AddBook(h.session, "小口", "本店", Amount()));
    EXPECT_FALSE(AddBook(h.session, "小口", "本\"店,", Amount()));
    EXPECT_FALSE(AddBook(h.session, "小口", "店😀", Amount()));
    EXPECT_EQ(
        h.dialogs.Infos(),
        (Lines{kCheck + "帳簿名を入力してください。", kCheck + "帳簿名を入力してください。",
               kCheck + "同じ名前の帳簿が存在します。", kCheck + "同じ名前の帳簿が存在します。",
               kCheck + "「😀」はCP932(Shift_JIS)で保存できない文字です。"}));
    EXPECT_EQ(h.session.ledger.pettyRegistry.Count(), 1);
    EXPECT_FALSE(h.session.modified);

    // Names are unique within a kind only.
    EXPECT_TRUE(AddBook(h.session, "預金", "本店", Amount()));
    EXPECT_TRUE(AddBook(h.session, "小口", "東京\"支店\",", Amount::FromYen(300)));
    EXPECT_EQ(h.session.ledger.bankRegistry.Items(),
              (Lines{"z,預金,A銀行,1000000,", "z,預金,本店,0,"}));
    EXPECT_EQ(h.session.ledger.pettyRegistry.Items(),
              (Lines{"z,小口,本店,5000,", "z,小口,東京支店,300,"}));
    EXPECT_TRUE(h.session.modified);
    EXPECT_EQ(h.dialogs.Infos().size(), 5u);
}

TEST(RenameBook, RenamesBothSidesOfTransfersAndMovesTheSelection) {
    BookHarness h;
    h.session.ledger.transactions.Add(
        "d05=,2014/05/11,3,小口現金,戻し,0,100,,小口,本店,現金,現金出納帳,");
    h.session.ledger.pettyRegistry.Add("z,小口,支店,0,");
    SelectBook(h.session, {"小口", "本店"});
    h.session.modified = false;

    EXPECT_FALSE(RenameBook(h.session, "小口", 0, "支店", Amount()));
    EXPECT_FALSE(RenameBook(h.session, "小口", 0, "", Amount()));
    EXPECT_FALSE(RenameBook(h.session, "小口", 5, "中央", Amount()));
    EXPECT_EQ(h.dialogs.Infos(), (Lines{kCheck + "同じ名前の帳簿が存在します。",
                                        kCheck + "帳簿名を入力してください。"}));
    EXPECT_FALSE(h.session.modified);

    ASSERT_TRUE(RenameBook(h.session, "小口", 0, "中央", Amount::FromYen(6000)));
    const auto& list = h.session.RecordLines();
    EXPECT_EQ(list[1],
              "d04=,2014/04/03,1,小口現金,小口へ補充,0,3000,9000,現金,現金出納帳,小口,中央,");
    EXPECT_EQ(list[3], "d05=,2014/05/11,3,小口現金,戻し,0,100,8900,小口,中央,現金,現金出納帳,");
    EXPECT_EQ(h.session.ledger.pettyRegistry[0], "z,小口,中央,6000,");
    EXPECT_EQ(h.session.currentBook, (BookId{"小口", "中央"}));
    EXPECT_EQ(h.session.lastSelectedBook, (BookId{"小口", "中央"}));
    EXPECT_EQ(h.session.balances.current, Amount::FromYen(8900));
    EXPECT_TRUE(h.session.modified);

    // Keeping the name changes only the balance; a bank book may bear the same name.
    ASSERT_TRUE(RenameBook(h.session, "小口", 0, "中央", Amount::FromYen(1)));
    EXPECT_EQ(h.session.ledger.pettyRegistry[0], "z,小口,中央,1,");
    ASSERT_TRUE(RenameBook(h.session, "預金", 0, "中央", Amount::FromYen(2)));
    EXPECT_EQ(h.session.ledger.bankRegistry[0], "z,預金,中央,2,");
    EXPECT_EQ(RecordSplit(list[1])[kFieldOtherName], "中央");
    EXPECT_EQ(h.session.currentBook, (BookId{"小口", "中央"}));
}

TEST(DeleteBook, RemovesTheBookAndEveryRecordOnEitherSide) {
    BookHarness h;
    h.session.ledger.pettyRegistry.Add("z,小口,A銀行,0,");
    SelectBook(h.session, {"小口", "本店"});
    h.dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(DeleteBook(h.session, "小口", 0));
    EXPECT_EQ(h.dialogs.Log(),
              Lines{"yesno:現金出納帳5-Velmora Version5|本店を削除していいですか？"});
    EXPECT_EQ(h.session.ledger.transactions.Count(), 3);

    ASSERT_TRUE(DeleteBook(h.session, "小口", 0));
    EXPECT_EQ(h.session.ledger.transactions.Count(), 2);
    EXPECT_EQ(h.session.ledger.pettyRegistry.Items(), Lines{"z,小口,A銀行,0,"});
    // The deleted book was current: the cash book is, without the transfer of 3,000.
    EXPECT_EQ(h.session.currentBook, (BookId{"現金", "現金出納帳"}));
    EXPECT_EQ(h.session.lastSelectedBook, (BookId{"現金", "現金出納帳"}));
    EXPECT_EQ(h.session.balances.current, Amount::FromYen(9000));
    EXPECT_TRUE(h.session.modified);

    // A petty-cash book named like a bank book goes alone.
    h.session.ledger.transactions.Add(
        "d06=,2014/06/01,4,預金,入金,0,100,,現金,現金出納帳,預金,A銀行,");
    ASSERT_TRUE(DeleteBook(h.session, "小口", 0));
    EXPECT_EQ(h.session.ledger.transactions.Count(), 3);
    EXPECT_EQ(h.session.ledger.bankRegistry.Count(), 1);
    EXPECT_EQ(h.session.balances.current, Amount::FromYen(8900));
}

TEST(BookLists, ListLinesAndTypedNames) {
    EXPECT_EQ(PettyListLine("z,小口,本店,5000,"), "本店" + std::string(18, ' ') +
                                                      "前年度残:" + std::string(5, ' ') +
                                                      std::string(6, ' ') + "\\5,000");
    EXPECT_EQ(PettyListLine("z,小口,本店,abc,"),
              "本店" + std::string(18, ' ') + "前年度残:" + std::string(15, ' ') + "\\0");
    EXPECT_EQ(BankListLine("z,預金,A銀行,1000,"), "A銀行　　　前年度残:1000円");

    EXPECT_EQ(CutBookName("一二三四五六七八九十壱"), "一二三四五六七八九十");
    EXPECT_EQ(CutBookName("ABCDEFGHIJKLMNOPQ"), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(CutBookName("ABCDEFGHIJ一二三四五六"), "ABCDEFGHIJ一二三四五");
    EXPECT_EQ(CutBookName("本店"), "本店");
}

}  // namespace
}  // namespace velmora
