#include "tools/make_styles/ledger_styles.h"

#include <cmath>

#include "tools/make_styles/page_frame.h"
#include "tools/make_styles/ruled_table.h"

namespace velmora {
namespace {

constexpr int kRowsPerPage = 30;
// A4 portrait; the printable area starts about 4 mm in from the paper's edges, so a
// 184 mm table from x 9 sits in the middle of the sheet.
constexpr TableGeometry kTable{
    .left = 9, .top = 40, .headingHeight = 8, .rowHeight = 7.5, .rows = kRowsPerPage};
constexpr int kTitlePoints = 18;
constexpr int kBodyPoints = 10;
constexpr double kCellPadding = 1.5;
// A digit of the 10-point faces is 1.76 mm wide; 1.9 mm per character leaves a gap.
constexpr double kAmountPitch = -1.9;
constexpr double kAmountPadding = 1;

struct LedgerColumn {
    Column column;
    std::string_view rowPlaceholder;  // followed by the row number
    bool amount = false;
};

std::vector<LedgerColumn> ColumnsOf(LedgerColumns columns) {
    const LedgerColumn date{{"日付", 20}, "#ia_"};
    const LedgerColumn title{{"科目", 32}, "#ib_"};
    // Amounts of 15 characters and more are drawn within 24 mm (the page filler shrinks
    // them), between the paddings of a 26 mm column.
    const LedgerColumn income{{"収入", 26}, "#id_", true};
    const LedgerColumn expense{{"支出", 26}, "#ie_", true};
    const LedgerColumn balance{{"差引残高", 26}, "#if_", true};
    if (columns == LedgerColumns::kWithoutTitle) {
        return {date, {{"摘要", 86}, "#ic_"}, income, expense, balance};
    }
    return {date, title, {{"摘要", 54}, "#ic_"}, income, expense, balance};
}

RuledTable TableOf(const std::vector<LedgerColumn>& columns) {
    std::vector<Column> plain;
    for (const LedgerColumn& column : columns) plain.push_back(column.column);
    return RuledTable(kTable, plain);
}

// As many full-width characters as fit between the paddings of the column.
int MaxLengthOf(const Column& column) {
    return static_cast<int>(std::floor((column.width - 2 * kCellPadding) / EmOf(kBodyPoints)));
}

void AddRowTexts(StyleSheet& sheet, const RuledTable& table,
                 const std::vector<LedgerColumn>& columns, std::string_view font) {
    for (int row = 1; row <= kRowsPerPage; ++row) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const LedgerColumn& column = columns[i];
            TextItem item{.y = table.TextTop(row, kBodyPoints),
                          .font = font,
                          .points = kBodyPoints,
                          .text = std::string(column.rowPlaceholder) + TwoDigits(row),
                          .holdsPlaceholder = true};
            if (column.amount) {
                item.x = table.ColumnRight(i) - kAmountPadding;
                item.pitch = kAmountPitch;
            } else {
                item.x = table.ColumnLeft(i) + kCellPadding;
                // Dates are short; titles and descriptions are cut to their column.
                item.maxLength = column.rowPlaceholder == "#ia_" ? 0 : MaxLengthOf(column.column);
            }
            sheet.AddText(item);
        }
    }
}

// The title is the book's name padded in front to 28 half-width places, so it is centred
// on the point 14 ems to the right of where it starts.
void AddTitle(StyleSheet& sheet, double centreX, std::string_view font) {
    const double em = EmOf(kTitlePoints);
    sheet.AddText({.x = centreX - 14 * em,
                   .y = 10,
                   .font = font,
                   .points = kTitlePoints,
                   .text = "#tl",
                   .weight = FontWeight::kBold,
                   .holdsPlaceholder = true});
    sheet.AddLine({centreX - 45, 18.5, centreX + 45, 18.5}, 1);
}

void AddHeadings(StyleSheet& sheet, LedgerColumns columns, const RuledTable& table,
                 std::string_view font) {
    const double centreX = (table.Left() + table.Right()) / 2;
    AddTitle(sheet, centreX, font);
    if (columns == LedgerColumns::kTitleSearch) {
        // A search prints the fiscal year or one month: the period text says which.
        AddCentredText(sheet, "#PY", "2099年12月", centreX, 21.5, font, 12);
        sheet.AddText({.x = table.Left(),
                       .y = 27,
                       .font = font,
                       .points = 11,
                       .text = "科目：#KF",
                       .holdsPlaceholder = true});
    } else {
        AddCentredText(sheet, "#PY年#PM月分", "2099年12月分", centreX, 21.5, font, 12);
        sheet.AddText({.x = table.Left(),
                       .y = 27,
                       .font = font,
                       .points = 11,
                       .text = "#KF",
                       .holdsPlaceholder = true});
    }
    sheet.AddText({.x = table.Left(),
                   .y = 33,
                   .font = font,
                   .points = 11,
                   .text = "#OF",
                   .holdsPlaceholder = true});
    AddPrintDate(sheet, table.Right(), 34, font);
    AddCentredText(sheet, "- #pg -", "- 99 -", centreX, table.Bottom() + 3, font, 9);
}

}  // namespace

std::string_view LedgerColumnsNamePart(LedgerColumns columns) {
    switch (columns) {
        case LedgerColumns::kWithTitle:
            return "_月分1";
        case LedgerColumns::kWithoutTitle:
            return "_月分2";
        case LedgerColumns::kTitleSearch:
            break;
    }
    return "_科目指定";
}

std::vector<std::string> LedgerPageStyle(LedgerColumns columns, const StyleLook& look) {
    const std::string_view font = FontName(look.typeface);
    const std::vector<LedgerColumn> layout = ColumnsOf(columns);
    const RuledTable table = TableOf(layout);

    StyleSheet sheet(PageSetup{.paperCode = 9});
    sheet.AddRowsPerPage(kRowsPerPage, font);
    table.AddHeadingBand(sheet, HeadingFill(look.heading));
    table.AddRules(sheet);
    table.AddCaptions(sheet, font, kBodyPoints);
    AddHeadings(sheet, columns, table, font);
    AddRowTexts(sheet, table, layout, font);
    return sheet.Lines();
}

}  // namespace velmora
