#pragma once
// Report kinds: the integer a print command fixes for the whole print job. One row of
// AllReportKinds() says everything about a kind: its family, the print data and option
// file, the paper choices, the style names, its page filler, the preview tabs, how the
// print run walks its pages and the name velmora-cli knows it by. The print job, the
// windows and velmora-cli read the row; none of them lists kinds of its own.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/dialogs.h"
#include "core/print/print_sources.h"
#include "core/printstyle/style_list.h"
#include "core/printstyle/summary_fillers.h"

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

// What a kind is printed from and how its style is chosen:
// - kLedger: the ledger view's rows as print data, the KOKUYO forms among the papers, the
//   style named by paper, column (or "_科目指定"), font and colour; its print command prints
//   the book shown (all books print as the cash book);
// - kSummary: the monthly summary's rows as print data, the style named by paper, font and
//   colour; its print command prints the drill level shown;
// - kFixed: no print data, one style, no style options.
enum class ReportFamily { kLedger, kSummary, kFixed };

// The page of the main window a kind's print command is given on; velmora-cli shows it
// before it prints.
enum class ReportView { kLedger, kSummary, kGraph };

// The tabs over the preview: the fiscal months (a tab moves the ledger view), the months
// followed by "印刷", or "印刷" alone.
enum class PreviewTabs { kMonths, kMonthsThenPrint, kPrintOnly };

// How "印刷実行" walks the pages: month by month with the page filter and the checked
// months; every page of the job (its sheets labelled with the month printed, or with no
// month); or the one page loaded.
enum class PrintWalk { kMonthByMonth, kPagesOfMonth, kPages, kLoadedPage };

// The open dialog that asks for a style file when the chosen one does not exist.
struct StyleDialogText {
    std::string_view title;
    std::string_view defaultExtension;
    std::string_view filter;
};

// What a page filler reads: the freshly loaded style, the page and options of the job, its
// print data (read when first asked for) and the windows' values.
struct PageFill {
    StyleList& style;
    PrintSources& sources;
    Dialogs& dialogs;
    int page = 1;             // from 1
    int paper = 0;            // `paper_sel`
    int kokuyoNegatives = 1;  // 0 "整数での表示", 1 "マイナスでの表示"
    int monthsToPrint = 1;    // 1..12, 13 all months
    std::function<const std::vector<std::string>&()> printData;
};
using PageFiller = FillResult (*)(const PageFill&);
// The pages a filler makes of its print data at so many rows a page, counted without filling.
using PageCounter = int (*)(int rowsPerPage, std::size_t dataLines);

struct ReportKindInfo {
    int kind = 0;                // also in printer choice files ("config/2-1.conf")
    std::string_view cliName{};  // velmora-cli's `--report` takes it as well as the number
    ReportFamily family = ReportFamily::kFixed;
    std::string_view book{};  // ledger kinds: the book kind printed ("現金", "小口", "預金")
    // The variant printed while the view shows one account title: an account-title search
    // of a ledger, a title's descriptions in the monthly summary.
    bool oneTitle = false;
    ReportView view = ReportView::kLedger;
    std::string_view optionFile{};               // under the working folder
    std::vector<std::string_view> paperItems{};  // `paper_sel`
    // Style base names by paper item; an empty name means the item has no style of its own.
    std::vector<std::string_view> styleNames{};
    std::string_view extension = ".sle";  // or ".slf"
    std::string_view previewCaption{};    // `Label5`; empty: left as it is
    // nullptr: the dialog keeps what it was last set up with.
    const StyleDialogText* styleDialog = nullptr;
    PageFiller fill = nullptr;
    // nullptr: the pages are counted by filling them one after another.
    PageCounter countPages = nullptr;
    PreviewTabs tabs = PreviewTabs::kMonths;
    PrintWalk walk = PrintWalk::kPages;
    bool pageButtons = true;  // "←", "→" and the label "Page"
};

// The table entry of kind; nullptr for a number that is no report kind.
const ReportKindInfo* FindReportKind(int kind);
// The entry velmora-cli knows by name; nullptr when none is.
const ReportKindInfo* FindReportKindNamed(std::string_view name);
// Every report kind, in the order of the table (ascending numbers).
const std::vector<ReportKindInfo>& AllReportKinds();

// The kind of family that the windows show: of the ledgers the row of book, of the summary
// the one row; the variant of one account title or not. 0 when there is none.
int ReportKindShown(ReportFamily family, std::string_view book, bool oneTitle);
// "出納帳印刷": 2 for the cash book and the all-books view, 7 for a petty-cash book, 9 for a
// bank book; one more while an account-title search is active.
int LedgerReportFor(std::string_view bookKind, bool titleSearch);

// Printed month by month with the page filter of the print run.
bool IsMonthWalkReport(int kind);
// The paper items 1 and 2 of the ledger kinds are KOKUYO forms.
bool IsKokuyoPaper(int kind, int paperIndex);

}  // namespace velmora
