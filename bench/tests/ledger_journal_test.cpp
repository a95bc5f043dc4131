#include "bench/support/ledger_journal.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "bench/support/ledger_generator.h"
#include "core/ledger/balances.h"

namespace velmora::bench {
namespace {

TEST(LedgerJournal, WritesOpeningBalancesThenOneTransactionPerRecord) {
    Ledger ledger;
    ledger.startMonth = 4;
    ledger.startYear = 2014;
    ledger.periods = MonthEndPeriods(2014, 4);
    ledger.openingBalance = Amount::FromYen(10000);
    ledger.pettyRegistry.Add("z,小口,本店,5000,");
    ledger.transactions.Add(
        "d04=,2014/04/01,0,交通費,バス代,0,220,9780,現金,現金出納帳,現金,現金出納帳,");
    ledger.transactions.Add(
        "d04=,2014/4/3,1,小口現金,小口へ補充,0,3000,6780,現金,現金出納帳,小口,本店,");
    ledger.transactions.Add("d04=,2014/04/05,2,売上,店頭売上,1500,0,,小口,本店,小口,本店,");
    ledger.transactions.Add("d04=,2014/04/06,3,雑費,,0,12.5,");
    EXPECT_EQ(JournalText(ledger),
              "2014/04/01 前年度繰越\n"
              "    Assets:現金  10000 JPY\n"
              "    Assets:小口:本店  5000 JPY\n"
              "    Equity:前年度繰越  -15000 JPY\n"
              "\n"
              "2014/04/01 バス代\n"
              "    Assets:現金  -220 JPY\n"
              "    Expenses:交通費  220 JPY\n"
              "\n"
              "2014/04/03 小口へ補充\n"
              "    Assets:現金  -3000 JPY\n"
              "    Assets:小口:本店  3000 JPY\n"
              "\n"
              "2014/04/05 店頭売上\n"
              "    Assets:小口:本店  1500 JPY\n"
              "    Income:売上  -1500 JPY\n"
              "\n"
              "2014/04/06 雑費\n"
              "    Assets:現金  -12.5 JPY\n"
              "    Expenses:雑費  12.5 JPY\n");
}

// Totals per account of a journal as written above; every transaction must balance.
std::map<std::string, Amount> AccountTotals(const std::string& journal, int& transactions) {
    std::map<std::string, Amount> totals;
    std::istringstream in(journal);
    std::string line;
    Amount open;
    transactions = 0;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        if (line.rfind("    ", 0) != 0) {
            EXPECT_TRUE(open.IsZero()) << "unbalanced before " << line;
            ++transactions;
            continue;
        }
        const std::size_t gap = line.find("  ", 4);
        const std::size_t unit = line.rfind(" JPY");
        EXPECT_NE(gap, std::string::npos);
        EXPECT_EQ(unit, line.size() - 4) << line;
        const Amount amount = Amount::Parse(line.substr(gap + 2, unit - gap - 2));
        totals[line.substr(4, gap - 4)] += amount;
        open += amount;
    }
    EXPECT_TRUE(open.IsZero());
    return totals;
}

TEST(LedgerJournal, EveryBooksAccountEndsOnTheBooksClosingBalance) {
    Ledger ledger = GenerateLedger({3000, 5});
    int transactions = 0;
    const auto totals = AccountTotals(JournalText(ledger), transactions);
    EXPECT_EQ(transactions, 3001);
    Balances balances;
    Amount assets;
    for (const BookId& book : BooksOf(ledger)) {
        Recompute(ledger, balances, 0, book.name, book.kind, 4);
        ASSERT_EQ(totals.count(JournalAccountOf(book)), 1u) << book.name;
        EXPECT_EQ(totals.at(JournalAccountOf(book)), balances.current) << book.name;
        assets += balances.current;
    }
    Amount incomeAndExpenses;
    int accounts = 0;
    for (const auto& [account, total] : totals)
        if (account.rfind("Income:", 0) == 0 || account.rfind("Expenses:", 0) == 0) {
            incomeAndExpenses += total;
            ++accounts;
        }
    EXPECT_EQ(accounts, 40);
    EXPECT_EQ(assets + incomeAndExpenses + totals.at(kOpeningAccount), Amount());
}

}  // namespace
}  // namespace velmora::bench
