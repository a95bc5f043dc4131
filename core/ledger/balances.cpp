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

}  // namespace

void Recompute(Ledger& ledger, Balances& balances, int startLine, std::string_view name,
               std::string_view kind, int currentMonth) {
    balances.current = Amount();
    if (startLine < 0) startLine = 0;
    Amount b = StartingBalance(ledger, startLine, name, kind);
    balances.starting = b;
    if (startLine == 0)
        for (int k = 1; k <= 12; ++k) balances.monthEnd[static_cast<std::size_t>(k)] = b;

    const std::string useTypeName = ledger.UseTypeName();
    const int lastMonth = ledger.LastMonth();
    TLightStrings& list = ledger.transactions;
    RecordSplit split;
    for (int i = startLine; i < list.Count(); ++i) {
        split.Split(list[i]);
        if (split.Count() <= 9) {
            list.Put(i, CompleteOldFormRecord(split, useTypeName));
            split.Split(list[i]);
        }
        if (!split.BelongsTo(kind, name)) continue;
        Amount income = AmountOr0(split[kFieldIncome]);
        Amount expense = AmountOr0(split[kFieldExpense]);
        if (split.IsOwnBook(kind, name))
            b += income - expense;
        else
            b += expense - income;
        // The slot is read before the line is rewritten: split views the old text.
        const int k = BalanceSlotOf(ledger, split[kFieldDate]);
        std::string text = b.PlainText();
        if (split[kFieldBalance] != text || !IsPlainRecordLine(list[i], split))
            list.Put(i, ReplaceRecordField(list[i], split, kFieldBalance, text));
        if (k == 0) continue;
        for (int m = k;; m = m % 12 + 1) {
            balances.monthEnd[static_cast<std::size_t>(m)] = b;
            if (m == lastMonth) break;
        }
    }
    // With no record of the book the current balance is the one it started from, so
    // that an empty ledger carries its opening balance into the next year.
    balances.current = b;
    // All months shown (13): the balance at the end of the fiscal year.
    int month = currentMonth >= 1 && currentMonth <= 12 ? currentMonth : lastMonth;
    balances.currentMonth = balances.monthEnd[static_cast<std::size_t>(month)];
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
