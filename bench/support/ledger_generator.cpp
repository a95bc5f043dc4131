#include "bench/support/ledger_generator.h"

#include <algorithm>
#include <array>

#include "bench/support/generator_vocabulary.h"
#include "bench/support/split_mix.h"
#include "core/ledger/balances.h"
#include "core/ledger/ledger_file.h"
#include "core/ledger/record.h"
#include "core/platform/file_io.h"

namespace velmora::bench {
namespace {

constexpr auto kPettyCount = static_cast<std::int64_t>(kPettyBookNames.size());
constexpr auto kBankCount = static_cast<std::int64_t>(kBankBookNames.size());

struct Draft {
    BookId own;
    BookId other;
    std::string title;
    std::string description;
    Amount income;
    Amount expense;
};

// Draws the content of one record after another; the dates are drawn apart.
class RecordDrafter {
public:
    RecordDrafter(SplitMix64& random, const Ledger& ledger)
        : random_(random), books_(BooksOf(ledger)) {}

    Draft Next() { return random_.Chance(10) ? Transfer() : Ordinary(); }

private:
    const BookId& Cash() const { return books_[0]; }
    // BooksOf lists the cash book, the petty-cash books, then the bank books.
    const BookId& Petty() {
        return books_[static_cast<std::size_t>(random_.Between(1, kPettyCount))];
    }
    const BookId& Bank() {
        return books_[static_cast<std::size_t>(
            random_.Between(kPettyCount + 1, kPettyCount + kBankCount))];
    }

    // A whole number of yen; larger amounts are whole tens or thousands.
    Amount Yen(std::int64_t low, std::int64_t high) {
        std::int64_t yen = random_.Between(low, high);
        if (yen >= 100000)
            yen -= yen % 1000;
        else if (yen >= 1000)
            yen -= yen % 10;
        return Amount::FromYen(yen);
    }

    Draft Ordinary() {
        const int which = static_cast<int>(random_.Between(0, 99));
        const BookId& own = which < 60 ? Cash() : which < 80 ? Petty() : Bank();
        // Income titles are the first eight; most records are expenses.
        const TitleWords& words = kTitleWords[static_cast<std::size_t>(
            random_.Chance(30) ? random_.Between(0, 7) : random_.Between(8, 39))];
        Draft draft{own,
                    own,
                    std::string(words.title),
                    std::string(random_.Pick(words.descriptions)),
                    Amount(),
                    Amount()};
        if (random_.Chance(30))
            draft.description += "（" + std::string(random_.Pick(kCounterparties)) + "）";
        (words.income ? draft.income : draft.expense) = Yen(words.minYen, words.maxYen);
        return draft;
    }

    // Mostly cash drawn from the banks, which keeps the cash book's balance in a
    // plausible range over a year of expenses.
    Draft Transfer() {
        const int which = static_cast<int>(random_.Between(0, 99));
        if (which < 25) {
            const BookId& petty = Petty();
            return {Cash(),
                    petty,
                    std::string(kPettyTransferTitle),
                    petty.name + "へ補充",
                    Amount(),
                    Yen(10000, 50000)};
        }
        if (which < 55) {
            const BookId& bank = Bank();
            return {Cash(),
                    bank,
                    std::string(kBankTransferTitle),
                    bank.name + "へ預入",
                    Amount(),
                    Yen(50000, 500000)};
        }
        if (which < 85) {
            const BookId& bank = Bank();
            return {Cash(),
                    bank,
                    std::string(kBankTransferTitle),
                    bank.name + "から引出",
                    Yen(100000, 500000),
                    Amount()};
        }
        const BookId& bank = Bank();
        const BookId& petty = Petty();
        return {bank,
                petty,
                std::string(kPettyTransferTitle),
                "小口現金補充 " + petty.name,
                Amount(),
                Yen(10000, 50000)};
    }

    SplitMix64& random_;
    std::vector<BookId> books_;
};

void AddRegistries(Ledger& ledger, SplitMix64& random) {
    for (std::string_view name : kPettyBookNames)
        ledger.pettyRegistry.Add(
            RegistryLine(kPettyKind, name, Amount::FromYen(random.Between(30, 100) * 1000)));
    for (std::string_view name : kBankBookNames)
        ledger.bankRegistry.Add(
            RegistryLine(kBankKind, name, Amount::FromYen(random.Between(1000, 5000) * 1000)));
}

// The day offsets of the records from the first day of the year, in date order.
std::vector<int> DrawDays(SplitMix64& random, int records, int daysInYear) {
    std::vector<int> days(static_cast<std::size_t>(records));
    for (int& day : days) day = static_cast<int>(random.Between(0, daysInYear - 1));
    std::sort(days.begin(), days.end());
    return days;
}

std::string RecordLine(const Ledger& ledger, Date date, int entryNumber, const Draft& draft) {
    std::array<std::string, kRecordFields> fields{
        MonthTag(ledger.periods.FirstSlotOf(date)),
        date.ShortText(),
        std::to_string(entryNumber),
        draft.title,
        draft.description,
        draft.income.PlainText(),
        draft.expense.PlainText(),
        "",
        draft.own.kind,
        draft.own.name,
        draft.other.kind,
        draft.other.name,
    };
    return JoinRecord(fields);
}

}  // namespace

Periods MonthEndPeriods(int startYear, int startMonth) {
    Periods periods;
    for (int i = 0; i < 12; ++i) {
        const int month = FiscalMonthAt(startMonth, i);
        const int year = month < startMonth ? startYear + 1 : startYear;
        periods.start[month] = Date::FromYmd(year, month, 1);
        periods.end[month] = Date::FromYmd(year, month, DaysInMonth(year, month));
        periods.lock[month] = 0;
    }
    return periods;
}

Ledger GenerateLedger(const GeneratorOptions& options) {
    SplitMix64 random(options.seed);
    Ledger ledger;
    ledger.startMonth = kGeneratedStartMonth;
    ledger.startYear = kGeneratedStartYear;
    ledger.useType = 1;
    ledger.periods = MonthEndPeriods(kGeneratedStartYear, kGeneratedStartMonth);
    ledger.openingBalance = Amount::FromYen(random.Between(100, 500) * 1000);
    AddRegistries(ledger, random);

    const Date first = ledger.periods.start[ledger.startMonth];
    const Date last = ledger.periods.end[ledger.LastMonth()];
    const std::vector<int> days = DrawDays(random, options.records, last - first + 1);
    RecordDrafter drafter(random, ledger);
    std::vector<std::string> lines;
    lines.reserve(days.size());
    for (std::size_t i = 0; i < days.size(); ++i)
        lines.push_back(
            RecordLine(ledger, first.AddDays(days[i]), static_cast<int>(i), drafter.Next()));
    ledger.transactions.Adopt(std::move(lines));

    // Every book once, so that each record carries a balance; the cash book last, as the
    // program leaves a ledger after loading and selecting the cash book.
    std::vector<BookId> books = BooksOf(ledger);
    std::rotate(books.begin(), books.begin() + 1, books.end());
    Balances balances;
    for (const BookId& book : books)
        Recompute(ledger, balances, 0, book.name, book.kind, ledger.startMonth);
    return ledger;
}

void WriteLedgerFile(const Ledger& ledger, const std::string& path) {
    DefaultFileWriter().WriteAtomic(path, EncodeTextLines(LedgerFileLines(ledger)));
}

}  // namespace velmora::bench
