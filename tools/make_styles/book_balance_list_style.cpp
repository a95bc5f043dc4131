#include <string>
#include <utility>

#include "tools/make_styles/fixed_report_common.h"
#include "tools/make_styles/fixed_report_styles.h"
#include "tools/make_styles/page_frame.h"
#include "tools/make_styles/ruled_table.h"

namespace velmora {
namespace {

constexpr int kBooksPerPage = 56;
constexpr int kBooksPerBlock = kBooksPerPage / 2;
constexpr int kPoints = 10;
constexpr double kAmountPitch = -1.9;
constexpr double kNameWidth = 56;

RuledTable BlockTable(double left) {
    return RuledTable(
        {.left = left, .top = 46, .headingHeight = 8, .rowHeight = 7, .rows = kBooksPerBlock},
        {{"帳簿", kNameWidth}, {"残高", 34}});
}

RuledTable TotalsTable() {
    return RuledTable({.left = 73, .top = 256, .headingHeight = 7, .rowHeight = 8, .rows = 1},
                      {{"収入合計", 40}, {"支出合計", 40}, {"差引合計", 40}});
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

void AddTable(StyleSheet& sheet, const RuledTable& table) {
    table.AddHeadingBand(sheet, kReportHeadingFill);
    table.AddRules(sheet);
    table.AddCaptions(sheet, kReportFont, kPoints);
}

// Book K of the page goes to row K of the left block, or row K - 28 of the right one.
void AddBooks(StyleSheet& sheet, const RuledTable& left, const RuledTable& right) {
    const int nameLength = static_cast<int>((kNameWidth - 3) / EmOf(kPoints));
    for (int book = 1; book <= kBooksPerPage; ++book) {
        const RuledTable& block = book <= kBooksPerBlock ? left : right;
        const int row = (book - 1) % kBooksPerBlock + 1;
        sheet.AddText({.x = block.ColumnLeft(0) + 1.5,
                       .y = block.TextTop(row, kPoints),
                       .font = kReportFont,
                       .points = kPoints,
                       .text = "#notename" + TwoDigits(book),
                       .maxLength = nameLength,
                       .holdsPlaceholder = true});
        AddAmount(sheet, block, 1, row, "#notezan" + TwoDigits(book));
    }
}

void AddTotals(StyleSheet& sheet, const RuledTable& totals) {
    AddAmount(sheet, totals, 0, 1, "#income");
    AddAmount(sheet, totals, 1, 1, "#expense");
    AddAmount(sheet, totals, 2, 1, "#sagaku");
}

// The ledger's heading caption comes in two sizes: a short one as it is, a long one
// (ten characters or more) smaller; the filler fills one and removes the other.
void AddHeadings(StyleSheet& sheet, double left, double right) {
    AddCentredText(sheet, "月別帳簿別残高一覧表", "月別帳簿別残高一覧表", (left + right) / 2, 10,
                   kReportFont, 16, FontWeight::kBold);
    sheet.AddText({.x = left,
                   .y = 24,
                   .font = kReportFont,
                   .points = 10,
                   .text = "期間　#range",
                   .holdsPlaceholder = true});
    sheet.AddText({.x = left,
                   .y = 31,
                   .font = kReportFont,
                   .points = 11,
                   .text = "#notetitle_m",
                   .holdsPlaceholder = true});
    sheet.AddText({.x = left,
                   .y = 31.5,
                   .font = kReportFont,
                   .points = 9,
                   .text = "#notetitle_s",
                   .holdsPlaceholder = true});
    AddRightText(sheet, "作成日　#date", "作成日　2099/12/31", right, 24, kReportFont, 9);
    AddRightText(sheet, "頁　#pg", "頁　99", right, 31, kReportFont, 9);
}

}  // namespace

std::vector<std::string> BookBalanceListStyle() {
    const RuledTable left = BlockTable(9);
    const RuledTable right = BlockTable(103);
    const RuledTable totals = TotalsTable();
    StyleSheet sheet(PageSetup{.paperCode = 9});
    AddTable(sheet, left);
    AddTable(sheet, right);
    AddTable(sheet, totals);
    AddHeadings(sheet, left.Left(), right.Right());
    AddBooks(sheet, left, right);
    AddTotals(sheet, totals);
    return sheet.Lines();
}

}  // namespace velmora
