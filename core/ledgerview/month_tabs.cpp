#include "core/ledgerview/month_tabs.h"

#include "core/ledger/periods.h"

namespace velmora {

std::vector<std::string> MonthTabCaptions(int startMonth) {
    std::vector<std::string> captions{"ALL"};
    for (int i = 0; i < 12; ++i)
        captions.push_back(std::to_string(FiscalMonthAt(startMonth, i)) + "月");
    return captions;
}

int MonthOfTab(int startMonth, int tab) {
    return tab >= 1 && tab <= 12 ? FiscalMonthAt(startMonth, tab - 1) : 13;
}

int TabOfMonth(int startMonth, int month) {
    return month >= 1 && month <= 12 ? FiscalPositionOf(startMonth, month) : 0;
}

}  // namespace velmora
