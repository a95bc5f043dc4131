#include "tools/make_styles/ruled_table.h"

#include <utility>

namespace velmora {
namespace {

constexpr int kFrameWidth = 3;
constexpr int kHeadingRuleWidth = 2;
constexpr int kColumnRuleWidth = 1;
constexpr int kRowRuleWidth = 0;

}  // namespace

RuledTable::RuledTable(const TableGeometry& geometry, std::vector<Column> columns)
    : geometry_(geometry), columns_(std::move(columns)) {}

double RuledTable::Right() const {
    return ColumnRight(columns_.size() - 1);
}

double RuledTable::Bottom() const {
    return RowTop(geometry_.rows + 1);
}

double RuledTable::ColumnLeft(std::size_t column) const {
    double x = geometry_.left;
    for (std::size_t i = 0; i < column; ++i) x += columns_.at(i).width;
    return x;
}

double RuledTable::ColumnRight(std::size_t column) const {
    return ColumnLeft(column) + columns_.at(column).width;
}

double RuledTable::RowTop(int row) const {
    return BodyTop() + (row - 1) * geometry_.rowHeight;
}

double RuledTable::TextTop(int row, int points) const {
    return RowTop(row) + (geometry_.rowHeight - EmOf(points)) / 2;
}

double RuledTable::HeadingTextTop(int points) const {
    return geometry_.top + (geometry_.headingHeight - EmOf(points)) / 2;
}

double RuledTable::CentredX(std::size_t column, std::string_view text, int points) const {
    return ColumnLeft(column) + (columns_.at(column).width - EstimatedWidth(text, points)) / 2;
}

void RuledTable::AddHeadingBand(StyleSheet& sheet, std::optional<int> fill) const {
    if (!fill) return;
    sheet.AddFilledBox({Left(), Top(), Right(), BodyTop()}, *fill);
}

void RuledTable::AddRules(StyleSheet& sheet) const {
    for (int row = 2; row <= geometry_.rows; ++row) {
        sheet.AddLine({Left(), RowTop(row), Right(), RowTop(row)}, kRowRuleWidth, kDottedPen);
    }
    for (std::size_t column = 1; column < columns_.size(); ++column) {
        const double x = ColumnLeft(column);
        sheet.AddLine({x, Top(), x, Bottom()}, kColumnRuleWidth);
    }
    if (geometry_.headingHeight > 0) {
        sheet.AddLine({Left(), BodyTop(), Right(), BodyTop()}, kHeadingRuleWidth);
    }
    sheet.AddRect({Left(), Top(), Right(), Bottom()}, kFrameWidth);
}

void RuledTable::AddCaptions(StyleSheet& sheet, std::string_view font, int points) const {
    for (std::size_t column = 0; column < columns_.size(); ++column) {
        const std::string_view caption = columns_[column].caption;
        if (caption.empty()) continue;
        sheet.AddText({.x = CentredX(column, caption, points),
                       .y = HeadingTextTop(points),
                       .font = font,
                       .points = points,
                       .text = std::string(caption)});
    }
}

}  // namespace velmora
