#include "core/reports/summary_records.h"

#include "core/ledger/periods.h"
#include "core/ledger/record.h"
#include "core/ledgerview/record_side.h"
#include "core/reports/label_order.h"
#include "core/util/fields.h"

namespace velmora {
namespace {

// The period, registry and settings lines that may follow the records end the search
// for row labels.
bool EndsLabelLines(std::string_view tag) {
    return tag == "f" || tag == "z" || tag == "g";
}

// A record of one selected book, seen from that book: a transfer booked by the other
// side has its income and expense exchanged.
void SeeFromBook(const RecordSplit& r, bool ownSelected, SeenRecord& seen) {
    const std::string_view income = ownSelected ? r[kFieldIncome] : r[kFieldExpense];
    const std::string_view expense = ownSelected ? r[kFieldExpense] : r[kFieldIncome];
    const Amount incomeAmount = AmountOf(income);
    seen.incomeLabel = !incomeAmount.IsZero();
    seen.expenseLabel = income == "0";
    seen.addsIncome = seen.incomeLabel;
    seen.income = incomeAmount;
    seen.addsExpense = seen.expenseLabel;
    seen.expense = AmountOf(expense);
}

// A record in the all-books view. A transfer between books of different kinds names no
// row of its own; it adds its amount to an income row and to an expense row of its title
// when ordinary records have made them, so the balance row is unchanged by it.
void SeeFromAllBooks(const RecordSplit& r, SeenRecord& seen) {
    const std::string_view incomeText = r[kFieldIncome];
    const std::string_view expenseText = r[kFieldExpense];
    const Amount income = AmountOf(incomeText);
    const Amount expense = AmountOf(expenseText);
    const bool kindsDiffer = r[kFieldOwnKind] != r[kFieldOtherKind];
    seen.incomeLabel = !income.IsZero();
    seen.expenseLabel = incomeText == "0";

    seen.income = kindsDiffer && income.IsZero() ? expense : income;
    seen.addsIncome = !seen.income.IsZero();
    if (kindsDiffer && expense.IsZero()) {
        seen.addsExpense = expenseText == "0";
        seen.expense = income;
    } else {
        seen.addsExpense = incomeText == "0";
        seen.expense = expense;
    }
}

// Level 1 keeps the records of the selected title; titles are compared case-folded, as
// the rows of level 0 were made.
class TitleFilter {
public:
    explicit TitleFilter(const std::string& selectedTitle)
        : selected_(FoldedLabel(selectedTitle)) {}

    bool Matches(std::string_view title) {
        const int id = titles_.Intern(title);
        if (id >= static_cast<int>(matches_.size()))
            matches_.push_back(titles_.Folded(id) == selected_);
        return matches_[static_cast<std::size_t>(id)];
    }

private:
    std::string selected_;
    LabelPool titles_;
    std::vector<bool> matches_;
};

}  // namespace

int LabelPool::Intern(std::string_view label) {
    auto [it, added] = ids_.try_emplace(label, Count());
    if (added) {
        labels_.push_back(label);
        folded_.push_back(FoldedLabel(label));
    }
    return it->second;
}

SeenLedger SeeRecords(const LineList& transactions, const SummaryRequest& request) {
    SeenLedger seen;
    seen.records.reserve(static_cast<std::size_t>(transactions.Count()));
    TitleFilter titleFilter(request.selectedTitle);
    const std::string_view kind = request.allBooks ? kAllBooksKind : request.book.kind;
    bool labelLines = true;
    RecordSplit r;
    for (const std::string& line : transactions.Items()) {
        r.Split(line);
        if (labelLines && EndsLabelLines(r[kFieldTag])) labelLines = false;
        SeenRecord record;
        record.month = MonthOfTag(r[kFieldTag]);
        if (!labelLines && record.month == 0) continue;  // can neither name nor add

        const bool ownSelected = r.IsOwnBook(request.book.kind, request.book.name);
        if (!request.allBooks && !ownSelected &&
            !r.IsOtherBook(request.book.kind, request.book.name))
            continue;

        const std::string_view title = SeenTitle(r, kind);
        if (request.level == 0) {
            record.label = seen.labels.Intern(title);
        } else {
            if (!titleFilter.Matches(title)) continue;
            record.label = seen.labels.Intern(r[kFieldDescription]);
        }

        if (request.allBooks) {
            SeeFromAllBooks(r, record);
            record.listed = labelLines && r[kFieldOwnKind] == r[kFieldOtherKind] &&
                            r[kFieldOwnName] == r[kFieldOtherName];
        } else {
            SeeFromBook(r, ownSelected, record);
            record.listed = labelLines;
        }
        if (record.month == 0) record.addsIncome = record.addsExpense = false;
        if (record.listed || record.addsIncome || record.addsExpense)
            seen.records.push_back(record);
    }
    return seen;
}

namespace {

bool Has(const SummaryKey& key, LineFacts::Flag flag) {
    return (key.flags & flag) != 0;
}

// SeeFromBook for a group of lines of the selected book.
void SeeSumsFromBook(const SummaryKey& key, const SummarySums& sums, bool ownSelected,
                     SeenRecord& seen) {
    const bool incomeZero =
        Has(key, ownSelected ? LineFacts::kIncomeZero : LineFacts::kExpenseZero);
    const bool incomeText0 =
        Has(key, ownSelected ? LineFacts::kIncomeText0 : LineFacts::kExpenseText0);
    const auto income = static_cast<std::int64_t>(ownSelected ? sums.income : sums.expense);
    const auto expense = static_cast<std::int64_t>(ownSelected ? sums.expense : sums.income);
    seen.incomeLabel = !incomeZero;
    seen.expenseLabel = incomeText0;
    seen.addsIncome = seen.incomeLabel;
    seen.income = Amount::FromRaw(income);
    seen.addsExpense = seen.expenseLabel;
    seen.expense = Amount::FromRaw(expense);
}

// SeeFromAllBooks for a group of lines.
void SeeSumsFromAllBooks(const SummaryKey& key, const SummarySums& sums, bool kindsDiffer,
                         SeenRecord& seen) {
    const bool incomeZero = Has(key, LineFacts::kIncomeZero);
    const bool expenseZero = Has(key, LineFacts::kExpenseZero);
    const Amount income = Amount::FromRaw(static_cast<std::int64_t>(sums.income));
    const Amount expense = Amount::FromRaw(static_cast<std::int64_t>(sums.expense));
    seen.incomeLabel = !incomeZero;
    seen.expenseLabel = Has(key, LineFacts::kIncomeText0);
    const bool incomeFromExpense = kindsDiffer && incomeZero;
    seen.income = incomeFromExpense ? expense : income;
    seen.addsIncome = incomeFromExpense ? !expenseZero : !incomeZero;
    if (kindsDiffer && expenseZero) {
        seen.addsExpense = Has(key, LineFacts::kExpenseText0);
        seen.expense = income;
    } else {
        seen.addsExpense = Has(key, LineFacts::kIncomeText0);
        seen.expense = expense;
    }
}

}  // namespace

std::optional<SeenLedger> SeeRecordSums(const LedgerIndex& index, const SummaryRequest& request) {
    if (index.SummaryNeedsLines()) return std::nullopt;
    SeenLedger seen;
    const std::string_view kind = request.allBooks ? kAllBooksKind : request.book.kind;
    std::optional<std::uint32_t> book;
    if (!request.allBooks) {
        book = index.FindBook(request.book.kind, request.book.name);
        if (!book) return seen;
    }
    const TextIds& texts = index.Texts();
    TitleFilter titleFilter(request.selectedTitle);
    // The spelling each folded label was first offered in: a second one needs the lines.
    std::unordered_map<std::string, int> spellings;
    bool spellingsDiffer = false;

    auto see = [&](const SummaryKey& key, const SummarySums& sums) {
        const bool ownSelected = book && key.own == *book;
        if (book && !ownSelected && key.other != *book) return;
        const std::string_view ownKind = index.BookKind(key.own);
        const std::string_view otherKind = index.BookKind(key.other);
        std::string_view title = texts.Text(key.title);
        if (ownKind != otherKind) {
            if (ownKind == kind)
                title = otherKind;
            else if (otherKind == kind)
                title = ownKind;
        }
        SeenRecord record;
        record.month = key.tag;
        if (request.level == 0) {
            record.label = seen.labels.Intern(title);
        } else {
            if (!titleFilter.Matches(title)) return;
            record.label = seen.labels.Intern(texts.Text(key.description));
        }
        if (request.allBooks) {
            SeeSumsFromAllBooks(key, sums, ownKind != otherKind, record);
            record.listed = key.own == key.other;
        } else {
            SeeSumsFromBook(key, sums, ownSelected, record);
            record.listed = true;
        }
        if (record.month == 0) record.addsIncome = record.addsExpense = false;
        if (record.listed && (record.incomeLabel || record.expenseLabel)) {
            auto [it, added] =
                spellings.try_emplace(seen.labels.Folded(record.label), record.label);
            if (!added && it->second != record.label) spellingsDiffer = true;
        }
        if (record.listed || record.addsIncome || record.addsExpense)
            seen.records.push_back(record);
    };

    if (request.level == 0) {
        for (const auto& [key, sums] : index.TitleSums()) see(key, sums);
    } else {
        const std::string selected = FoldedLabel(request.selectedTitle);
        for (const auto& [title, table] : index.DescriptionSums())
            if (FoldedLabel(texts.Text(title)) == selected)
                for (const auto& [key, sums] : table) see(key, sums);
        for (const auto& [key, sums] : index.TransferDescriptionSums()) see(key, sums);
    }
    if (spellingsDiffer) return std::nullopt;
    return seen;
}

SeenLedger SeeLedger(const Ledger& ledger, const SummaryRequest& request) {
    if (auto sums = SeeRecordSums(ledger.Index(), request)) return std::move(*sums);
    return SeeRecords(ledger.transactions, request);
}

}  // namespace velmora
