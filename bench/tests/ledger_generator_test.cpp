#include "bench/support/ledger_generator.h"

#include <gtest/gtest.h>

#include <set>

#include "bench/support/bench_setup.h"
#include "core/ledger/balances.h"
#include "core/ledger/ledger_file.h"
#include "core/ledger/record.h"
#include "core/platform/file_io.h"

namespace velmora::bench {
namespace {

std::string FileBytesOf(const Ledger& ledger) {
    return EncodeTextLines(LedgerFileLines(ledger));
}

TEST(LedgerGenerator, TheSameSeedGivesTheSameFileAndAnotherSeedAnother) {
    const std::string first = FileBytesOf(GenerateLedger({2000, 7}));
    EXPECT_EQ(first, FileBytesOf(GenerateLedger({2000, 7})));
    EXPECT_NE(first, FileBytesOf(GenerateLedger({2000, 8})));
    EXPECT_EQ(GenerateLedger({0, 7}).transactions.Count(), 0);
}

TEST(LedgerGenerator, MonthEndPeriodsRunFromAprilToMarch) {
    const Periods periods = MonthEndPeriods(2024, 4);
    EXPECT_EQ(periods.start[4].ShortText(), "2024/04/01");
    EXPECT_EQ(periods.end[4].ShortText(), "2024/04/30");
    EXPECT_EQ(periods.start[12].ShortText(), "2024/12/01");
    EXPECT_EQ(periods.end[12].ShortText(), "2024/12/31");
    EXPECT_EQ(periods.start[1].ShortText(), "2025/01/01");
    EXPECT_EQ(periods.end[2].ShortText(), "2025/02/28");
    EXPECT_EQ(periods.end[3].ShortText(), "2025/03/31");
    for (int k = 1; k <= 12; ++k) EXPECT_EQ(periods.lock[k], 0);
}

TEST(LedgerGenerator, TheWrittenFileLoadsBackWithEveryRecordAsGenerated) {
    ScratchFolder folder;
    const PreparedLedger prepared = PrepareLedgerFile(folder, 3000);
    const ParsedLedger parsed = ReadLedgerFile(prepared.path, Ledger{}, Date::FromYmd(2030, 1, 1));
    const Ledger& ledger = parsed.ledger;
    EXPECT_FALSE(parsed.periodsInvalid);
    EXPECT_FALSE(parsed.damage.Any());
    EXPECT_EQ(ledger.transactions.Items(), prepared.ledger.transactions.Items());
    EXPECT_EQ(ledger.pettyRegistry.Count(), 5);
    EXPECT_EQ(ledger.bankRegistry.Count(), 5);
    EXPECT_EQ(ledger.pettyRegistry[0],
              "z,小口,本店," + RegistryBalance(ledger.pettyRegistry[0]).PlainText() + ",");
    EXPECT_EQ(RegistryName(ledger.bankRegistry[4]), "ゆうちょ銀行");
    EXPECT_EQ(ledger.startMonth, 4);
    EXPECT_EQ(ledger.startYear, 2024);
    EXPECT_EQ(ledger.useType, 1);
    EXPECT_EQ(ledger.openingBalance, prepared.ledger.openingBalance);
    for (int k = 1; k <= 12; ++k) {
        EXPECT_EQ(ledger.periods.start[k], MonthEndPeriods(2024, 4).start[k]);
        EXPECT_EQ(ledger.periods.end[k], MonthEndPeriods(2024, 4).end[k]);
    }
}

TEST(LedgerGenerator, RecordsAreInDateOrderTaggedAndBetweenKnownBooks) {
    const Ledger ledger = GenerateLedger({5000, 11});
    std::set<std::pair<std::string, std::string>> books;
    for (const BookId& book : BooksOf(ledger)) books.insert({book.kind, book.name});
    ASSERT_EQ(books.size(), 11u);
    Date previous = Date::FromYmd(2024, 4, 1);
    int transfers = 0;
    std::set<std::string> titles;
    RecordSplit split;
    for (int i = 0; i < ledger.transactions.Count(); ++i) {
        const std::string& line = ledger.transactions[i];
        split.Split(line);
        ASSERT_EQ(split.Count(), kRecordFields) << line;
        ASSERT_TRUE(IsPlainRecordLine(line, split)) << line;
        const Date date = Date::Parse(split[kFieldDate]);
        EXPECT_LE(previous, date) << line;
        EXPECT_LE(date, Date::FromYmd(2025, 3, 31)) << line;
        previous = date;
        EXPECT_EQ(split[kFieldTag], MonthTag(date.Month())) << line;
        EXPECT_EQ(split[kFieldEntryNo], std::to_string(i)) << line;
        const Amount income = Amount::Parse(split[kFieldIncome]);
        const Amount expense = Amount::Parse(split[kFieldExpense]);
        EXPECT_NE(income.IsZero(), expense.IsZero()) << line;
        EXPECT_FALSE(split[kFieldBalance].empty()) << line;
        const std::pair<std::string, std::string> own{split[kFieldOwnKind], split[kFieldOwnName]};
        const std::pair<std::string, std::string> other{split[kFieldOtherKind],
                                                        split[kFieldOtherName]};
        EXPECT_TRUE(books.count(own) == 1 && books.count(other) == 1) << line;
        titles.insert(std::string(split[kFieldTitle]));
        if (own == other) continue;
        ++transfers;
        const bool pettySide = own.first == kPettyKind || other.first == kPettyKind;
        EXPECT_EQ(split[kFieldTitle], pettySide ? "小口現金" : "預金") << line;
    }
    EXPECT_GT(transfers, 250);
    EXPECT_LT(transfers, 750);
    EXPECT_GE(titles.size(), 40u);
}

TEST(LedgerGenerator, FieldSevenHoldsTheCashBooksRunningBalance) {
    Ledger ledger = GenerateLedger({4000, 3});
    const BookId cash = ledger.CashBook();
    // Summed here apart from Recompute: own income adds, a transfer's other side reverses.
    Amount balance = ledger.openingBalance;
    RecordSplit split;
    int cashRecords = 0;
    for (const auto& line : ledger.transactions.Items()) {
        split.Split(line);
        const Amount delta =
            Amount::Parse(split[kFieldIncome]) - Amount::Parse(split[kFieldExpense]);
        if (split.IsOwnBook(cash.kind, cash.name))
            balance += delta;
        else if (split.IsOtherBook(cash.kind, cash.name))
            balance -= delta;
        else
            continue;
        ++cashRecords;
        ASSERT_EQ(split[kFieldBalance], balance.PlainText()) << line;
    }
    EXPECT_GT(cashRecords, 2000);
    // Recomputing the cash book again changes no line: it was the last one recomputed.
    const std::vector<std::string> before = ledger.transactions.Items();
    Balances balances;
    Recompute(ledger, balances, 0, cash.name, cash.kind, 4);
    EXPECT_EQ(ledger.transactions.Items(), before);
    EXPECT_EQ(balances.current, balance);
}

}  // namespace
}  // namespace velmora::bench
