#pragma once
// How the summary grid shows its cells: which are fixed (the header row and the marker
// column, drawn as the grid draws its own), and how a body cell is painted: white, its
// text right-aligned in black, or red for a negative figure when the option asks for it.
// Boxes are pixels of the cell rectangle the grid gives.
#include <array>
#include <string>

#include "core/reports/monthly_summary.h"
#include "core/reports/report_colours.h"
#include "core/reports/summary_grid.h"

namespace velmora {

inline constexpr RgbColour kFixedCellFace{240, 240, 240};

struct SummaryCellLook {
    bool fixed = false;
    RgbColour background;
    RgbColour text;
    bool rightAligned = false;
    bool operator==(const SummaryCellLook&) const = default;
};

SummaryCellLook SummaryCellLookOf(const SummaryGrid& grid, int column, int row, bool negativeInRed);

struct CellBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const CellBox&) const = default;
};

// The white fill of a body cell reaches 3 pixels into the cell on its left, so that the
// figures of a row read as one band.
CellBox SummaryCellFillBox(const CellBox& cell);
// The box a body cell's text is right-aligned in: from 3 pixels left of the cell and 2
// below its top, one column width less 5 pixels wide.
CellBox SummaryCellTextBox(const CellBox& cell);

inline constexpr const char* kDrillHint = "科目をダブルクリックすると摘要別の明細を表示します";
inline constexpr const char* kBackHint = "「Back」で科目一覧に戻ります";

// The page's status bar: the book summarised, and what the user can do from this level.
std::array<std::string, 2> SummaryStatusTexts(const MonthlySummary& summary);

}  // namespace velmora
