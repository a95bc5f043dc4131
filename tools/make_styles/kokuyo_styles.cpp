#include "tools/make_styles/kokuyo_styles.h"

#include "tools/make_styles/style_sheet.h"

namespace velmora {
namespace {

// The forms are B5 sheets (182 x 257 mm) with 26 binding holes. Every position below is
// in millimetres from the corner of the printable area, which we take to lie 4 mm in from
// the sheet's edges. On the front of a sheet the printed grid runs from x 11 (15 mm from
// the holed edge) to x 171 (7 mm from the outer edge); the back carries the same grid
// mirrored, holes on the right, so even pages move by the difference of the two margins.
// These are our working figures for the printed grids; the print page lets the user move
// odd and even pages separately when a batch of forms sits differently in the printer.
constexpr int kB5PaperCode = 13;
constexpr double kSheetWidth = 182;
constexpr double kPrintableInset = 4;
constexpr double kGridLeft = 11;
constexpr double kGridRight = 171;

constexpr std::string_view kFont = "IPAexGothic";
constexpr int kPoints = 10;
// Digits and amounts sit one character per printed box; a digit is half an em wide.
constexpr double kDigitWidth = EmOf(kPoints) / 2;
constexpr double kTextPadding = 1.5;

// One column of a form's rows.
struct FormColumn {
    std::string_view placeholder;  // followed by the row number
    double left = 0;
    double right = 0;
    enum class Fill { kDigitBoxes, kText, kAmount } fill = Fill::kText;
    int boxes = 0;      // digit boxes: one box per character
    int maxLength = 0;  // characters the column keeps
};

struct FormLayout {
    int rows = 0;
    double firstRowTop = 0;
    double rowPitch = 0;
    std::vector<FormColumn> columns;
    double titleX = 0;  // the form's name box (book or bank name)
    double titleY = 0;
    int titlePoints = 12;
    double yearY = 0;  // the year box above the month column
};

using Fill = FormColumn::Fill;

// 金銭出納帳 リ-101: 月 and 日 of two boxes each, which the four date digits fill in one
// run; 摘要; 収入金額, 支払金額 and 差引残高 of ten digit boxes. 30 rows 6.5 mm apart.
FormLayout CashBookLayout() {
    return {.rows = 30,
            .firstRowTop = 35,
            .rowPitch = 6.5,
            .columns = {{"#ca_", 11, 25, Fill::kDigitBoxes, 4, 4},
                        {"#ic_", 25, 96, Fill::kText, 0, 19},
                        {"#cd_", 96, 121, Fill::kAmount, 10},
                        {"#ce_", 121, 146, Fill::kAmount, 10},
                        {"#cf_", 146, kGridRight, Fill::kAmount, 10}},
            .titleX = 60,
            .titleY = 12,
            .titlePoints = 14,
            .yearY = 28.5};
}

// 経費明細帳 リ-113: 月 and 日 as separate columns, 科目, 摘要, 入金, 出金 and 残高 of ten
// boxes. 32 rows 6.2 mm apart.
FormLayout ExpenseBookLayout() {
    return {.rows = 32,
            .firstRowTop = 36,
            .rowPitch = 6.2,
            .columns = {{"#ca_", 11, 18, Fill::kDigitBoxes, 2, 2},
                        {"#cg_", 18, 25, Fill::kDigitBoxes, 2, 2},
                        {"#ib_", 25, 49, Fill::kText, 0, 5},
                        {"#ic_", 49, 99, Fill::kText, 0, 13},
                        {"#cd_", 99, 123, Fill::kAmount, 10},
                        {"#ce_", 123, 147, Fill::kAmount, 10},
                        {"#cf_", 147, kGridRight, Fill::kAmount, 10}},
            .titleX = 60,
            .titleY = 14,
            .titlePoints = 14,
            .yearY = 29.5};
}

// 銀行勘定帳 リ-108: the bank's name at the top left; 月日 as on リ-101; 摘要; 預入金額,
// 引出金額 and 差引残高 of ten boxes. 28 rows 7 mm apart.
FormLayout BankBookLayout() {
    return {.rows = 28,
            .firstRowTop = 38,
            .rowPitch = 7,
            .columns = {{"#ca_", 11, 25, Fill::kDigitBoxes, 4, 4},
                        {"#ic_", 25, 91, Fill::kText, 0, 18},
                        {"#cd_", 91, 117, Fill::kAmount, 10},
                        {"#ce_", 117, 143, Fill::kAmount, 10},
                        {"#cf_", 143, kGridRight, Fill::kAmount, 10}},
            .titleX = 30,
            .titleY = 16,
            .titlePoints = 12,
            .yearY = 31.5};
}

FormLayout LayoutOf(KokuyoForm form) {
    switch (form) {
        case KokuyoForm::kCashBook:
            return CashBookLayout();
        case KokuyoForm::kExpenseBook:
            return ExpenseBookLayout();
        case KokuyoForm::kBankBook:
            break;
    }
    return BankBookLayout();
}

// The back of a sheet: its grid starts where the front's ends, counted from the other edge.
double EvenPageShift() {
    const double frontLeft = kGridLeft + kPrintableInset;
    const double backLeft = kSheetWidth - (kGridRight + kPrintableInset);
    return backLeft - frontLeft;
}

TextItem RowItem(const FormColumn& column, double rowTop, int row) {
    TextItem item{.y = rowTop,
                  .font = kFont,
                  .points = kPoints,
                  .text = std::string(column.placeholder) + TwoDigits(row),
                  .maxLength = column.maxLength,
                  .holdsPlaceholder = true};
    const double box = column.boxes > 0 ? (column.right - column.left) / column.boxes : 0;
    switch (column.fill) {
        case Fill::kDigitBoxes:
            item.x = column.left + (box - kDigitWidth) / 2;
            item.pitch = box;
            break;
        case Fill::kAmount:
            // Ends so that the last digit sits in the middle of the last box.
            item.x = column.right + (box - kDigitWidth) / 2;
            item.pitch = -box;
            break;
        case Fill::kText:
            item.x = column.left + kTextPadding;
            break;
    }
    return item;
}

void AddRows(StyleSheet& sheet, const FormLayout& layout) {
    const double textDrop = (layout.rowPitch - EmOf(kPoints)) / 2;
    for (int row = 1; row <= layout.rows; ++row) {
        const double top = layout.firstRowTop + (row - 1) * layout.rowPitch + textDrop;
        for (const FormColumn& column : layout.columns) sheet.AddText(RowItem(column, top, row));
    }
}

// The form's own printed grid, for the preview's "用紙の罫線を表示": the rows, the column
// edges and, dotted, the digit boxes, from the caption band (whose top left corner holds the
// year) down.
void AddFormLines(StyleSheet& sheet, const FormLayout& layout) {
    constexpr int kFormInk = Rgb(70, 140, 190);
    const double top = layout.yearY - 1.5;
    const double bottom = layout.firstRowTop + layout.rows * layout.rowPitch;
    sheet.AddFormLine({kGridLeft, top, kGridRight, top}, kFormInk);
    for (int row = 0; row <= layout.rows; ++row) {
        const double y = layout.firstRowTop + row * layout.rowPitch;
        sheet.AddFormLine({kGridLeft, y, kGridRight, y}, kFormInk);
    }
    for (const FormColumn& column : layout.columns) {
        sheet.AddFormLine({column.left, top, column.left, bottom}, kFormInk);
        for (int box = 1; box < column.boxes; ++box) {
            const double x = column.left + box * (column.right - column.left) / column.boxes;
            sheet.AddFormLine({x, layout.firstRowTop, x, bottom}, kFormInk, kDottedPen);
        }
    }
    sheet.AddFormLine({kGridRight, top, kGridRight, bottom}, kFormInk);
}

void AddHeadings(StyleSheet& sheet, const FormLayout& layout) {
    sheet.AddText({.x = layout.titleX,
                   .y = layout.titleY,
                   .font = kFont,
                   .points = layout.titlePoints,
                   .text = "#NS",
                   .holdsPlaceholder = true});
    sheet.AddText({.x = kGridLeft + 1,
                   .y = layout.yearY,
                   .font = kFont,
                   .points = 9,
                   .text = "#PY",
                   .holdsPlaceholder = true});
    sheet.AddText({.x = 158,
                   .y = 12,
                   .font = kFont,
                   .points = kPoints,
                   .text = "No.#pg",
                   .holdsPlaceholder = true});
}

}  // namespace

std::string_view KokuyoStyleName(KokuyoForm form) {
    switch (form) {
        case KokuyoForm::kCashBook:
            return "コクヨ金銭出納帳_リ-101";
        case KokuyoForm::kExpenseBook:
            return "コクヨ経費明細帳_リ-113";
        case KokuyoForm::kBankBook:
            break;
    }
    return "コクヨ銀行勘定帳_リ-108";
}

std::vector<std::string> KokuyoFormStyle(KokuyoForm form) {
    const FormLayout layout = LayoutOf(form);
    StyleSheet sheet(PageSetup{.paperCode = kB5PaperCode, .evenOffsetX = EvenPageShift()});
    sheet.AddRowsPerPage(layout.rows, kFont);
    AddFormLines(sheet, layout);
    AddHeadings(sheet, layout);
    AddRows(sheet, layout);
    return sheet.Lines();
}

}  // namespace velmora
