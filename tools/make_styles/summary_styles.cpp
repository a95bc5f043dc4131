#include "tools/make_styles/summary_styles.h"

#include <cmath>

#include "core/reports/summary_grid.h"
#include "tools/make_styles/page_frame.h"
#include "tools/make_styles/ruled_table.h"

namespace velmora {
namespace {

constexpr int kRowsPerPage = 30;
constexpr int kMonths = 12;
// Row placeholders of the label, the twelve months and the total, in column order.
constexpr std::string_view kColumnPlaceholders[] = {"#ka_", "#kb_", "#kc_", "#kd_", "#ke_",
                                                    "#kf_", "#kg_", "#kh_", "#ki_", "#kj_",
                                                    "#kk_", "#kl_", "#km_", "#kn_"};
constexpr double kLabelPadding = 1;
constexpr double kAmountPadding = 0.8;

// Month columns are as wide as the filler's shrunken amounts need: on A4 a 13-character
// amount at 1.3 mm a character, on B4 at 1.7 mm.
struct SummaryGeometry {
    PageSetup setup;
    TableGeometry table;
    double labelWidth = 0;
    double monthWidth = 0;
    double totalWidth = 0;
    int bodyPoints = 0;
    double monthPitch = 0;
    double totalPitch = 0;
    int titlePoints = 0;
    double titleY = 0;
    double infoY = 0;   // company and print date
    double rangeY = 0;  // fiscal year range and page number
};

SummaryGeometry GeometryOf(SummaryPaper paper) {
    if (paper == SummaryPaper::kA4) {
        // 297 x 210 mm; a table of 274 mm in a printable width of about 289 mm.
        return {.setup = {.paperCode = 9, .landscape = true},
                .table = {.left = 7.5,
                          .top = 25,
                          .headingHeight = 7,
                          .rowHeight = 5.3,
                          .rows = kRowsPerPage},
                .labelWidth = 34,
                .monthWidth = 18,
                .totalWidth = 24,
                .bodyPoints = 9,
                .monthPitch = -1.8,
                .totalPitch = -1.8,
                .titlePoints = 16,
                .titleY = 7,
                .infoY = 8,
                .rangeY = 16};
    }
    // 364 x 257 mm; a table of 344 mm in a printable width of about 356 mm.
    return {
        .setup = {.paperCode = 12, .landscape = true},
        .table = {.left = 6, .top = 30, .headingHeight = 8, .rowHeight = 6.6, .rows = kRowsPerPage},
        .labelWidth = 40,
        .monthWidth = 23,
        .totalWidth = 28,
        .bodyPoints = 11,
        .monthPitch = -2.3,
        .totalPitch = -2.1,
        .titlePoints = 18,
        .titleY = 9,
        .infoY = 10,
        .rangeY = 19};
}

// Descriptions run longer than account titles: a size smaller, so more of them fit.
int LabelPoints(const SummaryGeometry& geometry, SummaryLabel label) {
    return label == SummaryLabel::kDescription ? geometry.bodyPoints - 1 : geometry.bodyPoints;
}

RuledTable TableOf(const SummaryGeometry& geometry) {
    std::vector<Column> columns{{"", geometry.labelWidth}};
    for (int month = 0; month < kMonths; ++month) columns.push_back({"", geometry.monthWidth});
    columns.push_back({"", geometry.totalWidth});
    return RuledTable(geometry.table, columns);
}

// Row 00 is the summary's header row (the caption of the label column, the month names and
// the total's caption): centred in the heading band on the texts the summary puts there.
void AddHeaderRow(StyleSheet& sheet, const RuledTable& table, const SummaryGeometry& geometry,
                  std::string_view font) {
    const std::size_t last = std::size(kColumnPlaceholders) - 1;
    for (std::size_t column = 0; column <= last; ++column) {
        const std::string_view sample = column == 0      ? kTitleHeader
                                        : column == last ? kYearTotalHeader
                                                         : "10月度";
        sheet.AddText({.x = table.CentredX(column, sample, geometry.bodyPoints),
                       .y = table.HeadingTextTop(geometry.bodyPoints),
                       .font = font,
                       .points = geometry.bodyPoints,
                       .text = std::string(kColumnPlaceholders[column]) + "00",
                       .holdsPlaceholder = true});
    }
}

void AddBodyRows(StyleSheet& sheet, const RuledTable& table, const SummaryGeometry& geometry,
                 SummaryLabel label, std::string_view font) {
    const int labelPoints = LabelPoints(geometry, label);
    const int labelLength =
        static_cast<int>(std::floor((geometry.labelWidth - 2 * kLabelPadding) / EmOf(labelPoints)));
    const std::size_t last = std::size(kColumnPlaceholders) - 1;
    for (int row = 1; row <= kRowsPerPage; ++row) {
        sheet.AddText({.x = table.ColumnLeft(0) + kLabelPadding,
                       .y = table.TextTop(row, labelPoints),
                       .font = font,
                       .points = labelPoints,
                       .text = std::string(kColumnPlaceholders[0]) + TwoDigits(row),
                       .maxLength = labelLength,
                       .holdsPlaceholder = true});
        for (std::size_t column = 1; column <= last; ++column) {
            sheet.AddText({.x = table.ColumnRight(column) - kAmountPadding,
                           .y = table.TextTop(row, geometry.bodyPoints),
                           .font = font,
                           .points = geometry.bodyPoints,
                           .text = std::string(kColumnPlaceholders[column]) + TwoDigits(row),
                           .pitch = column == last ? geometry.totalPitch : geometry.monthPitch,
                           .holdsPlaceholder = true});
        }
    }
}

void AddHeadings(StyleSheet& sheet, const RuledTable& table, const SummaryGeometry& geometry,
                 std::string_view font) {
    const double centreX = (table.Left() + table.Right()) / 2;
    AddCentredText(sheet, "#TL", "月別科目一覧表", centreX, geometry.titleY, font,
                   geometry.titlePoints, FontWeight::kBold);
    sheet.AddText({.x = table.Left(),
                   .y = geometry.infoY,
                   .font = font,
                   .points = 11,
                   .text = "#OF",
                   .holdsPlaceholder = true});
    sheet.AddText({.x = table.Left(),
                   .y = geometry.rangeY,
                   .font = font,
                   .points = 10,
                   .text = "期間　#PY",
                   .holdsPlaceholder = true});
    AddPrintDate(sheet, table.Right(), geometry.infoY, font);
    AddRightText(sheet, "頁　#pg", "頁　99", table.Right(), geometry.rangeY, font, 9);
}

}  // namespace

std::string SummaryBaseName(SummaryPaper paper, SummaryLabel label) {
    std::string name = paper == SummaryPaper::kA4 ? "A4" : "B4";
    name += "月別一覧表";
    name += label == SummaryLabel::kAccountTitle ? "_科目" : "_摘要";
    return name;
}

std::vector<std::string> MonthlySummaryStyle(SummaryPaper paper, SummaryLabel label,
                                             const StyleLook& look) {
    const std::string_view font = FontName(look.typeface);
    const SummaryGeometry geometry = GeometryOf(paper);
    const RuledTable table = TableOf(geometry);

    StyleSheet sheet(geometry.setup);
    sheet.AddRowsPerPage(kRowsPerPage, font);
    table.AddHeadingBand(sheet, HeadingFill(look.heading));
    table.AddRules(sheet);
    AddHeadings(sheet, table, geometry, font);
    AddHeaderRow(sheet, table, geometry, font);
    AddBodyRows(sheet, table, geometry, label, font);
    return sheet.Lines();
}

}  // namespace velmora
