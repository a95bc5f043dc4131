#pragma once
// "表をコピー": the summary as tab-separated text for the clipboard, so that a spreadsheet
// pastes it as a table: the header row first, then one line per grid row, figures without
// thousands separators.
#include <string>
#include <vector>

#include "core/reports/summary_grid.h"

namespace velmora {

inline constexpr const char* kCopyTableCaption = "表をコピー";

struct GridCell {
    int column = 0;
    int row = 0;
};

// The selected cells (grid rows from 1), or the whole table (rows 1 to lastRow, the row
// marked "=") when fewer than two cells of it are selected. Only the columns and rows that
// hold a selected cell are written; a cell of them that is not selected stays empty. The
// marker column is never written: it is the grid's own bookkeeping, and a lone "=" or "-"
// would be taken for a formula.
std::string SummaryTableText(const SummaryGrid& grid, int lastRow,
                             const std::vector<GridCell>& selected);

}  // namespace velmora
