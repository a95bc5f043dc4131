#pragma once
// A ruled table on a plain-paper page: a heading band of column captions over rows of equal
// height, with a frame, column rules and dotted row rules.
#include <optional>
#include <string_view>
#include <vector>

#include "tools/make_styles/style_sheet.h"

namespace velmora {

struct Column {
    std::string_view caption;
    double width = 0;
};

struct TableGeometry {
    double left = 0;
    double top = 0;
    double headingHeight = 0;
    double rowHeight = 0;
    int rows = 0;
};

class RuledTable {
public:
    RuledTable(const TableGeometry& geometry, std::vector<Column> columns);

    double Left() const { return geometry_.left; }
    double Right() const;
    double Top() const { return geometry_.top; }
    double BodyTop() const { return geometry_.top + geometry_.headingHeight; }
    double Bottom() const;
    double ColumnLeft(std::size_t column) const;
    double ColumnRight(std::size_t column) const;
    // Row 1 is the first row below the heading.
    double RowTop(int row) const;
    // The top of a text of that size centred vertically in the row or in the heading band.
    double TextTop(int row, int points) const;
    double HeadingTextTop(int points) const;
    // The x at which a text of that size starts when centred in the column.
    double CentredX(std::size_t column, std::string_view text, int points) const;

    // The heading band in the fill colour; nothing for a white heading.
    void AddHeadingBand(StyleSheet& sheet, std::optional<int> fill) const;
    void AddRules(StyleSheet& sheet) const;
    void AddCaptions(StyleSheet& sheet, std::string_view font, int points) const;

private:
    TableGeometry geometry_;
    std::vector<Column> columns_;
};

}  // namespace velmora
