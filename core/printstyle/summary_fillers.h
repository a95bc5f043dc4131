#pragma once
// The page fillers of the list and summary reports: the monthly summary (kinds 5 and 6),
// the income/expense table (20), the book balances (30) and the graph page (40). Each
// rewrites a freshly loaded style for one page; the data come in as plain values so that
// the fillers do not depend on the windows or reports that produce them.
//
// Only lines that hold "#" are touched. Every placeholder a filler knows is tried on every
// such line, in the filler's fixed order, and replaces its FIRST occurrence only: a line may
// carry several different placeholders and each is filled once, while a placeholder
// written twice keeps its second copy (the one exception is "#date", which the heading
// order names twice). The monthly summary is stricter about its row placeholders: a line
// gets the value of one row cell at most (see FillSummaryPage).
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/dialogs.h"
#include "core/printstyle/page_headings.h"
#include "core/printstyle/style_list.h"
#include "core/util/amount.h"

namespace velmora {

struct FillResult {
    bool lastPage = false;  // the page number becomes 0: this page ends the report
};

// Kinds 5 and 6: printData holds the summary grid from its header row (fourteen
// ";"-terminated fields a line). The style's "#maxline=" directive gives m rows a page:
// row 00 of every page is the header line and rows 01..m are the data lines
// (page−1)×m+1 … page×m; rows without a line read empty. Headings "#Y" "#M" "#D" "#W"
// "#OF" "#PY" "#pg" "#TL" come first; then a line gets the first of "#ka_" … "#kn_" + row
// number (rows 0..m, lowest row first, then label, months, total) and nothing more. The
// row number is the whole run of digits after the prefix, so "#ka_100" is row 100 only.
// Month cells (kb..km) shrink by their length and paper; month and total cells (kb..kn)
// turn red when negative and the option is on. The page is the last when the data end on
// it. A style without the directive shows "このスタイルには最大行数が指定されていません",
// fills only row 00 and is the last page, so that a print run ends.
FillResult FillSummaryPage(StyleList& style, const std::vector<std::string>& printData,
                           const PageHeadings& headings, const FillerOptions& options,
                           Dialogs& dialogs);

// How many pages FillSummaryPage makes of dataLines lines (the header line first) at
// rowsPerPage rows a page, without filling them.
int SummaryPageCount(int rowsPerPage, std::size_t dataLines);

// The captions of the graph page's labels, per fiscal month 1..12 (index 0 unused).
struct GraphLabels {
    std::array<std::string, 13> month;      // "4月度"
    std::array<std::string, 13> monthHint;  // "2014/4/01"
    std::array<std::string, 13> income;
    std::array<std::string, 13> cumulativeIncome;
    std::array<std::string, 13> expense;
    std::array<std::string, 13> cumulativeExpense;
    std::array<std::string, 13> difference;
    std::array<std::string, 13> cumulativeDifference;
    std::string range;     // the graph page's `range` label
    std::string bookName;  // the book selector's text
    Amount maximum;        // the graph maximum (0 is taken as 1 yen)
};

// Kind 20, one page: headings, "#range", "#notesname", per month N the placeholders
// "#income" "#rincome" "#expense" "#rexpense" (shrink), "#sagaku" "#rsagaku" (red), "#y"
// "#m" + NN, then the year column "#income13" … "#rsagaku13" from the cumulative figures
// of month 12. Throws ConversionError when a month hint is not a date.
void FillIncomeExpensePage(StyleList& style, const GraphLabels& labels,
                           const PageHeadings& headings, const FillerOptions& options);

// Kind 40, one page: as kind 20 with "#PY", "#notename" and the short names "#inc" "#rinc"
// "#exp" "#rexp" "#sag" "#rsag" "#y" "#m" + NN, without the year column; then the bars of
// GraphBarLines are appended to the style, so that they are drawn over every item.
// Throws ConversionError, with the style left as loaded, when a monthly income or expense
// caption is not a number or a month hint is not a date.
void FillGraphPage(StyleList& style, const GraphLabels& labels, const PageHeadings& headings,
                   const FillerOptions& options);

// The top (mm) of the bar of one monthly caption: the bars stand on y = 155 and the graph
// maximum (taken as 1 yen when not positive) reaches up to y = 30, so the top is
// 155 − 125 × value / maximum to four decimals (halves away from zero), 155 for a zero
// value. A top at 154 or below becomes 153 unless the caption is exactly "0", so that a
// month with entries always shows a bar. Throws ConversionError when the caption is not a
// number (commas allowed) or the top leaves the amount range.
Amount GraphBarTop(std::string_view caption, Amount maximum);

// The 24 bar items, month 1 income, month 1 expense, month 2 income ...: for month N and
// q = 20 + 22 × (N − 1), "0;0;0;0;rrect;" q+2 ";155;" q+10 ";" top ";0;0;0;実線;12615808;枠;
// 12615808;0;" for the income and the same from q+12 to q+20 in 8421440 for the expense.
std::vector<std::string> GraphBarLines(const GraphLabels& labels);

struct BookBalancePageData {
    // The hidden first-column texts of the book balance grid ("kind;name;balance;"), grid
    // row 1 first (BookBalanceRow::HiddenText); an empty text is a row without a book.
    std::vector<std::string> rows;
    std::string bookTitle;        // the ledger heading `Panel8`
    std::string range;            // the period text written into `searchrange`
    std::string totalIncome;      // `totalincome`
    std::string totalExpense;     // `totalexpence`
    std::string totalDifference;  // `totalsagaku`
};

inline constexpr int kBooksPerPage = 56;

// Kind 30, 56 books a page: headings, "#range", then "#notetitle_m" := the title when it is
// shorter than 10 characters, else "#notetitle_s" := the title without blanks at its ends;
// then for the non-empty rows among grid rows (p−1)×56+1 … (p−1)×56+57, counted by KK from
// 01, "#notename"KK := kind|name and "#notezan"KK := balance (red); then "#income",
// "#expense", "#sagaku" (red). Afterwards each line loses the first remaining copy of
// both title placeholders and of "#notename"/"#notezan" 01..56, so that unused rows print
// nothing. The page is the last when no non-empty row follows its 56 rows.
FillResult FillBookBalancePage(StyleList& style, const BookBalancePageData& data,
                               const PageHeadings& headings, const FillerOptions& options);

}  // namespace velmora
