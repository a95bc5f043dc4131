#include "core/reports/summary_grid.h"

#include "core/util/errors.h"

namespace velmora {

const std::string& SummaryGrid::Cell(int column, int row) const {
    if (column < 0 || column >= kSummaryColumns) throw ListIndexError();
    return RowAt(row)[static_cast<std::size_t>(column)];
}

void SummaryGrid::SetCell(int column, int row, std::string text) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= kSummaryColumns)
        throw ListIndexError();
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
}

const SummaryGrid::Row& SummaryGrid::RowAt(int row) const {
    if (row < 0 || row >= RowCount()) throw ListIndexError();
    return rows_[static_cast<std::size_t>(row)];
}

void SummaryGrid::EnsureRows(int rows) {
    if (rows > RowCount()) rows_.resize(static_cast<std::size_t>(rows));
}

void SummaryGrid::ClearBody() {
    for (std::size_t r = 1; r < rows_.size(); ++r)
        for (auto& cell : rows_[r]) cell.clear();
}

}  // namespace velmora
