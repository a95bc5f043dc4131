#include "core/entry/entry_checks.h"

#include "core/util/codepage.h"
#include "core/util/fields.h"

namespace velmora {
namespace {

bool BeyondEntryLimit(Amount amount) {
    const std::int64_t yen = amount.TruncatedYen();
    return yen > kEntryAmountLimitYen || yen < -kEntryAmountLimitYen;
}

}  // namespace

std::string BeforeStartMessage(Date firstDay) {
    return "開始日以前の日付は入力できません\r\n記録開始日は" + firstDay.ShortText() + "です";
}

std::string AmountsRefusal(Amount income, Amount expense) {
    if (BeyondEntryLimit(income) || BeyondEntryLimit(expense)) return kEntryAmountLimitMessage;
    if (income > Amount() && expense > Amount()) return kBothAmountsMessage;
    return {};
}

std::string MissingRefusal(Amount income, Amount expense, const std::string& title,
                           const std::string& description) {
    if (income.IsZero() && expense.IsZero()) return kNoAmountMessage;
    if (WideTrim(title).empty()) return kNoTitleMessage;
    if (WideTrim(description).empty()) return kNoDescriptionMessage;
    return {};
}

std::string UnlistedTitleRefusal(const std::string& title,
                                 const std::vector<std::string>& titleList,
                                 const std::string* keptTitle) {
    if (keptTitle != nullptr && title == *keptTitle) return {};
    for (const auto& listed : titleList)
        if (title == listed) return {};
    return kUnlistedTitleMessage;
}

std::string DateRefusal(const Ledger& ledger, Date date, int& month) {
    const Periods& periods = ledger.periods;
    const Date firstDay = ledger.FirstDay();
    if (date < firstDay.AddDays(-1)) return BeforeStartMessage(firstDay);
    month = periods.LastSlotOf(date);
    if (month == 0) return kNoPeriodMessage;
    if (periods.IsLocked(month)) return kLockedEntryMessage;
    return {};
}

std::string Cp932Refusal(const char* field, const std::string& text) {
    std::string bad = FirstNonCp932Character(text);
    if (bad.empty()) return {};
    return std::string(field) + "の「" + bad + "」はCP932(Shift_JIS)で保存できない文字です。";
}

}  // namespace velmora
