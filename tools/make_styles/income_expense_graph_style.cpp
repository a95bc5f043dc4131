#include <string>

#include "tools/make_styles/fixed_report_common.h"
#include "tools/make_styles/fixed_report_styles.h"
#include "tools/make_styles/page_frame.h"
#include "tools/make_styles/ruled_table.h"

namespace velmora {
namespace {

// The page filler draws month N's bars in the 22 mm slot from x = 20 + 22 (N - 1), income
// from 2 to 10 mm into the slot and expense from 12 to 20, standing on y 155 and at most
// 125 mm high, in these two colours. The axes, grid and legend follow those figures.
constexpr int kMonths = 12;
constexpr double kPlotLeft = 20;
constexpr double kSlotWidth = 22;
constexpr double kPlotRight = kPlotLeft + kMonths * kSlotWidth;
constexpr double kBaseY = 155;
constexpr double kFullBarHeight = 125;
constexpr int kIncomeBarColour = 12615808;
constexpr int kExpenseBarColour = 8421440;

constexpr int kFigurePoints = 9;
constexpr double kFigurePitch = -1.7;

struct FigureRow {
    std::string_view caption;
    std::string_view placeholder;  // followed by the month as two digits
};
constexpr FigureRow kFigureRows[] = {{"収入", "#inc"}, {"収入累計", "#rinc"},
                                     {"支出", "#exp"}, {"支出累計", "#rexp"},
                                     {"差額", "#sag"}, {"差額累計", "#rsag"}};

double SlotLeft(int month) {
    return kPlotLeft + (month - 1) * kSlotWidth;
}

// Grid lines at fifths of the highest bar, then the two axes over them.
void AddAxes(StyleSheet& sheet) {
    for (int fifth = 1; fifth <= 5; ++fifth) {
        const double y = kBaseY - kFullBarHeight * fifth / 5;
        sheet.AddLine({kPlotLeft, y, kPlotRight, y}, 0, kDottedPen);
    }
    for (int month = 1; month <= kMonths; ++month) {
        const double x = SlotLeft(month) + kSlotWidth;
        sheet.AddLine({x, kBaseY, x, kBaseY + 2}, 1);
    }
    sheet.AddLine({kPlotLeft, kBaseY - kFullBarHeight - 2, kPlotLeft, kBaseY}, 2);
    sheet.AddLine({kPlotLeft, kBaseY, kPlotRight, kBaseY}, 2);
}

void AddMonthCaptions(StyleSheet& sheet) {
    for (int month = 1; month <= kMonths; ++month) {
        AddCentredText(sheet, "#m" + TwoDigits(month) + "月", "12月",
                       SlotLeft(month) + kSlotWidth / 2, kBaseY + 2.5, kReportFont, kFigurePoints);
    }
}

RuledTable FigureTable() {
    std::vector<Column> columns{{"", kPlotLeft - 2}};
    for (int month = 1; month <= kMonths; ++month) columns.push_back({"", kSlotWidth});
    return RuledTable({.left = 2,
                       .top = 163,
                       .headingHeight = 0,
                       .rowHeight = 6,
                       .rows = static_cast<int>(std::size(kFigureRows))},
                      columns);
}

void AddFigures(StyleSheet& sheet, const RuledTable& table) {
    for (std::size_t i = 0; i < std::size(kFigureRows); ++i) {
        const int row = static_cast<int>(i) + 1;
        sheet.AddText({.x = table.ColumnLeft(0) + 1,
                       .y = table.TextTop(row, 8),
                       .font = kReportFont,
                       .points = 8,
                       .text = std::string(kFigureRows[i].caption)});
        for (int month = 1; month <= kMonths; ++month) {
            sheet.AddText({.x = table.ColumnRight(static_cast<std::size_t>(month)) - 0.8,
                           .y = table.TextTop(row, kFigurePoints),
                           .font = kReportFont,
                           .points = kFigurePoints,
                           .text = std::string(kFigureRows[i].placeholder) + TwoDigits(month),
                           .pitch = kFigurePitch,
                           .holdsPlaceholder = true});
        }
    }
}

void AddLegendEntry(StyleSheet& sheet, double x, int colour, std::string_view caption) {
    sheet.AddFilledBox({x, 16.5, x + 5, 20}, colour);
    sheet.AddText(
        {.x = x + 6.5, .y = 16.5, .font = kReportFont, .points = 10, .text = std::string(caption)});
}

void AddHeadings(StyleSheet& sheet) {
    AddCentredText(sheet, "入出金集計グラフ", "入出金集計グラフ", (2 + kPlotRight) / 2, 7,
                   kReportFont, 16, FontWeight::kBold);
    sheet.AddText({.x = 2,
                   .y = 8,
                   .font = kReportFont,
                   .points = 11,
                   .text = "帳簿　#notename",
                   .holdsPlaceholder = true});
    sheet.AddText({.x = 2,
                   .y = 15,
                   .font = kReportFont,
                   .points = 10,
                   .text = "期間　#PY",
                   .holdsPlaceholder = true});
    AddRightText(sheet, "作成日　#date", "作成日　2099/12/31", kPlotRight, 8, kReportFont, 9);
    AddLegendEntry(sheet, kPlotRight - 48, kIncomeBarColour, "収入");
    AddLegendEntry(sheet, kPlotRight - 24, kExpenseBarColour, "支出");
}

}  // namespace

std::vector<std::string> IncomeExpenseGraphStyle() {
    const RuledTable figures = FigureTable();
    StyleSheet sheet(PageSetup{.paperCode = 9, .landscape = true});
    AddAxes(sheet);
    figures.AddRules(sheet);
    AddHeadings(sheet);
    AddMonthCaptions(sheet);
    AddFigures(sheet, figures);
    return sheet.Lines();
}

}  // namespace velmora
