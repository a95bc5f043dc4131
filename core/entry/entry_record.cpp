#include "core/entry/entry_record.h"

#include <algorithm>

#include "core/ledger/ledger_index.h"
#include "core/ledger/periods.h"
#include "core/ledger/record.h"
#include "core/util/fields.h"

namespace velmora {

EntrySides SidesOfEntry(EntryTab tab, const BookId& own, const std::string& picked,
                        const std::string& useTypeName) {
    const bool fromCash = own.kind.empty() || own.kind == kCashKind;
    if (tab == EntryTab::Titles) {
        if (fromCash) return {{std::string(kCashKind), useTypeName}, picked};
        return {own, picked};
    }
    const bool petty = tab == EntryTab::PettyCash;
    std::string kind(petty ? kPettyKind : kBankKind);
    if (!fromCash && picked == useTypeName) kind = kCashKind;
    return {{kind, picked}, std::string(petty ? kPettyTransferTitle : kBankTransferTitle)};
}

std::string EntryRecordText(const EntryRecord& r) {
    std::string text = MonthTag(r.month) + ",";
    text += r.year + "/" + r.monthText + "/" + r.day + ",";
    text += std::to_string(r.entryNumber) + ",";
    text += r.title + "," + r.description + ",";
    text += r.income.PlainText() + "," + r.expense.PlainText() + ",,";
    text += r.own.kind + "," + r.own.name + "," + r.other.kind + "," + r.other.name + ",";
    return text;
}

int DateOrderPosition(const LineList& list, Date date) {
    for (int i = list.Count() - 1; i >= 0; --i) {
        auto lineDate = Date::TryParse(LeadingRecordField(list[i], kFieldDate));
        if (lineDate && *lineDate <= date) return i + 1;
    }
    return 0;
}

std::vector<int> DateOrderPositions(const LineList& list, const std::vector<Date>& dates) {
    // The lines with a date, by date; for each, the last line at or before that date.
    std::vector<std::pair<Date, int>> dated;
    dated.reserve(static_cast<std::size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        if (auto date = Date::TryParse(LeadingRecordField(list[i], kFieldDate)))
            dated.emplace_back(*date, i);
    if (!std::is_sorted(dated.begin(), dated.end())) std::sort(dated.begin(), dated.end());
    std::vector<int> lastLine(dated.size());
    for (std::size_t k = 0; k < dated.size(); ++k)
        lastLine[k] = std::max(dated[k].second, k == 0 ? -1 : lastLine[k - 1]);
    std::vector<int> positions;
    positions.reserve(dates.size());
    for (Date date : dates) {
        const auto after = std::upper_bound(
            dated.begin(), dated.end(), date,
            [](Date d, const std::pair<Date, int>& line) { return d < line.first; });
        const auto k = static_cast<std::size_t>(after - dated.begin());
        positions.push_back(k == 0 ? 0 : lastLine[k - 1] + 1);
    }
    return positions;
}

int DateOrderPosition(const Ledger& ledger, Date date) {
    const LedgerIndex& index = ledger.Index();
    if (!index.DatesInOrder()) return DateOrderPosition(ledger.transactions, date);
    return index.PositionAfterDay(date.Serial());
}

int TaggedMonth(std::string_view line) {
    if (line.size() < 4 || line[0] != 'd' || line[3] != '=') return 0;
    const long long month = IntOr(line.substr(1, 2), 0);
    return month >= 1 && month <= 12 ? static_cast<int>(month) : 0;
}

std::string CleanEntryText(std::string_view typed) {
    return RemoveQuotesAndCommas(CleanTypedText(typed));
}

}  // namespace velmora
