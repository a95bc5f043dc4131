#include "core/reports/month_columns.h"

#include "core/util/date.h"

namespace velmora {

MonthColumns::MonthColumns(int startMonth) {
    int month = startMonth;
    for (int position = 1; position <= 12; ++position) {
        position_.at(static_cast<std::size_t>(month)) = position;
        month = month == 12 ? 1 : month + 1;
    }
}

std::string MonthTabCaption(int startMonth, int tab) {
    return std::to_string(FiscalMonthAt(startMonth, tab - 1)) + "月";
}

MonthColumns SetUpMonthColumns(SummaryGrid& grid, int startMonth) {
    MonthColumns columns(startMonth);
    grid.SetCell(kLabelColumn, 0, std::string(kTitleHeader));
    for (int tab = 1; tab <= 12; ++tab)
        grid.SetCell(tab + 1, 0, MonthTabCaption(startMonth, tab) + "度");
    grid.SetCell(kYearTotalColumn, 0, std::string(kYearTotalHeader));
    grid.ClearBody();
    return columns;
}

std::string SummaryRangeLabel(const Ledger& ledger) {
    constexpr const char* kPattern = "yyyy年mm月dd日";
    return FormatDate(kPattern, ledger.FirstDay()) + "～" + FormatDate(kPattern, ledger.LastDay());
}

}  // namespace velmora
