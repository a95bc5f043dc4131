#pragma once
// The income/expense graph: for each fiscal month a pair of bars and six figures, worked
// out from the two total rows of the monthly summary. Positions are pixels inside the
// graph panel.
#include <array>
#include <string>

#include "core/reports/report_colours.h"
#include "core/reports/summary_grid.h"

namespace velmora {

inline constexpr int kGraphFirstLeft = 93;  // left edge of month 1's income bar
inline constexpr int kGraphMonthStep = 96;
inline constexpr int kGraphBarWidth = 35;
inline constexpr int kGraphExpenseOffset = 41;  // expense bar left of the income bar's
inline constexpr int kGraphBaseLine = 335;      // bars stand on this line
inline constexpr int kGraphMaxBarHeight = 300;
inline constexpr int kGraphMinBarHeight = 5;  // a non-zero month never vanishes
inline constexpr RgbColour kIncomeBarColour{128, 128, 192};
inline constexpr RgbColour kExpenseBarColour{64, 128, 128};
inline constexpr RgbColour kMonthLabelColour{83, 85, 108};

// Left edge of the month column Z = 1..12 (its income bar and month label).
inline int GraphColumnLeft(int z) {
    return kGraphFirstLeft + kGraphMonthStep * (z - 1);
}

struct GraphLabel {
    std::string caption;
    int fontSize = 0;  // 0: the label's own size
    bool operator==(const GraphLabel&) const = default;
};

struct GraphBar {
    int top = 0;
    int height = 0;
    bool operator==(const GraphBar&) const = default;
};

struct GraphMonth {
    GraphLabel month;  // the summary's month header, "4月度"
    std::string hint;  // "2014/4/01"
    GraphLabel incomeTotal;
    GraphLabel cumulativeIncome;
    GraphLabel expenseTotal;
    GraphLabel cumulativeExpense;
    GraphLabel difference;
    GraphLabel cumulativeDifference;
    GraphBar income;
    GraphBar expenses;
};

struct GraphFigures {
    std::array<GraphMonth, 12> months;  // Z = 1..12 at index Z - 1
    GraphLabel scaleTop;
    GraphLabel scaleMiddle;
};

// incomeTotalRow / expenseTotalRow: the rows of the summary's two total rows, 0 when the
// summary has no such section.
GraphFigures GraphFiguresOf(const SummaryGrid& grid, int incomeTotalRow, int expenseTotalRow,
                            int startYear, int startMonth);

}  // namespace velmora
