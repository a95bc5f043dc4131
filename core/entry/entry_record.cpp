#include "core/entry/entry_record.h"

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

int DateOrderPosition(const TLightStrings& list, Date date) {
    for (int i = list.Count() - 1; i >= 0; --i) {
        auto lineDate = Date::TryParse(LeadingRecordField(list[i], kFieldDate));
        if (lineDate && *lineDate <= date) return i + 1;
    }
    return 0;
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
