#include "core/ledger/balances.h"

#include <cstdint>
#include <limits>

#include "core/ledger/record.h"
#include "core/util/date.h"

namespace velmora {
namespace {

// Wide enough that income less expense never overflows.
__extension__ typedef __int128 WideRaw;

Amount AmountOr0(std::string_view text) {
    return Amount::TryParse(text).value_or(Amount());
}

// The slot whose month-end balances a record of this date sets; 0 when it lies in a gap
// between periods or has no date.
int BalanceSlotOf(const Ledger& ledger, std::string_view dateText) {
    auto date = Date::TryParse(dateText);
    if (!date) return 0;
    return BalanceSlot(ledger.periods, ledger.startMonth, *date);
}

Amount StartingBalance(const Ledger& ledger, int startLine, std::string_view name,
                       std::string_view kind) {
    RecordSplit split;
    for (int i = startLine - 1; i >= 0; --i) {
        split.Split(ledger.transactions[i]);
        if (split.BelongsTo(kind, name)) return AmountOr0(split[kFieldBalance]);
    }
    if (kind == kCashKind || kind == kPettyKind || kind == kBankKind)
        return OpeningBalanceOf(ledger, kind, name);
    return Amount();
}

// What a record adds to each book it belongs to, worked out once per line however many
// books walk it.
struct RecordFigures {
    Amount income;
    Amount expense;
    int slot = 0;  // BalanceSlotOf its date
};

// The balance slot of the last date text asked for: records come in date order, so
// neighbouring lines mostly share their date and it is parsed once for all of them.
class SlotCache {
public:
    explicit SlotCache(const Ledger& ledger) : ledger_(ledger) {}

    int Of(std::string_view dateText) {
        if (!known_ || dateText != text_) {
            text_.assign(dateText);
            slot_ = BalanceSlotOf(ledger_, dateText);
            known_ = true;
        }
        return slot_;
    }

private:
    const Ledger& ledger_;
    std::string text_;
    int slot_ = 0;
    bool known_ = false;
};

RecordFigures FiguresOf(const RecordSplit& split, SlotCache& slots) {
    return {AmountOr0(split[kFieldIncome]), AmountOr0(split[kFieldExpense]),
            slots.Of(split[kFieldDate])};
}

enum class Side { kNone, kOwn, kOther };

// Equal texts. The book kinds are all six bytes long and differ in their first byte, and
// book names mostly differ in length or first byte, so a walk of many books settles most
// comparisons without calling memcmp.
bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && (a.empty() || (a.front() == b.front() && a == b));
}

// One book's running balance over the transaction list, a line at a time.
class BookWalk {
public:
    BookWalk(const Ledger& ledger, Balances& balances, int startLine, std::string_view name,
             std::string_view kind)
        : balances_(&balances), name_(name), kind_(kind), lastMonth_(ledger.LastMonth()) {
        balances.current = Amount();
        balances.overflow = false;
        b_ = StartingBalance(ledger, startLine, name, kind);
        balances.starting = b_;
        if (startLine == 0)
            for (int k = 1; k <= 12; ++k) balances.monthEnd[static_cast<std::size_t>(k)] = b_;
    }

    // As RecordSplit::IsOwnBook and IsOtherBook tell.
    Side SideOf(const RecordSplit& split) const {
        if (SameText(split[kFieldOwnKind], kind_) && SameText(split[kFieldOwnName], name_))
            return Side::kOwn;
        if (SameText(split[kFieldOtherKind], kind_) && SameText(split[kFieldOtherName], name_))
            return Side::kOther;
        return Side::kNone;
    }

    // A record of the book: the balance moves, and so do the month-end balances from the
    // record's period to the year's end.
    void Add(Side side, const RecordFigures& figures) {
        const WideRaw change = side == Side::kOwn
                                   ? WideRaw{figures.income.Raw()} - figures.expense.Raw()
                                   : WideRaw{figures.expense.Raw()} - figures.income.Raw();
        std::int64_t next = 0;
        if (__builtin_add_overflow(b_.Raw(), change, &next)) [[unlikely]] {
            balances_->overflow = true;
            next = change > 0 ? std::numeric_limits<std::int64_t>::max()
                              : std::numeric_limits<std::int64_t>::min();
        }
        b_ = Amount::FromRaw(next);
        if (figures.slot == 0) return;
        for (int m = figures.slot;; m = m % 12 + 1) {
            balances_->monthEnd[static_cast<std::size_t>(m)] = b_;
            if (m == lastMonth_) break;
        }
    }

    Amount Balance() const { return b_; }

    void Finish(int currentMonth) {
        // With no record of the book the current balance is the one it started from, so
        // that an empty ledger carries its opening balance into the next year.
        balances_->current = b_;
        // All months shown (13): the balance at the end of the fiscal year.
        int month = currentMonth >= 1 && currentMonth <= 12 ? currentMonth : lastMonth_;
        balances_->currentMonth = balances_->monthEnd[static_cast<std::size_t>(month)];
    }

private:
    Balances* balances_;
    std::string_view name_;
    std::string_view kind_;
    int lastMonth_;
    Amount b_;
};

// Takes every line from startLine through the walks, in list order and for each line in
// the order of the walks. A record's field 7 ends as the balance of the last walk it
// belongs to. Without a writable list the walks only add up and no line changes.
class LineWalker {
public:
    LineWalker(const Ledger& ledger, LineList* writable, std::vector<BookWalk>& walks)
        : list_(ledger.transactions),
          writable_(writable),
          walks_(walks),
          slots_(ledger),
          useTypeName_(ledger.UseTypeName()) {}

    void Run(int startLine) {
        if (walks_.empty()) return;
        for (int i = startLine; i < list_.Count(); ++i) {
            const std::string* line = &list_[i];
            split_.Split(*line);
            if (split_.Count() <= 9) {
                completed_ = CompleteOldFormRecord(split_, useTypeName_);
                if (writable_ != nullptr) {
                    writable_->Put(i, completed_);
                    line = &list_[i];
                } else {
                    line = &completed_;
                }
                split_.Split(*line);
            }
            if (writable_ == nullptr || IsPlainRecordLine(*line, split_))
                PlainLine(i);
            else
                OtherLine(i);
        }
    }

private:
    // Twelve plain fields: rewriting field 7 leaves every other field where it was, so the
    // walks only add up and the line is written once, with the last walk's balance.
    void PlainLine(int i) {
        RecordFigures figures;
        const BookWalk* last = nullptr;
        for (BookWalk& walk : walks_) {
            const Side side = walk.SideOf(split_);
            if (side == Side::kNone) continue;
            if (last == nullptr) figures = FiguresOf(split_, slots_);
            walk.Add(side, figures);
            last = &walk;
        }
        if (last == nullptr || writable_ == nullptr) return;
        const std::string text = last->Balance().PlainText();
        if (split_[kFieldBalance] != text)
            writable_->PutDerived(i, ReplaceRecordField(list_[i], split_, kFieldBalance, text));
    }

    // Quotes, a carriage return or a field count other than twelve: each walk of the
    // record rebuilds the line, and the next walk sees the fields of the rebuilt line.
    void OtherLine(int i) {
        for (BookWalk& walk : walks_) {
            const Side side = walk.SideOf(split_);
            if (side == Side::kNone) continue;
            // The figures are read before the line is rewritten: split views the old text.
            walk.Add(side, FiguresOf(split_, slots_));
            const std::string text = walk.Balance().PlainText();
            if (split_[kFieldBalance] != text || !IsPlainRecordLine(list_[i], split_)) {
                writable_->Put(i, ReplaceRecordField(list_[i], split_, kFieldBalance, text));
                split_.Split(list_[i]);
            }
        }
    }

    const LineList& list_;
    LineList* writable_;  // the same list, when the walk writes its balances
    std::vector<BookWalk>& walks_;
    SlotCache slots_;
    const std::string useTypeName_;
    RecordSplit split_;
    std::string completed_;  // an old-form record completed without changing the list
};

}  // namespace

void Recompute(Ledger& ledger, Balances& balances, int startLine, std::string_view name,
               std::string_view kind, int currentMonth) {
    if (startLine < 0) startLine = 0;
    std::vector<BookWalk> walks;
    walks.emplace_back(ledger, balances, startLine, name, kind);
    LineWalker(ledger, &ledger.transactions, walks).Run(startLine);
    walks.front().Finish(currentMonth);
}

std::vector<Balances> RecomputeBooks(Ledger& ledger, const std::vector<BookId>& books,
                                     int currentMonth) {
    std::vector<Balances> balances(books.size());
    std::vector<BookWalk> walks;
    walks.reserve(books.size());
    for (std::size_t b = 0; b < books.size(); ++b)
        walks.emplace_back(ledger, balances[b], 0, books[b].name, books[b].kind);
    LineWalker(ledger, &ledger.transactions, walks).Run(0);
    for (BookWalk& walk : walks) walk.Finish(currentMonth);
    return balances;
}

bool BalancesOverflow(const Ledger& ledger, const std::vector<BookId>& books) {
    std::vector<Balances> balances(books.size());
    std::vector<BookWalk> walks;
    walks.reserve(books.size());
    for (std::size_t b = 0; b < books.size(); ++b)
        walks.emplace_back(ledger, balances[b], 0, books[b].name, books[b].kind);
    LineWalker(ledger, nullptr, walks).Run(0);
    for (const Balances& figures : balances)
        if (figures.overflow) return true;
    return false;
}

void RetagPeriods(Ledger& ledger) {
    const std::string useTypeName = ledger.UseTypeName();
    const Periods& p = ledger.periods;
    LineList& list = ledger.transactions;
    RecordSplit split;
    for (int i = 0; i < list.Count(); ++i) {
        split.Split(list[i]);
        if (split.Count() <= 8) {
            list.Put(i, CompleteOldFormRecord(split, useTypeName));
            split.Split(list[i]);
        }
        auto date = Date::TryParse(split[kFieldDate]);
        if (!date) continue;
        int k = p.LastSlotOf(*date);
        if (k == 0) k = *date < p.start[ledger.startMonth] ? ledger.startMonth : ledger.LastMonth();
        std::string tag = MonthTag(k);
        if (split[kFieldTag] != tag || !IsPlainRecordLine(list[i], split))
            list.Put(i, ReplaceRecordField(list[i], split, kFieldTag, tag));
    }
}

}  // namespace velmora
