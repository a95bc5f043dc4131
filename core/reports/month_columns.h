#pragma once
// Where each calendar month sits in the summary: the fiscal months fill columns 2..13
// in order from the start month; and the header row and the period label above it.
#include <array>
#include <string>

#include "core/ledger/ledger.h"
#include "core/reports/summary_grid.h"

namespace velmora {

class MonthColumns {
public:
    MonthColumns() = default;
    explicit MonthColumns(int startMonth);

    // The fiscal position 1..12 of calendar month 1..12.
    int PositionOf(int month) const { return position_.at(static_cast<std::size_t>(month)); }
    // The grid column 2..13 of calendar month 1..12.
    int ColumnOf(int month) const { return PositionOf(month) + 1; }

private:
    std::array<int, 13> position_{};  // slot 0 unused
};

// The caption of month tab 1..12 of the ledger view: the month number and "月", in fiscal
// order from the start month ("4月" on tab 1 of a year starting in April).
std::string MonthTabCaption(int startMonth, int tab);

// Fills the month map, writes the header row and empties rows 1 to the last.
MonthColumns SetUpMonthColumns(SummaryGrid& grid, int startMonth);

// The fiscal year the summary covers: its first day, "～", its last day, both
// "yyyy年mm月dd日".
std::string SummaryRangeLabel(const Ledger& ledger);

}  // namespace velmora
