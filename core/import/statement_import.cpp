#include "core/import/statement_import.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "core/entry/entry_checks.h"
#include "core/entry/entry_record.h"
#include "core/export/csv_export.h"
#include "core/import/statement_values.h"
#include "core/ledger/record.h"
#include "core/ledgerview/main_calendar.h"
#include "core/ledgerview/record_side.h"
#include "core/settings/title_file.h"
#include "core/util/codepage.h"
#include "core/util/fields.h"

namespace velmora {
namespace {

std::string_view CellOf(const StatementRow& row, int column) {
    if (column < 1 || static_cast<std::size_t>(column) > row.size()) return {};
    return row[static_cast<std::size_t>(column - 1)];
}

bool AllEmpty(const StatementRow& row) {
    return std::all_of(row.begin(), row.end(),
                       [](const std::string& cell) { return WideTrim(cell).empty(); });
}

// A value the CSV export wrote after a "'" so that a spreadsheet would not take it for a
// formula comes back as it was.
std::string_view WithoutFormulaGuard(std::string_view cell) {
    if (cell.size() > 1 && cell[0] == '\'' && StartsLikeFormula(cell.substr(1)))
        return cell.substr(1);
    return cell;
}

std::string Quoted(std::string_view reason, std::string_view text) {
    return std::string(reason) + "（" + std::string(text) + "）";
}

// The records of the book by date, amount as the book sees it and description, each
// counted as often as the book holds it, so that every statement row meets one of them at
// most.
class BookRecords {
public:
    BookRecords(const Ledger& ledger, const BookId& book) {
        RecordSplit split;
        // A record of the book names it as one of its sides: only those lines are split (the
        // search starts at the kind, whose first byte is rare, rather than at a comma).
        const std::string side = book.kind + "," + book.name + ",";
        for (const std::string& line : ledger.transactions.Items()) {
            if (!IsRecordLine(line) || line.find(side) == std::string::npos) continue;
            split.Split(line);
            if (!split.BelongsTo(book.kind, book.name)) continue;
            const auto date = Date::TryParse(split[kFieldDate]);
            if (!date) continue;
            const SeenAmounts seen = AmountsSeenBy(split, book.kind, book.name);
            const Amount net = Amount::TryParse(seen.income).value_or(Amount()) -
                               Amount::TryParse(seen.expense).value_or(Amount());
            ++counts_[Key(*date, net, split[kFieldDescription])];
        }
    }

    // True when a record of the book not yet matched has these figures; it is matched now.
    bool Take(Date date, Amount net, std::string_view description) {
        auto it = counts_.find(Key(date, net, description));
        if (it == counts_.end() || it->second == 0) return false;
        --it->second;
        return true;
    }

private:
    static std::string Key(Date date, Amount net, std::string_view description) {
        std::string key = std::to_string(date.Serial()) + ' ' + std::to_string(net.Raw()) + ' ';
        key += description;
        return key;
    }
    std::unordered_map<std::string, int> counts_;
};

class RowPlanner {
public:
    RowPlanner(const Ledger& ledger, const ImportChoices& choices,
               const std::vector<TitleRule>& rules)
        : ledger_(ledger), choices_(choices), rules_(rules), book_(ledger, choices.book) {
        const Periods& p = ledger.periods;
        yearStart_ = p.start[static_cast<std::size_t>(ledger.startMonth)];
        yearEnd_ = p.end[static_cast<std::size_t>(ledger.LastMonth())];
    }

    PlannedRow Plan(const StatementRow& row, int fileRow) {
        PlannedRow p;
        p.fileRow = fileRow;
        const StatementColumns& c = choices_.columns;
        const std::string_view dateCell = CellOf(row, c.date);
        const std::optional<Date> date = ParseStatementDate(dateCell);
        if (!date) return Refuse(p, Quoted(kUnreadableDate, dateCell));
        p.date = *date;
        if (!ReadAmounts(row, p)) return p;
        if (c.balance > 0 && !WideTrim(CellOf(row, c.balance)).empty())
            p.balance = ParseStatementAmount(CellOf(row, c.balance));
        const std::string_view description = WithoutFormulaGuard(CellOf(row, c.description));
        p.description = CleanEntryText(choices_.widenKana ? WidenHalfWidthKana(description)
                                                          : WideTrim(description));
        p.title = TitleOf(row, p.description);
        ReadTransfer(row, p);

        // A row outside the year or already in the book is that, whatever else it lacks.
        if (p.date < yearStart_ || p.date > yearEnd_) {
            p.verdict = RowVerdict::OutsideYear;
            p.reason = Quoted(kOutsideYear, FiscalYearRangeText(ledger_));
            return p;
        }
        if (book_.Take(p.date, p.income - p.expense, p.description)) {
            p.verdict = RowVerdict::Duplicate;
            p.reason = kDuplicateRow;
            return p;
        }
        if (p.transferWith &&
            std::find(books_.begin(), books_.end(), *p.transferWith) == books_.end())
            return Refuse(p,
                          Quoted(kUnknownBook, p.transferWith->kind + " " + p.transferWith->name));
        // The entry form's checks, in its order.
        if (std::string problem = AmountsRefusal(p.income, p.expense); !problem.empty())
            return Refuse(p, problem);
        if (std::string problem = MissingRefusal(p.income, p.expense, p.title, p.description);
            !problem.empty())
            return Refuse(p, problem);
        if (std::string problem = DateRefusal(ledger_, p.date, p.month); !problem.empty())
            return Refuse(p, problem);
        // One encoder for all rows: each character goes through iconv once, not each text.
        for (const auto& [field, text] : {std::pair{"科目", &p.title}, {"摘要", &p.description}}) {
            scratch_.clear();
            if (!encoder_.Append(*text, scratch_)) return Refuse(p, Cp932Refusal(field, *text));
        }
        return p;
    }

private:
    static PlannedRow& Refuse(PlannedRow& p, std::string reason) {
        p.verdict = RowVerdict::Refused;
        p.reason = std::move(reason);
        return p;
    }

    // Deposit and withdrawal, or one signed amount; a negative amount counts on the other
    // side, as the balance moves by deposit less withdrawal.
    bool ReadAmounts(const StatementRow& row, PlannedRow& p) {
        const StatementColumns& c = choices_.columns;
        const bool two = c.amounts == AmountColumns::DepositAndWithdrawal;
        Amount in, out;
        for (int column : two ? std::array{c.deposit, c.withdrawal} : std::array{c.amount, 0}) {
            if (column == 0) continue;
            const std::optional<Amount> amount = ParseStatementAmount(CellOf(row, column));
            if (!amount) {
                Refuse(p, Quoted(kUnreadableAmount, CellOf(row, column)));
                return false;
            }
            (column == (two ? c.deposit : c.amount) ? in : out) += *amount;
        }
        p.income = in > Amount() ? in : Amount();
        p.expense = out > Amount() ? out : Amount();
        if (in < Amount()) p.expense -= in;
        if (out < Amount()) p.income -= out;
        return true;
    }

    // The program's own export names a record's two books; a record between the chosen
    // book and another is a transfer, whose description the export followed with the other
    // book's name ("　《name》"), taken off again.
    void ReadTransfer(const StatementRow& row, PlannedRow& p) const {
        const BookColumns& columns = choices_.bookColumns;
        if (std::find(columns.begin(), columns.end(), 0) != columns.end()) return;
        auto cell = [&row, &columns](std::size_t i) {
            return std::string(WideTrim(WithoutFormulaGuard(CellOf(row, columns[i]))));
        };
        const BookId own{cell(0), cell(1)};
        const BookId other{cell(2), cell(3)};
        const BookId& book = choices_.book;
        if (own == other || (own != book && other != book)) return;
        const BookId& partner = own == book ? other : own;
        p.transferWith = partner;
        p.bookIsOtherSide = other == book;
        const std::string suffix = "　《" + partner.name + "》";
        if (p.description.ends_with(suffix))
            p.description.resize(p.description.size() - suffix.size());
    }

    std::string TitleOf(const StatementRow& row, const std::string& description) {
        std::string title;
        if (choices_.columns.title > 0)
            title = std::string(WithoutFormulaGuard(CellOf(row, choices_.columns.title)));
        else if (choices_.titleChoice == TitleChoice::Rules)
            title = TitleByRules(rules_, description).value_or(choices_.title);
        else
            title = choices_.title;
        // The few titles of a statement are cut once each.
        auto [cut, added] = cutTitles_.try_emplace(title);
        if (added) cut->second = CutTitle(CleanEntryText(WideTrim(title)));
        return cut->second;
    }

    const Ledger& ledger_;
    const ImportChoices& choices_;
    const std::vector<TitleRule>& rules_;
    const std::vector<BookId> books_ = BooksOf(ledger_);
    BookRecords book_;
    Date yearStart_;
    Date yearEnd_;
    Cp932Encoder encoder_;
    std::string scratch_;
    std::unordered_map<std::string, std::string> cutTitles_;
};

// The header text without blanks and with full-width letters narrowed.
std::string HeaderWord(std::string_view cell) {
    return ReplaceAll(NarrowFullWidthAscii(cell), " ", "");
}

bool HasAny(const std::string& word, std::initializer_list<std::string_view> parts) {
    return std::any_of(parts.begin(), parts.end(), [&word](std::string_view part) {
        return word.find(part) != std::string::npos;
    });
}

void NameColumns(const StatementRow& header, SuggestedLayout& layout) {
    auto take = [](int& column, int at) {
        if (column == 0) column = at;
    };
    StatementColumns& c = layout.columns;
    BookColumns& books = layout.bookColumns;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string word = HeaderWord(header[i]);
        const int at = static_cast<int>(i) + 1;
        if (word.empty()) continue;
        // The order matters: "入出金" holds "出金", "お引出し金額" holds "金額", "相手種別"
        // holds "種別".
        if (word == "相手種別")
            take(books[2], at);
        else if (word == "相手帳簿名")
            take(books[3], at);
        else if (word == "種別")
            take(books[0], at);
        else if (word == "帳簿名")
            take(books[1], at);
        else if (HasAny(word, {"残高"}))
            take(c.balance, at);
        else if (HasAny(word, {"日付", "年月日", "取引日", "Date", "DATE"}))
            take(c.date, at);
        else if (HasAny(word, {"入出金", "取引金額"}))
            take(c.amount, at);
        else if (HasAny(word, {"出金", "引出", "払出", "支払", "支出"}))
            take(c.withdrawal, at);
        else if (HasAny(word, {"入金", "預入", "預り", "受入", "収入"}))
            take(c.deposit, at);
        else if (HasAny(word, {"金額"}))
            take(c.amount, at);
        else if (HasAny(word, {"科目"}))
            take(c.title, at);
        else if (HasAny(word, {"摘要", "内容", "取引名", "明細", "備考"}))
            take(c.description, at);
    }
}

bool IsAmountCell(std::string_view cell) {
    return !WideTrim(cell).empty() && ParseStatementAmount(cell).has_value();
}

}  // namespace

int ImportPlan::Count(RowVerdict verdict) const {
    return static_cast<int>(std::count_if(
        rows.begin(), rows.end(), [verdict](const PlannedRow& r) { return r.verdict == verdict; }));
}

ImportPlan PlanImport(const Ledger& ledger, const std::vector<StatementRow>& rows,
                      const ImportChoices& choices, const std::vector<TitleRule>& rules) {
    ImportPlan plan;
    plan.book = choices.book;
    RowPlanner planner(ledger, choices, rules);
    std::optional<Date> first, last;
    for (std::size_t i = static_cast<std::size_t>(std::max(choices.skipRows, 0)); i < rows.size();
         ++i) {
        if (AllEmpty(rows[i])) continue;
        PlannedRow row = planner.Plan(rows[i], static_cast<int>(i) + 1);
        if (row.date != Date()) {
            if (!first) first = row.date;
            last = row.date;
        }
        plan.rows.push_back(std::move(row));
    }
    plan.newestFirst = first && last && *first > *last;
    return plan;
}

SuggestedLayout SuggestLayout(const std::vector<StatementRow>& rows) {
    SuggestedLayout layout;
    const std::size_t look = std::min<std::size_t>(rows.size(), 20);
    for (std::size_t r = 0; r < look; ++r) {
        const StatementRow& row = rows[r];
        int dateColumn = 0;
        for (std::size_t i = 0; i < row.size() && dateColumn == 0; ++i)
            if (ParseStatementDate(row[i])) dateColumn = static_cast<int>(i) + 1;
        if (dateColumn == 0) continue;
        std::vector<int> amounts;
        int text = 0;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const int at = static_cast<int>(i) + 1;
            if (at == dateColumn) continue;
            if (IsAmountCell(row[i]))
                amounts.push_back(at);
            else if (text == 0 && !WideTrim(row[i]).empty())
                text = at;
        }
        if (amounts.empty()) continue;
        StatementColumns& c = layout.columns;
        if (r > 0) NameColumns(rows[r - 1], layout);
        if (c.date == 0) c.date = dateColumn;
        if (c.description == 0) c.description = text;
        if (c.deposit > 0 || c.withdrawal > 0) {
            c.amounts = AmountColumns::DepositAndWithdrawal;
        } else {
            c.amounts = AmountColumns::Signed;
            if (c.amount == 0) c.amount = amounts.front();
            if (c.balance == 0 && amounts.size() > 1) c.balance = amounts.back();
        }
        layout.skipRows = static_cast<int>(r);
        return layout;
    }
    return layout;
}

}  // namespace velmora
