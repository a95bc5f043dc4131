#include "core/reports/summary_cells.h"

namespace velmora {
namespace {

constexpr int kFillReach = 3;
constexpr int kTextTopGap = 2;
constexpr int kTextWidthLoss = 5;

}  // namespace

SummaryCellLook SummaryCellLookOf(const SummaryGrid& grid, int column, int row,
                                  bool negativeInRed) {
    if (row == 0 || column == kMarkerColumn) return {true, kFixedCellFace, kTextBlack, false};
    return {false, kCellWhite, SummaryCellColour(grid.Cell(column, row), negativeInRed), true};
}

CellBox SummaryCellFillBox(const CellBox& cell) {
    return {cell.left - kFillReach, cell.top, cell.width + kFillReach, cell.height};
}

CellBox SummaryCellTextBox(const CellBox& cell) {
    return {cell.left - kFillReach, cell.top + kTextTopGap, cell.width - kTextWidthLoss,
            cell.height - kTextTopGap};
}

std::array<std::string, 2> SummaryStatusTexts(const MonthlySummary& summary) {
    return {summary.selector().Selected().name, summary.drillLevel() == 0 ? kDrillHint : kBackHint};
}

}  // namespace velmora
