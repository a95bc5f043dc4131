#include "core/ledger/balances.h"

#include "core/ledger/record.h"
#include "core/util/date.h"

namespace velmora {
namespace {

Amount AmountOr0(std::string_view text) { return Amount::TryParse(text).value_or(Amount()); }

// The slot whose month-end balances a record of this date sets; 0 when it lies in a gap
// between periods or has no date.
int BalanceSlotOf(const Ledger& ledger, std::string_view dateText) {
    auto date = Date::TryParse(dateText);
    if (!date) return 0;
    const Periods& p = ledger.periods;
    int k = p.FirstSlotOf(*date);
    if (*date <= p.start[ledger.startMonth]) k = ledger.startMonth;
    if (*date >= p.end[ledger.LastMonth()]) k = ledger.LastMonth();
    return k;
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

// One book's walk over the transaction list, a line at a time. Recompute walks one book;
// RecomputeBooks takes each line through the walks of several books in list order, which
// leaves every line and every figure as walking the books one after the other would.
class BookWalk {
public:
    BookWalk(const Ledger& ledger, Balances& balances, int startLine, std::string_view name,
             std::string_view kind)
        : balances_(balances), name_(name), kind_(kind), lastMonth_(ledger.LastMonth()) {
        balances.current = Amount();
        b_ = StartingBalance(ledger, startLine, name, kind);
        balances.starting = b_;
        if (startLine == 0)
            for (int k = 1; k <= 12; ++k) balances.monthEnd[static_cast<std::size_t>(k)] = b_;
    }

    // Line i, split into split. True when the line was rewritten (split then views the
    // old text and must be renewed before another walk reads it).
    bool Step(Ledger& ledger, int i, RecordSplit& split, std::string_view useTypeName) {
        TLightStrings& list = ledger.transactions;
        bool rewritten = false;
        if (split.Count() <= 9) {
            list.Put(i, CompleteOldFormRecord(split, useTypeName));
            split.Split(list[i]);
        }
        if (!split.BelongsTo(kind_, name_)) return rewritten;
        Amount income = AmountOr0(split[kFieldIncome]);
        Amount expense = AmountOr0(split[kFieldExpense]);
        if (split.IsOwnBook(kind_, name_))
            b_ += income - expense;
        else
            b_ += expense - income;
        // The slot is read before the line is rewritten: split views the old text.
        const int k = BalanceSlotOf(ledger, split[kFieldDate]);
        std::string text = b_.PlainText();
        if (split[kFieldBalance] != text || !IsPlainRecordLine(list[i], split)) {
            list.Put(i, ReplaceRecordField(list[i], split, kFieldBalance, text));
            rewritten = true;
        }
        if (k == 0) return rewritten;
        for (int m = k;; m = m % 12 + 1) {
            balances_.monthEnd[static_cast<std::size_t>(m)] = b_;
            if (m == lastMonth_) break;
        }
        return rewritten;
    }

    void Finish(int currentMonth) {
        // With no record of the book the current balance is the one it started from, so
        // that an empty ledger carries its opening balance into the next year.
        balances_.current = b_;
        // All months shown (13): the balance at the end of the fiscal year.
        int month = currentMonth >= 1 && currentMonth <= 12 ? currentMonth : lastMonth_;
        balances_.currentMonth = balances_.monthEnd[static_cast<std::size_t>(month)];
    }

private:
    Balances& balances_;
    std::string_view name_;
    std::string_view kind_;
    int lastMonth_;
    Amount b_;
};

}  // namespace

void Recompute(Ledger& ledger, Balances& balances, int startLine, std::string_view name,
               std::string_view kind, int currentMonth) {
    if (startLine < 0) startLine = 0;
    BookWalk walk(ledger, balances, startLine, name, kind);
    const std::string useTypeName = ledger.UseTypeName();
    TLightStrings& list = ledger.transactions;
    RecordSplit split;
    for (int i = startLine; i < list.Count(); ++i) {
        split.Split(list[i]);
        walk.Step(ledger, i, split, useTypeName);
    }
    walk.Finish(currentMonth);
}

std::vector<Balances> RecomputeBooks(Ledger& ledger, const std::vector<BookId>& books,
                                     int currentMonth) {
    std::vector<Balances> balances(books.size());
    std::vector<BookWalk> walks;
    walks.reserve(books.size());
    for (std::size_t b = 0; b < books.size(); ++b)
        walks.emplace_back(ledger, balances[b], 0, books[b].name, books[b].kind);
    const std::string useTypeName = ledger.UseTypeName();
    TLightStrings& list = ledger.transactions;
    RecordSplit split;
    for (int i = 0; i < list.Count(); ++i) {
        split.Split(list[i]);
        for (BookWalk& walk : walks)
            if (walk.Step(ledger, i, split, useTypeName)) split.Split(list[i]);
    }
    for (BookWalk& walk : walks) walk.Finish(currentMonth);
    return balances;
}

void RetagPeriods(Ledger& ledger) {
    const std::string useTypeName = ledger.UseTypeName();
    const Periods& p = ledger.periods;
    TLightStrings& list = ledger.transactions;
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
