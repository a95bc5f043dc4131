#pragma once
// The page filler of the ledger reports (cash, petty-cash and bank books): cuts the rows of
// the print data into pages, puts one page of them into the row placeholders of a freshly
// loaded style, adds the continuation row when more follow, and fills the page headings.
#include <string>
#include <vector>

#include "core/printstyle/style_list.h"
#include "core/printstyle/summary_fillers.h"
#include "core/util/date.h"

namespace velmora {

// The continuation row placed after the last row of a page that more pages follow.
inline constexpr const char* kContinuationRow = ";;   次頁へ続く;;;0";

struct LedgerPageInputs {
    std::string bookKind;       // status panel 0: "現金", "小口", "預金" (or "全帳簿")
    std::string bookName;       // status panel 1
    std::string companyName;    // status panel 5: "#OF"
    std::string yearPanel;      // status panel 6: the calendar year of the month shown
    std::string monthPanel;     // status panel 7: the month shown, without a leading zero
    std::string accountFilter;  // empty when no account-title search is active
    bool allBooks = false;      // "全帳簿から検索"
    int useType = 1;            // 1 現金出納帳, 2 おこづかい帳
    int startYear = 0;          // the fiscal year's start year
    int monthsToPrint = 1;      // 1..12, or 13 for all months
    int paperIndex = 0;         // 0 plain paper; 1 and 2 the KOKUYO forms
    int kokuyoNegatives = 1;    // 0 "整数での表示", 1 "マイナスでの表示"
    bool negativeInRed = false;
    Date today;
    int page = 1;  // from 1
};

// The page title: the book name (and "－" + the account filter), "おこづかい帳" for the
// allowance cash book, "科目別一覧表" for the all-books view.
std::string LedgerPageTitle(const LedgerPageInputs& inputs);

// Rewrites style for inputs.page. printData holds the print data file's lines (date;
// title; description; income; expense; balance;). The result says whether this page is
// the last one: its rows reach the end of the data, or the style declares no rows per page
// (nothing would ever be placed, so repeating it could not end).
FillResult FillLedgerPage(StyleList& style, const std::vector<std::string>& printData,
                          const LedgerPageInputs& inputs);

// How many pages FillLedgerPage makes of dataLines lines at rowsPerPage rows a page,
// without filling them: every page but the last holds rowsPerPage - 1 lines and the
// continuation row, the last up to rowsPerPage lines.
int LedgerPageCount(int rowsPerPage, std::size_t dataLines);

}  // namespace velmora
