#include "bench/support/ledger_journal.h"

#include "bench/support/ledger_generator.h"
#include "core/ledger/record.h"
#include "core/platform/file_io.h"

namespace velmora::bench {
namespace {

Amount AmountOr0(std::string_view text) {
    return Amount::TryParse(text).value_or(Amount());
}

void AppendPosting(std::string& out, std::string_view account, Amount amount) {
    out += "    ";
    out += account;
    out += "  ";
    out += amount.PlainText();
    out += ' ';
    out += kJournalCommodity;
    out += '\n';
}

void AppendOpening(std::string& out, const Ledger& ledger) {
    out += ledger.periods.start[ledger.startMonth].ShortText();
    out += " 前年度繰越\n";
    Amount total;
    for (const BookId& book : BooksOf(ledger)) {
        const Amount opening = OpeningBalanceOf(ledger, book.kind, book.name);
        AppendPosting(out, JournalAccountOf(book), opening);
        total += opening;
    }
    AppendPosting(out, kOpeningAccount, -total);
}

void AppendRecord(std::string& out, const RecordSplit& split, const BookId& cashBook) {
    // Records of the earlier form have no book fields: they are the cash book's.
    const bool oldForm = split.Count() <= 9;
    const BookId own =
        oldForm ? cashBook
                : BookId{std::string(split[kFieldOwnKind]), std::string(split[kFieldOwnName])};
    const BookId other =
        oldForm ? cashBook
                : BookId{std::string(split[kFieldOtherKind]), std::string(split[kFieldOtherName])};
    const Amount income = AmountOr0(split[kFieldIncome]);
    const Amount expense = AmountOr0(split[kFieldExpense]);
    const auto date = Date::TryParse(split[kFieldDate]);
    out += date ? date->ShortText() : std::string(split[kFieldDate]);
    out += ' ';
    out += split[kFieldDescription].empty() ? split[kFieldTitle] : split[kFieldDescription];
    out += '\n';
    AppendPosting(out, JournalAccountOf(own), income - expense);
    if (other != own) {
        AppendPosting(out, JournalAccountOf(other), expense - income);
        return;
    }
    const std::string title(split[kFieldTitle]);
    if (!income.IsZero()) AppendPosting(out, "Income:" + title, -income);
    if (!expense.IsZero() || income.IsZero()) AppendPosting(out, "Expenses:" + title, expense);
}

}  // namespace

std::string JournalAccountOf(const BookId& book) {
    if (book.kind == kCashKind) return "Assets:現金";
    return "Assets:" + book.kind + ":" + book.name;
}

std::string JournalText(const Ledger& ledger) {
    std::string out;
    out.reserve(static_cast<std::size_t>(ledger.transactions.Count()) * 160 + 1024);
    AppendOpening(out, ledger);
    const BookId cashBook = ledger.CashBook();
    RecordSplit split;
    for (const auto& line : ledger.transactions.Items()) {
        split.Split(line);
        out += '\n';
        AppendRecord(out, split, cashBook);
    }
    return out;
}

void WriteJournalFile(const Ledger& ledger, const std::string& path) {
    DefaultFileWriter().WriteAtomic(path, JournalText(ledger));
}

}  // namespace velmora::bench
