#include "core/ledger/balances.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ledger/record.h"

namespace velmora {
namespace {

// The fiscal year April 2014 to March 2015 with month-end periods.
Ledger FiscalYear2014(int openingYen) {
    Ledger ledger;
    ledger.startMonth = 4;
    ledger.startYear = 2014;
    ledger.openingBalance = Amount::FromYen(openingYen);
    for (int k = 1; k <= 12; ++k) {
        int year = k >= 4 ? 2014 : 2015;
        ledger.periods.start[k] = Date::FromYmd(year, k, 1);
        ledger.periods.end[k] = Date::FromYmd(year, k, DaysInMonth(year, k));
    }
    return ledger;
}

std::string Record(const std::string& date, const std::string& income, const std::string& expense,
                   const std::string& own = "現金,現金出納帳",
                   const std::string& other = "現金,現金出納帳") {
    return "d00=," + date + ",0,科目,摘要," + income + "," + expense + ",," + own + "," + other +
           ",";
}

std::string BalanceField(const Ledger& ledger, int line) {
    return std::string(RecordSplit(ledger.transactions[line])[kFieldBalance]);
}

// Month-end balances in fiscal order April..March, in whole yen.
std::vector<long long> FiscalMonthEnds(const Balances& b, int startMonth = 4) {
    std::vector<long long> out;
    for (int i = 0; i < 12; ++i)
        out.push_back(
            b.monthEnd[static_cast<std::size_t>(FiscalMonthAt(startMonth, i))].TruncatedYen());
    return out;
}

TEST(Recompute, CashBookRunningAndMonthEndBalances) {
    Ledger ledger = FiscalYear2014(10000);
    ledger.transactions.Add(Record("2014/04/05", "500", "0"));
    ledger.transactions.Add(Record("2014/04/20", "0", "2000"));
    Balances b;
    Recompute(ledger, b, 0, "現金出納帳", "現金", 7);
    EXPECT_EQ(BalanceField(ledger, 0), "10500");
    EXPECT_EQ(BalanceField(ledger, 1), "8500");
    EXPECT_EQ(FiscalMonthEnds(b), std::vector<long long>(12, 8500));
    EXPECT_EQ(b.current, Amount::FromYen(8500));
    EXPECT_EQ(b.currentMonth, Amount::FromYen(8500));
    EXPECT_EQ(b.starting, Amount::FromYen(10000));

    // Months before a book's first record keep the starting balance; months without
    // records carry the last earlier month.
    ledger.transactions.Put(1, Record("2014/06/20", "0", "2000"));
    ledger.transactions.Insert(0, Record("2014/03/31", "0", "0.25"));  // before the year
    Recompute(ledger, b, 0, "現金出納帳", "現金", 5);
    EXPECT_EQ(BalanceField(ledger, 0), "9999.75");
    EXPECT_EQ(BalanceField(ledger, 1), "10499.75");
    EXPECT_EQ(BalanceField(ledger, 2), "8499.75");
    EXPECT_EQ(b.monthEnd[4], Amount::FromRaw(104997500));
    EXPECT_EQ(b.monthEnd[5], Amount::FromRaw(104997500));
    EXPECT_EQ(b.monthEnd[6], Amount::FromRaw(84997500));
    EXPECT_EQ(b.monthEnd[3], Amount::FromRaw(84997500));
    EXPECT_EQ(b.currentMonth, Amount::FromRaw(104997500));

    // All months shown: the balance at the end of the year.
    Recompute(ledger, b, 0, "現金出納帳", "現金", 13);
    EXPECT_EQ(b.currentMonth, Amount::FromRaw(84997500));
}

TEST(Recompute, ABalanceBeyondTheAmountRangeStopsAtTheLimitAndIsReported) {
    Ledger ledger = FiscalYear2014(0);
    ledger.transactions.Add(Record("2014/04/05", "922337203685477", "0"));
    ledger.transactions.Add(Record("2014/04/06", "1", "0"));
    ledger.transactions.Add(Record("2014/04/07", "0", "5"));
    const std::vector<std::string> lines = ledger.transactions.Items();
    EXPECT_TRUE(BalancesOverflow(ledger, {ledger.CashBook()}));
    EXPECT_EQ(ledger.transactions.Items(), lines);  // the check changes no line
    Balances b;
    Recompute(ledger, b, 0, "現金出納帳", "現金", 4);
    EXPECT_TRUE(b.overflow);
    EXPECT_EQ(BalanceField(ledger, 0), "922337203685477");
    EXPECT_EQ(BalanceField(ledger, 1), "922337203685477.5807");
    EXPECT_EQ(BalanceField(ledger, 2), "922337203685472.5807");

    // Downwards, on the other side of a transfer.
    ledger.transactions.Assign({Record("2014/04/05", "0", "922337203685477", "小口,A", "小口,A"),
                                Record("2014/04/06", "2", "0", "現金,現金出納帳", "小口,A")});
    const BookId a{"小口", "A"};
    EXPECT_TRUE(BalancesOverflow(ledger, {ledger.CashBook(), a}));
    EXPECT_FALSE(BalancesOverflow(ledger, {ledger.CashBook()}));
    Recompute(ledger, b, 0, "A", "小口", 4);
    EXPECT_TRUE(b.overflow);
    EXPECT_EQ(BalanceField(ledger, 1), "-922337203685477.5808");
    Recompute(ledger, b, 0, "現金出納帳", "現金", 4);
    EXPECT_FALSE(b.overflow);
    EXPECT_EQ(BalanceField(ledger, 1), "2");
}

TEST(Recompute, BookWithoutRecordsKeepsItsOpeningBalance) {
    Ledger ledger = FiscalYear2014(10000);
    ledger.pettyRegistry.Add("z,小口,本店,3000,");
    ledger.transactions.Add(Record("2014/04/05", "500", "0"));
    Balances b;
    Recompute(ledger, b, 0, "本店", "小口", 4);
    EXPECT_EQ(FiscalMonthEnds(b), std::vector<long long>(12, 3000));
    EXPECT_EQ(b.current, Amount::FromYen(3000));
    EXPECT_EQ(BalanceField(ledger, 0), "");  // another book's record is not touched

    // An empty ledger carries its opening balance as the current one.
    ledger.transactions.Clear();
    Recompute(ledger, b, 0, "現金出納帳", "現金", 4);
    EXPECT_EQ(b.current, Amount::FromYen(10000));
    EXPECT_EQ(b.currentMonth, Amount::FromYen(10000));

    // The all-books view is not a book: it starts from 0 and no record belongs to it.
    Recompute(ledger, b, 0, "全帳簿", "全帳簿", 4);
    EXPECT_EQ(b.current, Amount());
}

TEST(Recompute, TransfersCountOnBothBooks) {
    Ledger ledger = FiscalYear2014(10000);
    ledger.pettyRegistry.Add("z,小口,A,1000,");
    ledger.transactions.Add(Record("2014/04/03", "0", "1000", "現金,現金出納帳", "小口,A"));
    // A record whose two sides name the same book counts once, as its own book.
    ledger.transactions.Add(Record("2014/04/04", "100", "0", "小口,A", "小口,A"));
    ledger.transactions.Add(Record("2014/05/04", "30", "0", "小口,A", "現金,現金出納帳"));
    Balances b;
    Recompute(ledger, b, 0, "現金出納帳", "現金", 4);
    EXPECT_EQ(BalanceField(ledger, 0), "9000");
    EXPECT_EQ(BalanceField(ledger, 2), "8970");
    EXPECT_EQ(b.current, Amount::FromYen(8970));

    Recompute(ledger, b, 0, "A", "小口", 4);
    EXPECT_EQ(BalanceField(ledger, 0), "2000");
    EXPECT_EQ(BalanceField(ledger, 1), "2100");
    EXPECT_EQ(BalanceField(ledger, 2), "2130");
    EXPECT_EQ(b.monthEnd[4], Amount::FromYen(2100));
    EXPECT_EQ(b.monthEnd[5], Amount::FromYen(2130));
}

TEST(Recompute, DatesOutsideTheYearCountInItsFirstAndLastMonth) {
    Ledger ledger = FiscalYear2014(0);
    ledger.transactions.Add(Record("2014/03/20", "100", "0"));
    ledger.transactions.Add(Record("2014/06/10", "10", "0"));
    ledger.transactions.Add(Record("2015/04/05", "1000", "0"));
    Balances b;
    Recompute(ledger, b, 0, "現金出納帳", "現金", 4);
    EXPECT_EQ(FiscalMonthEnds(b), (std::vector<long long>{100, 100, 110, 110, 110, 110, 110, 110,
                                                          110, 110, 110, 1110}));
    EXPECT_EQ(b.current, Amount::FromYen(1110));
}

TEST(Recompute, FromALaterLineStartsAtTheNearestEarlierRecordOfTheBook) {
    Ledger ledger = FiscalYear2014(1000);
    ledger.pettyRegistry.Add("z,小口,本店,3000,");
    ledger.transactions.Add(Record("2014/04/05", "100", "0"));
    ledger.transactions.Add(Record("2014/05/01", "50", "0", "小口,本店", "小口,本店"));
    ledger.transactions.Add(Record("2014/06/01", "0", "300"));
    ledger.transactions.Add(Record("2014/07/01", "0", "20", "小口,本店", "小口,本店"));
    Balances cash;
    Recompute(ledger, cash, 0, "現金出納帳", "現金", 4);
    EXPECT_EQ(FiscalMonthEnds(cash), (std::vector<long long>{1100, 1100, 800, 800, 800, 800, 800,
                                                             800, 800, 800, 800, 800}));

    // The June record changes; the walk restarts from it.
    ledger.transactions.Put(2, Record("2014/06/01", "0", "400"));
    cash.monthEnd[4] = Amount::FromYen(-1);  // earlier months are left as they are
    Recompute(ledger, cash, 2, "現金出納帳", "現金", 4);
    EXPECT_EQ(cash.starting, Amount::FromYen(1100));
    EXPECT_EQ(BalanceField(ledger, 2), "700");
    EXPECT_EQ(cash.monthEnd[4], Amount::FromYen(-1));
    EXPECT_EQ(cash.monthEnd[5], Amount::FromYen(1100));
    EXPECT_EQ(cash.monthEnd[6], Amount::FromYen(700));
    EXPECT_EQ(cash.monthEnd[3], Amount::FromYen(700));
    EXPECT_EQ(cash.current, Amount::FromYen(700));

    // Line 1 is the petty-cash book's first record: it starts from the registry balance,
    // not from the cash record before it.
    Balances petty;
    Recompute(ledger, petty, 1, "本店", "小口", 4);
    EXPECT_EQ(petty.starting, Amount::FromYen(3000));
    EXPECT_EQ(BalanceField(ledger, 1), "3050");
    EXPECT_EQ(BalanceField(ledger, 3), "3030");
    EXPECT_EQ(petty.current, Amount::FromYen(3030));
    EXPECT_EQ(BalanceField(ledger, 0), "1100");
}

TEST(Recompute, CompletesOldFormRecordsAsCashBookRecords) {
    Ledger ledger = FiscalYear2014(10000);
    ledger.useType = 2;
    ledger.transactions.Add("d04=,2014/04/05,1,交通費,バス代,0,220,780");
    ledger.transactions.Add("d04=,2014/04/06,2,交通費,バス代,0,100,680,現金");
    Balances b;
    Recompute(ledger, b, 0, "おこづかい帳", "現金", 4);
    EXPECT_EQ(ledger.transactions[0],
              "d04=,2014/04/05,1,交通費,バス代,0,220,9780,現金,おこづかい帳,現金,おこづかい帳,");
    EXPECT_EQ(ledger.transactions[1],
              "d04=,2014/04/06,2,交通費,バス代,0,100,9680,現金,おこづかい帳,現金,おこづかい帳,");
}

TEST(RetagPeriods, TagsEveryRecordWithThePeriodOfItsDate) {
    Ledger ledger = FiscalYear2014(0);
    ledger.periods.end[4] = Date::FromYmd(2014, 5, 10);  // overlaps May: the later slot wins
    ledger.transactions.Add(Record("2014/04/30", "1", "0"));
    ledger.transactions.Add(Record("2014/05/05", "1", "0"));
    ledger.transactions.Add(Record("2015/03/31", "1", "0"));
    ledger.transactions.Add(Record("2014/03/01", "1", "0"));  // before the year
    ledger.transactions.Add(Record("2015/05/01", "1", "0"));  // after it
    ledger.transactions.Add("d09=,2014/12/24,7,t,d,0,5,3");
    RetagPeriods(ledger);
    std::vector<std::string> tags;
    for (const auto& line : ledger.transactions.Items())
        tags.emplace_back(RecordSplit(line)[kFieldTag]);
    EXPECT_EQ(tags, (std::vector<std::string>{"d04=", "d05=", "d03=", "d04=", "d03=", "d12="}));
    EXPECT_EQ(ledger.transactions[0],
              "d04=,2014/04/30,0,科目,摘要,1,0,,現金,現金出納帳,現金,現金出納帳,");
    EXPECT_EQ(ledger.transactions[5],
              "d12=,2014/12/24,7,t,d,0,5,3,現金,現金出納帳,現金,現金出納帳,");
}

}  // namespace
}  // namespace velmora
