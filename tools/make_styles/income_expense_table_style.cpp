#include <string>
#include <utility>

#include "tools/make_styles/fixed_report_common.h"
#include "tools/make_styles/fixed_report_styles.h"
#include "tools/make_styles/page_frame.h"
#include "tools/make_styles/ruled_table.h"

namespace velmora {
namespace {

constexpr int kMonths = 12;
constexpr int kTotalRow = 13;
constexpr int kPoints = 10;
constexpr double kAmountPitch = -1.9;

// Amount columns in order, each a placeholder followed by the month as two digits; the
// running totals have nothing of their own in the total row.
struct AmountColumn {
    std::string_view caption;
    std::string_view placeholder;
    bool inTotalRow = false;
};
constexpr AmountColumn kAmountColumns[] = {{"収入", "#income", true},  {"収入累計", "#rincome"},
                                           {"支出", "#expense", true}, {"支出累計", "#rexpense"},
                                           {"差額", "#sagaku", true},  {"差額累計", "#rsagaku"}};

RuledTable MakeTable() {
    std::vector<Column> columns{{"年月", 28}};
    for (const AmountColumn& column : kAmountColumns) columns.push_back({column.caption, 26});
    return RuledTable(
        {.left = 9, .top = 44, .headingHeight = 9, .rowHeight = 11, .rows = kTotalRow}, columns);
}

void AddAmount(StyleSheet& sheet, const RuledTable& table, std::size_t column, int row,
               std::string text) {
    sheet.AddText({.x = table.ColumnRight(column) - 1,
                   .y = table.TextTop(row, kPoints),
                   .font = kReportFont,
                   .points = kPoints,
                   .text = std::move(text),
                   .pitch = kAmountPitch,
                   .holdsPlaceholder = true});
}

void AddMonthRows(StyleSheet& sheet, const RuledTable& table) {
    for (int month = 1; month <= kMonths; ++month) {
        const std::string number = TwoDigits(month);
        sheet.AddText({.x = table.CentredX(0, "2099年12月", kPoints),
                       .y = table.TextTop(month, kPoints),
                       .font = kReportFont,
                       .points = kPoints,
                       .text = "#y" + number + "年#m" + number + "月",
                       .holdsPlaceholder = true});
        for (std::size_t i = 0; i < std::size(kAmountColumns); ++i) {
            AddAmount(sheet, table, i + 1, month,
                      std::string(kAmountColumns[i].placeholder) + number);
        }
    }
}

void AddTotalRow(StyleSheet& sheet, const RuledTable& table) {
    sheet.AddLine({table.Left(), table.RowTop(kTotalRow), table.Right(), table.RowTop(kTotalRow)},
                  2);
    sheet.AddText({.x = table.CentredX(0, "合計", kPoints),
                   .y = table.TextTop(kTotalRow, kPoints),
                   .font = kReportFont,
                   .points = kPoints,
                   .text = "合計"});
    for (std::size_t i = 0; i < std::size(kAmountColumns); ++i) {
        if (!kAmountColumns[i].inTotalRow) continue;
        AddAmount(sheet, table, i + 1, kTotalRow,
                  std::string(kAmountColumns[i].placeholder) + TwoDigits(kTotalRow));
    }
}

void AddHeadings(StyleSheet& sheet, const RuledTable& table) {
    const double centreX = (table.Left() + table.Right()) / 2;
    AddCentredText(sheet, "入出金集計表", "入出金集計表", centreX, 12, kReportFont, 18,
                   FontWeight::kBold);
    sheet.AddLine({centreX - 35, 20.5, centreX + 35, 20.5}, 1);
    sheet.AddText({.x = table.Left(),
                   .y = 28,
                   .font = kReportFont,
                   .points = 11,
                   .text = "帳簿　#notesname",
                   .holdsPlaceholder = true});
    sheet.AddText({.x = table.Left(),
                   .y = 35,
                   .font = kReportFont,
                   .points = 10,
                   .text = "期間　#range",
                   .holdsPlaceholder = true});
    AddRightText(sheet, "作成日　#date", "作成日　2099/12/31", table.Right(), 35, kReportFont, 9);
}

}  // namespace

std::vector<std::string> IncomeExpenseTableStyle() {
    const RuledTable table = MakeTable();
    StyleSheet sheet(PageSetup{.paperCode = 9});
    table.AddHeadingBand(sheet, kReportHeadingFill);
    table.AddRules(sheet);
    table.AddCaptions(sheet, kReportFont, kPoints);
    AddHeadings(sheet, table);
    AddMonthRows(sheet, table);
    AddTotalRow(sheet, table);
    return sheet.Lines();
}

}  // namespace velmora
