// RecomputeBooks walks the list once for several books; the book balance list relies on
// it giving exactly what Recompute gives for each book in turn, lines included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ledger/balances.h"
#include "core/ledger/record.h"

namespace velmora {
namespace {

Ledger Year2014WithBooks() {
    Ledger ledger;
    ledger.startMonth = 4;
    ledger.startYear = 2014;
    ledger.openingBalance = Amount::FromYen(10000);
    for (int k = 1; k <= 12; ++k) {
        const int year = k >= 4 ? 2014 : 2015;
        ledger.periods.start[k] = Date::FromYmd(year, k, 1);
        ledger.periods.end[k] = Date::FromYmd(year, k, DaysInMonth(year, k));
    }
    ledger.pettyRegistry.Add("z,小口,本店,5000,");
    ledger.pettyRegistry.Add("z,小口,支店,abc,");
    ledger.bankRegistry.Add("z,預金,A銀行,100000,");
    return ledger;
}

struct Walked {
    std::vector<std::string> lines;
    std::vector<Balances> balances;
};

Walked OneAfterAnother(Ledger ledger, const std::vector<BookId>& books, int currentMonth) {
    Walked walked;
    for (const BookId& book : books) {
        Balances balances;
        Recompute(ledger, balances, 0, book.name, book.kind, currentMonth);
        walked.balances.push_back(balances);
    }
    walked.lines = ledger.transactions.Items();
    return walked;
}

Walked InOneWalk(Ledger ledger, const std::vector<BookId>& books, int currentMonth) {
    Walked walked;
    walked.balances = RecomputeBooks(ledger, books, currentMonth);
    walked.lines = ledger.transactions.Items();
    return walked;
}

void ExpectSameBalances(const Balances& expected, const Balances& actual, std::size_t book) {
    for (int k = 1; k <= 13; ++k)
        EXPECT_EQ(expected.monthEnd[static_cast<std::size_t>(k)],
                  actual.monthEnd[static_cast<std::size_t>(k)])
            << "book " << book << " slot " << k;
    EXPECT_EQ(expected.current, actual.current) << "book " << book;
    EXPECT_EQ(expected.currentMonth, actual.currentMonth) << "book " << book;
    EXPECT_EQ(expected.starting, actual.starting) << "book " << book;
}

TEST(RecomputeBooks, GivesWhatRecomputeGivesBookAfterBook) {
    Ledger ledger = Year2014WithBooks();
    auto& list = ledger.transactions;
    list.Add("d04=,2014/03/20,0,売上,前年度分,3000,0,,現金,現金出納帳,現金,現金出納帳,");
    list.Add("d04=,2014/04/03,1,小口現金,補充,0,3000,,現金,現金出納帳,小口,本店,");
    // The earlier eight-field form: a cash-book record.
    list.Add("d04=,2014/04/05,2,交通費,バス代,0,220,780");
    list.Add("d05=,2014/05/10,3,預金,引出,20000,0,999,現金,現金出納帳,預金,A銀行,");
    // A quoted description: rewritten by the first book, then no longer the second's.
    list.Add("d05=,2014/05/11,4,交通費,\"a,b\",0,100,,現金,現金出納帳,小口,本店,");
    list.Add("d06=,2014/06/01,5,消耗品費,電池,0,450.5,,小口,本店,小口,本店,");
    list.Add("d06=,2014/06/02,6,小口現金,補充,0,1000,,預金,A銀行,小口,支店,");
    // A transfer to a book that is not listed, and a record without a date.
    list.Add("d07=,2014/07/07,7,雑費,移動,0,700,,小口,支店,小口,閉鎖店,");
    list.Add("d07=,日付なし,8,雑費,不明,0,10,,現金,現金出納帳,現金,現金出納帳,");
    list.Add("d03=,2015/04/02,9,売上,翌年度分,800,0,,預金,A銀行,預金,A銀行,");

    const std::vector<BookId> books{{"現金", "現金出納帳"}, {"小口", "本店"},
                                    {"小口", "支店"},       {"預金", "A銀行"},
                                    {"現金", "現金出納帳"}, {"全帳簿", "全帳簿"}};
    for (int month : {4, 6, 3, 13}) {
        const Walked expected = OneAfterAnother(ledger, books, month);
        const Walked actual = InOneWalk(ledger, books, month);
        EXPECT_EQ(expected.lines, actual.lines) << "month " << month;
        ASSERT_EQ(actual.balances.size(), books.size());
        for (std::size_t b = 0; b < books.size(); ++b)
            ExpectSameBalances(expected.balances[b], actual.balances[b], b);
    }

    // The figures themselves, for the cash book and 本店 with the current month June.
    const Walked walked = InOneWalk(ledger, books, 6);
    EXPECT_EQ(walked.balances[0].current,
              Amount::FromYen(10000 + 3000 - 3000 - 220 + 20000 - 100 - 10));
    EXPECT_EQ(walked.balances[0].currentMonth, Amount::FromYen(29680));
    EXPECT_EQ(walked.balances[1].current, Amount::Parse("7549.5"));
    EXPECT_EQ(walked.balances[2].starting, Amount());
    EXPECT_EQ(walked.balances[2].current, Amount::FromYen(1000 - 700));
    EXPECT_EQ(walked.balances[3].current, Amount::FromYen(100000 - 20000 - 1000 + 800));
    EXPECT_EQ(walked.balances[5].current, Amount());
    EXPECT_EQ(walked.lines[2],
              "d04=,2014/04/05,2,交通費,バス代,0,220,9780,現金,現金出納帳,現金,現金出納帳,");
    EXPECT_EQ(walked.lines[4],
              "d05=,2014/05/11,4,交通費,a,b,0,100,29680,現金,現金出納帳,小口,本店,");
}

// The walk writes a plain record once, with the balance of the last book it belongs to,
// and takes any other record through every book in turn; neighbouring records share the
// work of their date. None of that may show in the lines or the figures.
TEST(RecomputeBooks, SharedWorkLeavesTheSameLinesAndFigures) {
    Ledger ledger = Year2014WithBooks();
    auto& list = ledger.transactions;
    // Transfers whose stored balance is already the first book's, the second's, or neither.
    list.Add("d04=,2014/04/30,0,小口現金,補充,0,1000,9000,現金,現金出納帳,小口,本店,");
    list.Add("d04=,2014/04/30,1,小口現金,補充,0,1000,7000,現金,現金出納帳,小口,本店,");
    list.Add("d04=,2014/04/30,2,預金,預け入れ,0,500,1,現金,現金出納帳,預金,A銀行,");
    // The same day spelled another way, then the first day of the next period.
    list.Add("d05=,2014/4/30,3,雑費,文具,0,10,,小口,本店,小口,本店,");
    list.Add("d05=,2014/05/01,4,雑費,文具,0,10,,小口,本店,小口,本店,");
    // Thirteen fields, a carriage return inside, a quoted title: rebuilt by every book.
    list.Add("d05=,2014/05/02,5,雑費,a,b,0,30,,現金,現金出納帳,預金,A銀行,");
    list.Add("d05=,2014/05/03,6,雑費,改\r行,0,40,,小口,支店,預金,A銀行,");
    list.Add("d06=,2014/06/04,7,\"雑,費\",メモ,0,50,,預金,A銀行,小口,本店,");
    list.Add("d06=,2014/06/04,8,売上,店頭,900,0,,預金,A銀行,預金,A銀行,");

    const std::vector<BookId> books{{"小口", "本店"},
                                    {"現金", "現金出納帳"},
                                    {"預金", "A銀行"},
                                    {"小口", "支店"},
                                    {"小口", "本店"}};
    for (int month : {4, 5, 13}) {
        const Walked expected = OneAfterAnother(ledger, books, month);
        const Walked actual = InOneWalk(ledger, books, month);
        EXPECT_EQ(expected.lines, actual.lines) << "month " << month;
        ASSERT_EQ(actual.balances.size(), books.size());
        for (std::size_t b = 0; b < books.size(); ++b)
            ExpectSameBalances(expected.balances[b], actual.balances[b], b);
    }

    const Walked walked = InOneWalk(ledger, books, 5);
    EXPECT_EQ(walked.lines[0],
              "d04=,2014/04/30,0,小口現金,補充,0,1000,6000,現金,現金出納帳,小口,本店,");
    EXPECT_EQ(walked.lines[2],
              "d04=,2014/04/30,2,預金,預け入れ,0,500,100500,現金,現金出納帳,預金,A銀行,");
    EXPECT_EQ(walked.lines[4], "d05=,2014/05/01,4,雑費,文具,0,10,6980,小口,本店,小口,本店,");
    // 本店 at the end of April holds the record of "2014/4/30".
    EXPECT_EQ(walked.balances[0].monthEnd[4], Amount::FromYen(6990));
    EXPECT_EQ(walked.balances[1].current, Amount::FromYen(10000 - 1000 - 1000 - 500));

    // A recomputation from a later line starts from the balance the full walk stored. (The
    // records that are rebuilt change with every walk, so they are left out here.)
    Ledger again = ledger;
    for (int i = 7; i >= 5; --i) again.transactions.Delete(i);
    Balances full;
    Recompute(again, full, 0, "本店", "小口", 5);
    const std::vector<std::string> fullLines = again.transactions.Items();
    Balances fromLine4 = full;
    Recompute(again, fromLine4, 4, "本店", "小口", 5);
    EXPECT_EQ(again.transactions.Items(), fullLines);
    EXPECT_EQ(fromLine4.monthEnd, full.monthEnd);
    EXPECT_EQ(fromLine4.current, full.current);
    EXPECT_EQ(fromLine4.currentMonth, full.currentMonth);
    EXPECT_EQ(fromLine4.starting, Amount::FromYen(6990));
}

TEST(RecomputeBooks, AnEmptyListCarriesEachOpeningBalance) {
    Ledger ledger = Year2014WithBooks();
    const std::vector<Balances> balances =
        RecomputeBooks(ledger, {{"現金", "現金出納帳"}, {"預金", "A銀行"}}, 5);
    ASSERT_EQ(balances.size(), 2u);
    EXPECT_EQ(balances[0].currentMonth, Amount::FromYen(10000));
    EXPECT_EQ(balances[1].current, Amount::FromYen(100000));
    EXPECT_TRUE(RecomputeBooks(ledger, {}, 5).empty());
}

}  // namespace
}  // namespace velmora
