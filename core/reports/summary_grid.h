#pragma once
// The cells of the monthly summary grid: 15 columns of text, row 0 the header. The grid
// only ever grows, as the window's grid does: a smaller table leaves the rows below it
// empty.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr int kSummaryColumns = 15;
inline constexpr int kSummaryInitialRows = 50;
inline constexpr int kMarkerColumn = 0;
inline constexpr int kLabelColumn = 1;
inline constexpr int kFirstMonthColumn = 2;
inline constexpr int kLastMonthColumn = 13;
inline constexpr int kYearTotalColumn = 14;

// Texts the build writes and the drill-down recognises.
inline constexpr std::string_view kHeadingMarker = "-";
inline constexpr std::string_view kLastRowMarker = "=";
inline constexpr std::string_view kIncomeHeading = "■収入の部";
inline constexpr std::string_view kExpenseHeading = "■支出の部";
inline constexpr std::string_view kTotalLabel = "　[合　計]";
inline constexpr std::string_view kBalanceLabel = "【収　支　計】";
inline constexpr std::string_view kTitleHeader = "科　目";
inline constexpr std::string_view kYearTotalHeader = "科目年間計";

class SummaryGrid {
public:
    using Row = std::array<std::string, kSummaryColumns>;

    SummaryGrid() : rows_(kSummaryInitialRows) {}

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const std::string& Cell(int column, int row) const;
    void SetCell(int column, int row, std::string text);
    const Row& RowAt(int row) const;

    // Enlarges the grid to exactly rows rows (the new ones empty) when it has fewer.
    void EnsureRows(int rows);
    // Empties every cell of rows 1 to the last.
    void ClearBody();

private:
    std::vector<Row> rows_;
};

}  // namespace velmora
