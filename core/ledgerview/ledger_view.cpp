#include "core/ledgerview/ledger_view.h"

#include <algorithm>

#include "core/ledger/record.h"
#include "core/ledgerview/month_tabs.h"
#include "core/ledgerview/record_side.h"

namespace velmora {
namespace {

Amount AmountOr0(std::string_view text) {
    return Amount::TryParse(text).value_or(Amount());
}

// Screen amounts: "#,##0", and nothing at all for zero.
std::string AmountCellText(Amount amount) {
    std::string text = amount.YenText();
    return text == "0" ? std::string() : text;
}

// The month the view reads: 1..12, or 13 for all periods.
int ViewMonth(int currentMonth) {
    return currentMonth >= 1 && currentMonth <= 12 ? currentMonth : 13;
}

struct Filters {
    const std::string& account;
    const std::string& description;
    const std::string& income;
    const std::string& expense;
    bool date;
    Date day;
    bool allBooks;

    bool AnyField() const {
        return !account.empty() || !description.empty() || !income.empty() || !expense.empty();
    }
    bool Any() const { return AnyField() || date; }
};

bool Passes(const RecordSplit& r, const BookId& book, const Filters& f) {
    if (f.date) {
        auto date = Date::TryParse(r[kFieldDate]);
        if (!date || *date != f.day) return false;
    }
    const bool member =
        r.BelongsTo(book.kind, book.name) || (f.allBooks && r[kFieldOwnKind] == r[kFieldOtherKind]);
    if (!member) return false;
    if (!f.account.empty() && f.account != r[kFieldTitle]) return false;
    if (!f.description.empty() &&
        r[kFieldDescription].find(f.description) == std::string_view::npos)
        return false;
    if (!f.income.empty() && f.income != r[kFieldIncome]) return false;
    if (!f.expense.empty() && f.expense != r[kFieldExpense]) return false;
    return true;
}

// Writes the rows of one build in grid order and keeps what the rows carry over: the
// date of the previous record row, the running sum and the period totals.
class RowWriter {
public:
    RowWriter(const Session& session, ViewState& view, const Filters& filters, int month)
        : session_(session), view_(view), filters_(filters), month_(month) {
        view_.periodIncome[Slot()] = Amount();
        view_.periodExpense[Slot()] = Amount();
    }

    std::vector<LedgerRow>& Rows() { return rows_; }

    void OpeningCarry() {
        const Ledger& ledger = session_.ledger;
        const bool startOfYear = month_ == 13 || month_ == ledger.startMonth;
        const int previous = month_ == 1 ? 12 : month_ - 1;
        const Amount balance =
            startOfYear ? session_.balances.starting : session_.balances.monthEnd[Index(previous)];
        LedgerRow row(LedgerRowKind::OpeningCarry, BalanceMarker(balance < Amount()));
        row.SetCell(LedgerRow::kDescription,
                    std::string(startOfYear ? kStartCarryText : kMonthCarryText));
        row.SetCell(LedgerRow::kBalance, balance.YenText());
        rows_.push_back(std::move(row));
    }

    void Record(const RecordSplit& r, int lineIndex) {
        const BookId& book = session_.currentBook;
        LedgerRow row(LedgerRowKind::Record, kMarkPositive);
        std::string_view dateText = r[kFieldDate];
        if (dateText != previousDate_) {
            auto date = Date::TryParse(dateText);
            row.SetCell(LedgerRow::kDate, date ? DayLabel(*date) : std::string(dateText));
        }
        previousDate_ = std::string(dateText);

        std::string_view incomeText = r[kFieldIncome];
        std::string_view expenseText = r[kFieldExpense];
        if (filters_.allBooks) {
            row.SetCell(LedgerRow::kTitle, std::string(r[kFieldTitle]));
            row.SetCell(LedgerRow::kDescription, std::string(r[kFieldDescription]));
        } else {
            row.SetCell(LedgerRow::kTitle, std::string(SeenTitle(r, book.kind)));
            row.SetCell(LedgerRow::kDescription, DecoratedDescription(r, book.kind, book.name));
            SeenAmounts seen = AmountsSeenBy(r, book.kind, book.name);
            incomeText = seen.income;
            expenseText = seen.expense;
        }
        const Amount income = AmountOr0(incomeText);
        const Amount expense = AmountOr0(expenseText);
        view_.periodIncome[Slot()] += income;
        view_.periodExpense[Slot()] += expense;
        runningSum_ += income - expense;
        row.SetCell(LedgerRow::kIncome, AmountCellText(income));
        row.SetCell(LedgerRow::kExpense, AmountCellText(expense));

        // Under an account filter the balance is that of the rows shown.
        const Amount balance = filters_.account.empty() ? AmountOr0(r[kFieldBalance]) : runningSum_;
        row.SetMarker(BalanceMarker(balance < Amount()));
        row.SetCell(LedgerRow::kBalance, balance.YenText());
        row.SetRecordIndex(lineIndex);
        rows_.push_back(std::move(row));
    }

    void Totals() {
        LedgerRow row(LedgerRowKind::Totals, kMarkPositive);
        row.SetCell(LedgerRow::kDescription,
                    std::string(filters_.Any() ? kFilteredTotalText : kMonthTotalText));
        row.SetCell(LedgerRow::kIncome, view_.periodIncome[Slot()].YenText());
        row.SetCell(LedgerRow::kExpense, view_.periodExpense[Slot()].YenText());
        rows_.push_back(std::move(row));
    }

    void ClosingCarry() {
        const int month = month_ == 13 ? session_.ledger.LastMonth() : month_;
        const Amount balance = session_.balances.monthEnd[Index(month)];
        LedgerRow row(LedgerRowKind::ClosingCarry,
                      balance < Amount() ? kMarkNegativeCarry : kMarkEnd);
        row.SetCell(LedgerRow::kDescription, std::string(kClosingCarryText));
        row.SetCell(LedgerRow::kBalance, balance.YenText());
        rows_.push_back(std::move(row));
    }

    void EndMark() { rows_.emplace_back(LedgerRowKind::EndMark, kMarkEnd); }

private:
    static std::size_t Index(int month) { return static_cast<std::size_t>(month); }
    std::size_t Slot() const { return Index(month_); }

    const Session& session_;
    ViewState& view_;
    const Filters& filters_;
    int month_;
    std::vector<LedgerRow> rows_;
    std::string previousDate_;
    Amount runningSum_;
};

}  // namespace

std::string DayLabel(Date date) {
    return FormatDate("mm\"月\"dd\"日\"", date) + "(" + std::string(WeekdayName(date.DayOfWeek())) +
           ")";
}

int MoveDownRow(const LedgerViewResult& view) {
    for (std::size_t i = 0; i < view.rows.size(); ++i)
        if (view.rows[i].Marker() == kMarkEnd)
            return std::max(kTopRow, LedgerViewResult::GridRow(i) - 1);
    return std::max(kTopRow, static_cast<int>(view.rows.size()));
}

int PaddedRowCount(std::size_t written, int visibleHeight, int rowHeight) {
    const int fit = rowHeight > 0 && visibleHeight > 0 ? visibleHeight / rowHeight : 0;
    return std::max(static_cast<int>(written), fit);
}

namespace {

bool NegativeInRed(const Session& session, std::string_view balance) {
    return session.settings.negativeInRed && balance.find('-') != std::string_view::npos;
}

}  // namespace

bool BalanceInRed(const Session& session, const LedgerRow& row) {
    return NegativeInRed(session, row.Balance());
}

bool BalanceInRed(const Session& session, const BookBalanceRow& row) {
    return NegativeInRed(session, row.balanceText);
}

int FirstLineOfMonth(const TLightStrings& list, const std::string& tag) {
    // Only a line that begins with the tag starts the month (a description may hold the
    // same text), so the beginnings alone are compared: a text search through every line
    // of the months before costs more than the rest of the view.
    const std::vector<std::string>& lines = list.Items();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].starts_with(tag)) return static_cast<int>(i);
    return list.Count();
}

bool AnyFieldFilter(const Session& session, const ViewState& view) {
    return !session.accountFilter.empty() || !view.descriptionFilter.empty() ||
           !view.incomeFilter.empty() || !view.expenseFilter.empty();
}

std::string SearchRangeText(const Session& session, const ViewState& view) {
    const int month = ViewMonth(session.currentMonth);
    if (month == 13) return "全期間検索";
    if (view.dateFilter) {
        const Date day = view.calendar.selected;
        return FormatDate("yyyy\"年\"mm\"月\"dd\"日\"", day) + "(" +
               std::string(WeekdayName(day.DayOfWeek())) + ")";
    }
    const Periods& periods = session.ledger.periods;
    return FormatDate("yyyy\"年\"mm\"月\"dd\"日～\"",
                      periods.start[static_cast<std::size_t>(month)]) +
           FormatDate("yyyy\"年\"mm\"月\"dd\"日\"", periods.end[static_cast<std::size_t>(month)]);
}

std::string BookTitleText(const Session& session) {
    if (session.allBooks) return "全帳簿 : ";
    const BookId& book = session.currentBook;
    if (book.kind == kCashKind) {
        const std::string name = session.ledger.UseTypeName();
        return ViewMonth(session.currentMonth) == 13 ? name + " : " + "全月検索" : name + "   ";
    }
    return book.kind + " " + book.name + "   ";
}

LedgerViewResult ShowLedgerView(Session& session, ViewState& view) {
    LedgerViewResult result;
    result.bookBalances = BookBalanceListAndRecomputeCurrent(session);

    const int month = ViewMonth(session.currentMonth);
    const Filters filters{session.accountFilter, view.descriptionFilter, view.incomeFilter,
                          view.expenseFilter,    view.dateFilter,        view.calendar.selected,
                          session.allBooks};
    const TLightStrings& list = session.ledger.transactions;
    const std::string tag = MonthTag(month);
    int start = 0;
    if (month != 13) {
        start = FirstLineOfMonth(list, tag);
        view.lastMonthShown = month;
    }
    result.ledgerTab = TabOfMonth(session.ledger.startMonth, month);

    RowWriter writer(session, view, filters, month);
    if (!filters.Any() && !filters.allBooks) writer.OpeningCarry();
    RecordSplit split;
    for (int i = start; i < list.Count(); ++i) {
        split.Split(list[i]);
        if (month != 13 && split[kFieldTag] != tag) break;
        if (Passes(split, session.currentBook, filters)) writer.Record(split, i);
    }
    if (!writer.Rows().empty()) {
        writer.Totals();
        if (!filters.Any()) writer.ClosingCarry();
    }
    if (filters.Any()) writer.EndMark();
    result.rows = std::move(writer.Rows());

    const Amount income = view.periodIncome[static_cast<std::size_t>(month)];
    const Amount expense = view.periodExpense[static_cast<std::size_t>(month)];
    result.totalIncome = income.YenText();
    result.totalExpense = expense.YenText();
    result.totalDifference = (income - expense).YenText();
    result.searchRange = SearchRangeText(session, view);
    result.bookTitle = BookTitleText(session);
    return result;
}

}  // namespace velmora
