#pragma once
// The page fillers of the list and summary reports: the monthly summary (kinds 5 and 6),
// the income/expense table (20), the book balances (30) and the graph page (40). Each
// rewrites a freshly loaded style for one page; the data come in as plain values so that
// the fillers do not depend on the windows or reports that produce them.
#include <array>
#include <string>
#include <vector>

#include "core/printstyle/page_headings.h"
#include "core/printstyle/style_list.h"
#include "core/util/amount.h"
#include "core/util/dialogs.h"

namespace velmora {

struct FillResult {
    bool lastPage = false;  // the page number becomes 0: this page ends the report
};

// Kinds 5 and 6: printData holds the summary grid from its header row (fourteen
// ";"-terminated fields a line). Row 00 of every page is the header line. A style without
// the rows-per-page directive shows "このスタイルには最大行数が指定されていません", fills only
// row 00 and is the last page.
FillResult FillSummaryPage(StyleList& style, const std::vector<std::string>& printData,
                           const PageHeadings& headings, const FillerOptions& options,
                           Dialogs& dialogs);

// The captions of the graph page's labels, per fiscal month 1..12 (index 0 unused).
struct GraphLabels {
    std::array<std::string, 13> month;      // "4月度"
    std::array<std::string, 13> monthHint;  // "2014/4/01"
    std::array<std::string, 13> income;     // tincome
    std::array<std::string, 13> cumulativeIncome;
    std::array<std::string, 13> expense;    // texpenses
    std::array<std::string, 13> cumulativeExpense;
    std::array<std::string, 13> difference;  // sagaku
    std::array<std::string, 13> cumulativeDifference;
    std::string range;      // the graph page's `range` label
    std::string bookName;   // the book selector's text
    Amount maximum;         // the graph maximum (0 is taken as 1)
};

// Kind 20: one page.
void FillIncomeExpensePage(StyleList& style, const GraphLabels& labels,
                           const PageHeadings& headings, const FillerOptions& options);

// Kind 40: one page; the bars are appended to the style as rounded rectangles.
// Throws ConversionError when a monthly caption is not a number.
void FillGraphPage(StyleList& style, const GraphLabels& labels, const PageHeadings& headings,
                   const FillerOptions& options);

struct BookBalancePageData {
    // The hidden first-column texts of the book balance grid ("kind;name;balance;"), grid
    // row 1 first.
    std::vector<std::string> rows;
    std::string bookTitle;        // the ledger heading `Panel8`
    std::string range;            // the period text written into `searchrange`
    std::string totalIncome;      // `totalincome`
    std::string totalExpense;     // `totalexpence`
    std::string totalDifference;  // `totalsagaku`
};

// Kind 30: 56 books a page.
FillResult FillBookBalancePage(StyleList& style, const BookBalancePageData& data,
                               const PageHeadings& headings, const FillerOptions& options);

}  // namespace velmora
