#pragma once
// Report kinds: the integer a print command fixes for the whole print job. It selects the
// print data, the option file, the paper choices, the style family and the page filler.
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr int kCashLedgerReport = 2;
inline constexpr int kCashSearchReport = 3;  // while an account-title search is active
inline constexpr int kMonthlyTitlesReport = 5;
inline constexpr int kMonthlyDescriptionsReport = 6;
inline constexpr int kPettyLedgerReport = 7;
inline constexpr int kPettySearchReport = 8;
inline constexpr int kBankLedgerReport = 9;
inline constexpr int kBankSearchReport = 10;
inline constexpr int kIncomeExpenseReport = 20;
inline constexpr int kBookBalancesReport = 30;
inline constexpr int kGraphReport = 40;

struct ReportKindInfo {
    int kind = 0;
    std::string_view optionFile;               // under the working folder
    std::vector<std::string_view> paperItems;  // `paper_sel`
    // Style base names by paper item; an empty name means the item has no style of its own.
    std::vector<std::string_view> styleNames;
    std::string_view extension;  // ".sle" or ".slf"
    std::string_view title;      // fixed reports: the preview caption and the style name
};

// The table entry of kind; nullptr for a number that is no report kind.
const ReportKindInfo* FindReportKind(int kind);
// Every report kind, in the order of the table.
const std::vector<ReportKindInfo>& AllReportKinds();

// 2, 3, 7, 8, 9, 10: cash, petty-cash and bank ledgers (the ledger page filler).
bool IsLedgerReport(int kind);
// 3, 8, 10: printed while an account-title search is active.
bool IsSearchReport(int kind);
// 5, 6: the monthly summary.
bool IsSummaryReport(int kind);
// 20, 30, 40: one fixed style each.
bool IsFixedReport(int kind);
// 2, 3, 7, 8, 9: printed month by month with the page filter of the print run.
bool IsMonthWalkReport(int kind);
// The paper items 1 and 2 of the ledger kinds are KOKUYO forms.
bool IsKokuyoPaper(int kind, int paperIndex);

// "出納帳印刷": 2 for the cash book and the all-books view, 7 for a petty-cash book, 9 for a
// bank book; one more while an account-title search is active.
int LedgerReportFor(std::string_view bookKind, bool titleSearch);

}  // namespace velmora
