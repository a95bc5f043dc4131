#include "core/entry/money_count.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "core/ledger/record.h"
#include "core/ledgerview/record_side.h"
#include "core/util/paths.h"

namespace velmora {
namespace {

std::optional<std::int64_t> WholeNumber(std::string_view text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

Amount AmountOr0(std::string_view text) {
    return Amount::TryParse(text).value_or(Amount());
}

}  // namespace

Amount MoneyCount::RowAmount(int kind) const {
    const auto k = static_cast<std::size_t>(kind);
    return Amount::FromYen(kMoneyKindsInOrder[k].yen * counts[k]);
}

Amount MoneyCount::Total() const {
    Amount total;
    for (int k = 0; k < kMoneyKinds; ++k) total += RowAmount(k);
    return total;
}

Amount CashBalanceAtDayEnd(const Ledger& ledger, Date day) {
    const BookId cash = ledger.CashBook();
    Amount balance = ledger.openingBalance;
    RecordSplit record;
    for (const std::string& line : ledger.transactions.Items()) {
        if (!IsRecordLine(line)) continue;
        const auto date = Date::TryParse(LeadingRecordField(line, kFieldDate));
        if (!date) continue;
        if (day < *date) break;  // the list is in date order
        record.Split(line);
        if (!record.BelongsTo(cash.kind, cash.name)) continue;
        const SeenAmounts seen = AmountsSeenBy(record, cash.kind, cash.name);
        balance += AmountOr0(seen.income) - AmountOr0(seen.expense);
    }
    return balance;
}

MoneyCountBalance MoneyCountBalanceOn(const Ledger& ledger, Date day) {
    return {day, CashBalanceAtDayEnd(ledger, day),
            ledger.UseTypeName() + "残高 (" + day.ShortText() + ")"};
}

std::string MoneyCountDayCaption(const char* which, Date day) {
    return std::string(which) + " (" + day.ShortText() + ")";
}

void SetUpCountField(NumberField& field) {
    field.SetFigure(0);
    field.SetMin(0);
    field.SetMax(static_cast<long double>(kMoneyCountLimit));
    field.SetLimit(true);
    field.SetMaxLength(kMoneyCountDigits);
    field.SetZeroVisible(false);
}

bool IsCountCharacter(char32_t c) {
    return (c >= U'0' && c <= U'9') || (c >= U'０' && c <= U'９');
}

MoneyCount LoadMoneyCount(const std::string& workingFolder) {
    MoneyCount count;
    std::ifstream in(JoinPath(workingFolder, kMoneyCountFileName));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t comma = line.find(',');
        if (comma == std::string::npos) continue;
        const auto yen = WholeNumber(std::string_view(line).substr(0, comma));
        const auto n = WholeNumber(std::string_view(line).substr(comma + 1));
        if (!yen || !n || *n < 0 || *n > kMoneyCountLimit) continue;
        for (int k = 0; k < kMoneyKinds; ++k)
            if (kMoneyKindsInOrder[static_cast<std::size_t>(k)].yen == *yen)
                count.counts[static_cast<std::size_t>(k)] = *n;
    }
    return count;
}

void SaveMoneyCount(const std::string& workingFolder, const MoneyCount& count, FileWriter& writer) {
    std::ostringstream text;
    for (int k = 0; k < kMoneyKinds; ++k) {
        const auto i = static_cast<std::size_t>(k);
        text << kMoneyKindsInOrder[i].yen << ',' << count.counts[i] << "\r\n";
    }
    writer.WriteAtomic(JoinPath(workingFolder, kMoneyCountFileName), text.str());
}

}  // namespace velmora
