#include "core/reports/summary_copy.h"

#include <algorithm>
#include <set>
#include <utility>

#include "core/util/fields.h"

namespace velmora {
namespace {

bool IsFigureColumn(int column) {
    return column >= kFirstMonthColumn && column <= kYearTotalColumn;
}

// A tab or line break inside a label would break the table's shape.
void AppendCell(std::string& out, const std::string& text, bool figure) {
    if (figure && !text.empty()) {
        out += PlainAmountText(text);
        return;
    }
    for (char c : text) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

void AppendLine(std::string& out, const SummaryGrid& grid, int row, const std::set<int>& columns,
                const std::set<std::pair<int, int>>* only) {
    bool first = true;
    for (int column : columns) {
        if (!first) out += '\t';
        first = false;
        if (only == nullptr || only->count({column, row}) > 0)
            AppendCell(out, grid.Cell(column, row), row > 0 && IsFigureColumn(column));
    }
    out += '\n';
}

}  // namespace

std::string SummaryTableText(const SummaryGrid& grid, int lastRow,
                             const std::vector<GridCell>& selected) {
    std::set<std::pair<int, int>> cells;
    for (const GridCell& cell : selected)
        if (cell.column > kMarkerColumn && cell.column < kSummaryColumns && cell.row >= 1 &&
            cell.row < grid.RowCount())
            cells.insert({cell.column, cell.row});

    std::set<int> columns, rows;
    const bool whole = cells.size() < 2;
    if (whole) {
        for (int c = kLabelColumn; c < kSummaryColumns; ++c) columns.insert(c);
        for (int r = 1; r <= std::min(lastRow, grid.RowCount() - 1); ++r) rows.insert(r);
    } else {
        for (const auto& [column, row] : cells) {
            columns.insert(column);
            rows.insert(row);
        }
    }
    std::string text;
    AppendLine(text, grid, 0, columns, nullptr);
    for (int row : rows) AppendLine(text, grid, row, columns, whole ? nullptr : &cells);
    return text;
}

}  // namespace velmora
