#include "core/ledgerview/ledger_view.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "core/calendar/national_holidays.h"
#include "core/ledger/ledger_index.h"
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

// Which lines of the range the view lists, and from which side; what each row shows.
class RecordRows final : public RecordRowSource {
public:
    RecordRows(const Session& session, const Filters& filters, std::int32_t from, std::int32_t to)
        : ledger_(session.ledger),
          index_(session.ledger.Index()),
          version_(index_.Version()),
          book_(session.currentBook),
          bookId_(index_.FindBook(book_.kind, book_.name)),
          opening_(OpeningBalanceOf(ledger_, book_.kind, book_.name)),
          account_(filters.account),
          description_(filters.description),
          income_(filters.income),
          expense_(filters.expense),
          dateFilter_(filters.date),
          day_(filters.day.Serial()),
          allBooks_(filters.allBooks),
          from_(from),
          to_(to) {
        if (!account_.empty()) accountId_ = index_.FindText(account_);
        textFilters_ = !description_.empty() || !income_.empty() || !expense_.empty();
        simple_ = !allBooks_ && !dateFilter_ && !textFilters_ && account_.empty();
        if (dateFilter_ && index_.DatesInOrder()) {
            // The records of one day lie together.
            from_ = std::max(from_, index_.FirstLineOfDay(day_));
            to_ = std::max(from_, std::min(to_, index_.PositionAfterDay(day_)));
        }
        if (allBooks_) {
            // A record's field 7 holds the balance of the last book walked that it belongs
            // to: the books of the balance list, then the current book.
            std::vector<BookId> books = BooksOf(ledger_);
            books.push_back(book_);
            for (std::size_t i = 0; i < books.size(); ++i)
                if (auto id = index_.FindBook(books[i].kind, books[i].name)) {
                    if (*id >= rankOf_.size()) rankOf_.resize(*id + 1, -1);
                    rankOf_[*id] = static_cast<int>(i);
                    walkedBooks_.resize(rankOf_.size());
                    walkedBooks_[*id] = books[i];
                }
        }
    }

    // The number of rows and what they add up to, worked out once for the build.
    void Count(int month, Amount& income, Amount& expense) {
        if (simple_) {
            if (bookId_) Take(index_.SumsBetween(*bookId_, from_, to_), income, expense);
            return;
        }
        const bool wholeTag = month == 13 || index_.TaggedLines(month) == to_ - from_;
        if (!allBooks_ && !dateFilter_ && !textFilters_ && wholeTag) {
            // An account search: the year's sums by title, book and month tag.
            if (!bookId_ || !accountId_) return;
            BookSums sums;
            for (const auto& [key, total] : index_.TitleSums()) {
                if (key.title != *accountId_ || (month != 13 && key.tag != month)) continue;
                if (key.own == *bookId_) {
                    sums.records += total.records;
                    sums.income += total.income;
                    sums.expense += total.expense;
                } else if (key.other == *bookId_) {
                    sums.records += total.records;
                    sums.income += total.expense;
                    sums.expense += total.income;
                }
            }
            Take(sums, income, expense);
            return;
        }
        index_.Walk(from_, [&](std::int32_t line, const LineFacts& facts) {
            if (line >= to_) return false;
            if (!Passes(line, facts)) return true;
            ++count_;
            const SeenFigures seen = Seen(facts);
            income += seen.income;
            expense += seen.expense;
            return true;
        });
    }

    std::size_t Count() const override { return static_cast<std::size_t>(count_); }

    const LedgerRow& Row(std::size_t i) const override {
        if (index_.Version() != version_) {
            // The ledger changed under a view not built again yet (a modal window open
            // inside a command): nothing is read from lines that may have moved.
            static const LedgerRow blank(LedgerRowKind::Record, kMarkPositive);
            return blank;
        }
        const std::size_t page = i / kPage;
        auto found = pages_.find(page);
        if (found == pages_.end()) found = pages_.emplace(page, MakePage(page)).first;
        return found->second[i % kPage];
    }

private:
    static constexpr std::size_t kPage = 64;

    struct SeenFigures {
        Amount income;
        Amount expense;
    };

    // Where the rows were read up to: the row (and its line), the running sum of the rows
    // through it, the current book's balance after its line, the row's date text.
    struct Cursor {
        std::int64_t row = -1;
        std::int32_t line = -1;
        Amount runningSum;
        Amount bookBalance;
        std::string dateText;
    };

    void Take(const BookSums& sums, Amount& income, Amount& expense) {
        count_ = static_cast<std::int32_t>(sums.records);
        income = Amount::FromRaw(static_cast<std::int64_t>(sums.income));
        expense = Amount::FromRaw(static_cast<std::int64_t>(sums.expense));
    }

    SeenFigures Seen(const LineFacts& facts) const {
        if (allBooks_ || !bookId_ || facts.own == *bookId_)
            return {Amount::FromRaw(facts.income), Amount::FromRaw(facts.expense)};
        return {Amount::FromRaw(facts.expense), Amount::FromRaw(facts.income)};
    }

    bool Passes(std::int32_t line, const LineFacts& facts) const {
        if (dateFilter_ && !(facts.Has(LineFacts::kDated) && facts.day == day_)) return false;
        const bool member =
            (bookId_ && facts.Names(*bookId_)) || (allBooks_ && facts.Has(LineFacts::kSameKind));
        if (!member) return false;
        if (!account_.empty() && !(accountId_ && facts.title == *accountId_)) return false;
        if (!textFilters_) return true;
        split_.Split(ledger_.transactions[line]);
        const RecordSplit& r = split_;
        if (!description_.empty() &&
            r[kFieldDescription].find(description_) == std::string_view::npos)
            return false;
        if (!income_.empty() && income_ != r[kFieldIncome]) return false;
        if (!expense_.empty() && expense_ != r[kFieldExpense]) return false;
        return true;
    }

    // The cursor moved to the next row; false when there is none.
    bool Advance(Cursor& c) const {
        std::int32_t found = -1;
        const std::int32_t start = c.line < from_ ? from_ : c.line + 1;
        index_.Walk(start, [&](std::int32_t line, const LineFacts& facts) {
            if (line >= to_) return false;
            if (bookId_ && facts.Names(*bookId_))
                c.bookBalance = AddRecordTo(c.bookBalance, facts, *bookId_);
            if (!Passes(line, facts)) return true;
            found = line;
            const SeenFigures seen = Seen(facts);
            c.runningSum += seen.income - seen.expense;
            return false;
        });
        if (found < 0) return false;
        ++c.row;
        c.line = found;
        return true;
    }

    // A cursor on the row before row first.
    Cursor Seek(std::size_t first) const {
        const auto target = static_cast<std::int64_t>(first) - 1;
        // The book's records alone are reached by their counts from anywhere: the cursor
        // is walked on only to the page after it (the grid scrolled), not to a row far down
        // the month (the row of a record just registered).
        const bool jump =
            simple_ && bookId_ && target - cursor_.row > static_cast<std::int64_t>(kPage);
        if (cursor_.row >= 0 && cursor_.row <= target && !jump) {
            Cursor c = cursor_;
            while (c.row < target && Advance(c)) {
            }
            return c;
        }
        Cursor c;
        c.line = from_ - 1;
        if (bookId_) c.bookBalance = index_.BalanceBefore(*bookId_, opening_, from_);
        if (target < 0) return c;
        if (simple_ && bookId_) {
            // The book's records only: whole blocks are passed by their counts.
            c.row = target;
            c.line = index_.NthRecordOf(*bookId_, from_, static_cast<std::int32_t>(target));
            c.bookBalance = AddRecordTo(index_.BalanceBefore(*bookId_, opening_, c.line),
                                        index_.Facts(c.line), *bookId_);
            c.dateText = std::string(LeadingRecordField(ledger_.transactions[c.line], kFieldDate));
            return c;
        }
        while (c.row < target && Advance(c)) {
        }
        if (c.row >= 0)
            c.dateText = std::string(LeadingRecordField(ledger_.transactions[c.line], kFieldDate));
        return c;
    }

    std::vector<LedgerRow> MakePage(std::size_t page) const {
        std::vector<LedgerRow> rows;
        const std::size_t first = page * kPage;
        const std::size_t last = std::min(Count(), first + kPage);
        Cursor c = Seek(first);
        RecordSplit r;
        for (std::size_t i = first; i < last && Advance(c); ++i) {
            r.Split(ledger_.transactions[c.line]);
            rows.push_back(MakeRow(r, c));
            c.dateText = std::string(r[kFieldDate]);
        }
        cursor_ = c;
        return rows;
    }

    LedgerRow MakeRow(const RecordSplit& r, const Cursor& c) const {
        LedgerRow row(LedgerRowKind::Record, kMarkPositive);
        const std::string_view dateText = r[kFieldDate];
        if (dateText != c.dateText) {
            auto date = Date::TryParse(dateText);
            row.SetCell(LedgerRow::kDate, date ? DayLabel(*date) : std::string(dateText));
        }
        std::string_view incomeText = r[kFieldIncome];
        std::string_view expenseText = r[kFieldExpense];
        if (allBooks_) {
            row.SetCell(LedgerRow::kTitle, std::string(r[kFieldTitle]));
            row.SetCell(LedgerRow::kDescription, std::string(r[kFieldDescription]));
        } else {
            row.SetCell(LedgerRow::kTitle, std::string(SeenTitle(r, book_.kind)));
            row.SetCell(LedgerRow::kDescription, DecoratedDescription(r, book_.kind, book_.name));
            const SeenAmounts seen = AmountsSeenBy(r, book_.kind, book_.name);
            incomeText = seen.income;
            expenseText = seen.expense;
        }
        row.SetCell(LedgerRow::kIncome, AmountCellText(AmountOr0(incomeText)));
        row.SetCell(LedgerRow::kExpense, AmountCellText(AmountOr0(expenseText)));
        // Under an account filter the balance is that of the rows shown; otherwise the
        // record's running balance, as field 7 holds it once the books are walked.
        const Amount balance = !account_.empty() ? c.runningSum : RecordBalance(r, c);
        row.SetMarker(BalanceMarker(balance < Amount()));
        row.SetCell(LedgerRow::kBalance, balance.YenText());
        row.SetRecordIndex(c.line);
        return row;
    }

    Amount RecordBalance(const RecordSplit& r, const Cursor& c) const {
        if (!allBooks_) return c.bookBalance;
        const LineFacts& facts = index_.Facts(c.line);
        auto rank = [this](std::uint32_t id) { return id < rankOf_.size() ? rankOf_[id] : -1; };
        const int ownRank = rank(facts.own);
        const int otherRank = rank(facts.other);
        if (ownRank < 0 && otherRank < 0) return AmountOr0(r[kFieldBalance]);
        const std::uint32_t last = ownRank >= otherRank ? facts.own : facts.other;
        const BookId& book = walkedBooks_[last];
        return AddRecordTo(
            index_.BalanceBefore(last, OpeningBalanceOf(ledger_, book.kind, book.name), c.line),
            facts, last);
    }

    const Ledger& ledger_;
    const LedgerIndex& index_;
    std::uint64_t version_;
    BookId book_;
    std::optional<std::uint32_t> bookId_;
    Amount opening_;
    std::string account_;
    std::optional<std::uint32_t> accountId_;
    std::string description_;
    std::string income_;
    std::string expense_;
    bool dateFilter_;
    std::int32_t day_;
    bool allBooks_;
    bool textFilters_ = false;
    bool simple_ = false;
    std::int32_t from_;
    std::int32_t to_;
    std::int32_t count_ = 0;
    std::vector<int> rankOf_;  // all books: a book's place in the order of the walks
    std::vector<BookId> walkedBooks_;
    mutable std::unordered_map<std::size_t, std::vector<LedgerRow>> pages_;
    mutable Cursor cursor_;
    mutable RecordSplit split_;
};

LedgerRow OpeningCarryRow(const Session& session, int month) {
    const Ledger& ledger = session.ledger;
    const bool startOfYear = month == 13 || month == ledger.startMonth;
    const int previous = month == 1 ? 12 : month - 1;
    const Amount balance = startOfYear
                               ? session.balances.starting
                               : session.balances.monthEnd[static_cast<std::size_t>(previous)];
    LedgerRow row(LedgerRowKind::OpeningCarry, BalanceMarker(balance < Amount()));
    row.SetCell(LedgerRow::kDescription,
                std::string(startOfYear ? kStartCarryText : kMonthCarryText));
    row.SetCell(LedgerRow::kBalance, balance.YenText());
    return row;
}

LedgerRow TotalsRow(const Filters& filters, Amount income, Amount expense) {
    LedgerRow row(LedgerRowKind::Totals, kMarkPositive);
    row.SetCell(LedgerRow::kDescription,
                std::string(filters.Any() ? kFilteredTotalText : kMonthTotalText));
    row.SetCell(LedgerRow::kIncome, income.YenText());
    row.SetCell(LedgerRow::kExpense, expense.YenText());
    return row;
}

LedgerRow ClosingCarryRow(const Session& session, int month) {
    const int shown = month == 13 ? session.ledger.LastMonth() : month;
    const Amount balance = session.balances.monthEnd[static_cast<std::size_t>(shown)];
    LedgerRow row(LedgerRowKind::ClosingCarry, balance < Amount() ? kMarkNegativeCarry : kMarkEnd);
    row.SetCell(LedgerRow::kDescription, std::string(kClosingCarryText));
    row.SetCell(LedgerRow::kBalance, balance.YenText());
    return row;
}

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

int FirstLineOfMonth(const LineList& list, const std::string& tag) {
    // Only a line that begins with the tag starts the month (a description may hold the
    // same text), so the beginnings alone are compared: a text search through every line
    // of the months before costs more than the rest of the view.
    const LineList::Lines lines = list.Items();
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
        std::string text = FormatDate("yyyy\"年\"mm\"月\"dd\"日\"", day) + "(" +
                           std::string(WeekdayName(day.DayOfWeek())) + ")";
        // The day's national holiday, as its tool tip names it on the calendar.
        if (session.settings.showNationalHolidays)
            if (auto name = NationalHolidayName(day)) text += "　" + std::string(*name);
        return text;
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
    const LedgerIndex& index = session.ledger.Index();
    std::int32_t from = 0;
    std::int32_t to = index.Count();
    if (month != 13) {
        from = index.FirstLineBeginningWith(month);
        to = index.EndOfTagRun(month, from);
        view.lastMonthShown = month;
    }
    result.ledgerTab = TabOfMonth(session.ledger.startMonth, month);

    std::vector<LedgerRow> head, tail;
    if (!filters.Any() && !filters.allBooks) head.push_back(OpeningCarryRow(session, month));
    auto records = std::make_shared<RecordRows>(session, filters, from, to);
    Amount income, expense;
    records->Count(month, income, expense);
    const auto slot = static_cast<std::size_t>(month);
    view.periodIncome[slot] = income;
    view.periodExpense[slot] = expense;
    if (!head.empty() || records->Count() > 0) {
        tail.push_back(TotalsRow(filters, income, expense));
        if (!filters.Any()) tail.push_back(ClosingCarryRow(session, month));
    }
    if (filters.Any()) tail.emplace_back(LedgerRowKind::EndMark, kMarkEnd);
    // The first screenful is made with the build.
    if (records->Count() > 0) records->Row(0);
    result.rows = LedgerRows(std::move(head), std::move(records), std::move(tail));

    result.totalIncome = income.YenText();
    result.totalExpense = expense.YenText();
    result.totalDifference = (income - expense).YenText();
    result.searchRange = SearchRangeText(session, view);
    result.bookTitle = BookTitleText(session);
    return result;
}

}  // namespace velmora
