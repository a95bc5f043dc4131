#include "core/reports/graph_figures.h"

#include <algorithm>
#include <cstdint>

#include "core/util/fields.h"
#include "core/util/text_length.h"

namespace velmora {
namespace {

Amount ScaleValue(std::string_view text) {
    return Amount::TryParse(PlainAmountText(text)).value_or(Amount());
}

// A month's figure as the running sums take it: whole yen in 64 bits, like every other
// amount, so that a month of billions is counted rather than dropped.
std::int64_t RunningValue(std::string_view text) {
    return ScaleValue(text).TruncatedYen();
}

// Long figures get a smaller font so that they fit their label.
GraphLabel FigureLabel(std::string caption, bool cumulativeDifference) {
    GraphLabel label{std::move(caption), 0};
    const std::size_t length = CodePointCount(label.caption);
    if (length == 11 || length == 12) label.fontSize = 8;
    if (length == 13) label.fontSize = cumulativeDifference ? 8 : 7;
    return label;
}

GraphLabel ScaleLabel(std::int64_t yen) {
    GraphLabel label{GroupThousands(yen), 0};
    const std::size_t length = CodePointCount(label.caption);
    if (length >= 11 && length <= 14) label.fontSize = 8;
    return label;
}

// Bars grow up from the base line; the largest month reaches the full height. A month
// that is not zero shows at least a small bar, and a negative month shows as one too
// rather than a bar of negative height.
GraphBar Bar(std::string_view monthlyText, Amount scale) {
    const std::int64_t value = ScaleValue(monthlyText).TruncatedYen();
    std::int64_t height = kGraphMaxBarHeight * value / scale.TruncatedYen();
    height = std::max<std::int64_t>(height, 0);
    if (height == 0 && monthlyText != "0") height = kGraphMinBarHeight;
    const int h = static_cast<int>(height);
    return {kGraphBaseLine - h, h};
}

std::string TotalCell(const SummaryGrid& grid, int row, int column) {
    return row > 0 ? grid.Cell(column, row) : std::string("0");
}

}  // namespace

GraphFigures GraphFiguresOf(const SummaryGrid& grid, int incomeTotalRow, int expenseTotalRow,
                            int startYear, int startMonth) {
    GraphFigures graph;
    Amount scale;
    int year = startYear, month = startMonth;
    std::int64_t cumulativeIncome = 0, cumulativeExpense = 0, cumulativeDifference = 0;
    for (int z = 1; z <= 12; ++z) {
        GraphMonth& m = graph.months[static_cast<std::size_t>(z - 1)];
        const int column = z + 1;
        m.month = {grid.Cell(column, 0), 0};
        m.hint = std::to_string(year) + "/" + std::to_string(month) + "/01";
        if (++month > 12) {
            month = 1;
            ++year;
        }
        const std::string incomeText = TotalCell(grid, incomeTotalRow, column);
        const std::string expenseText = TotalCell(grid, expenseTotalRow, column);
        scale = std::max({scale, ScaleValue(incomeText), ScaleValue(expenseText)});

        const std::int64_t income = RunningValue(incomeText);
        const std::int64_t expense = RunningValue(expenseText);
        const std::int64_t difference = income - expense;
        m.incomeTotal = FigureLabel(incomeText, false);
        m.expenseTotal = FigureLabel(expenseText, false);
        m.difference = FigureLabel(GroupThousands(difference), false);
        if (z == 1) {
            // The first month's cumulative figures are its own labels.
            m.cumulativeIncome = FigureLabel(incomeText, false);
            m.cumulativeExpense = FigureLabel(expenseText, false);
            m.cumulativeDifference = FigureLabel(m.difference.caption, true);
        } else {
            m.cumulativeIncome = FigureLabel(GroupThousands(cumulativeIncome + income), false);
            m.cumulativeExpense = FigureLabel(GroupThousands(cumulativeExpense + expense), false);
            m.cumulativeDifference =
                FigureLabel(GroupThousands(cumulativeDifference + difference), true);
        }
        cumulativeIncome += income;
        cumulativeExpense += expense;
        cumulativeDifference += difference;
    }
    if (scale.IsZero()) scale = Amount::FromYen(1);
    for (GraphMonth& m : graph.months) {
        m.income = Bar(m.incomeTotal.caption, scale);
        m.expenses = Bar(m.expenseTotal.caption, scale);
    }
    graph.scaleTop = ScaleLabel(scale.TruncatedYen());
    graph.scaleMiddle = ScaleLabel(scale.TruncatedYen() / 2);
    return graph;
}

}  // namespace velmora
