#include "core/print/report_kind.h"

#include "core/ledger/book.h"
#include "core/printstyle/ledger_filler.h"

namespace velmora {
namespace {

const std::vector<std::string_view> kCashPapers{"A4用紙", "コクヨ出納帳", "コクヨ経費帳"};
const std::vector<std::string_view> kBankPapers{"A4用紙", "コクヨ勘定帳", "コクヨ経費帳"};
const std::vector<std::string_view> kSummaryPapers{"A4", "B4"};
const std::vector<std::string_view> kA4Only{"A4"};

constexpr std::string_view kKokuyoCash = "コクヨ金銭出納帳_リ-101";
constexpr std::string_view kKokuyoExpense = "コクヨ経費明細帳_リ-113";
constexpr std::string_view kKokuyoBank = "コクヨ銀行勘定帳_リ-108";

constexpr StyleDialogText kLedgerStyleDialog{"出納帳スタイルを指定して下さい", "sle",
                                             "出納帳スタイル|*.sle|すべてのファイル|*.*"};
constexpr StyleDialogText kSummaryStyleDialog{"一覧表スタイルを指定して下さい", "slf",
                                              "一覧表スタイル|*.slf|すべてのファイル|*.*"};

// ---- page fillers ----

FillResult FillLedger(const PageFill& fill) {
    LedgerPageInputs inputs = fill.sources.LedgerPage();
    inputs.page = fill.page;
    inputs.paperIndex = fill.paper;
    inputs.kokuyoNegatives = fill.kokuyoNegatives;
    inputs.monthsToPrint = fill.monthsToPrint;
    return FillLedgerPage(fill.style, fill.printData(), inputs);
}

PageHeadings HeadingsOf(const PageFill& fill) {
    PageHeadings headings = fill.sources.Headings();
    headings.page = fill.page;
    return headings;
}

FillerOptions OptionsOf(const PageFill& fill) {
    return {fill.sources.NegativeInRed(), fill.paper};
}

FillResult FillSummary(const PageFill& fill) {
    const PageHeadings headings = HeadingsOf(fill);
    const FillerOptions options = OptionsOf(fill);
    return FillSummaryPage(fill.style, fill.printData(), headings, options, fill.dialogs);
}

FillResult FillIncomeExpense(const PageFill& fill) {
    const PageHeadings headings = HeadingsOf(fill);
    FillIncomeExpensePage(fill.style, fill.sources.Graph(), headings, OptionsOf(fill));
    return {.lastPage = true};
}

FillResult FillBookBalances(const PageFill& fill) {
    const PageHeadings headings = HeadingsOf(fill);
    const FillerOptions options = OptionsOf(fill);
    return FillBookBalancePage(fill.style, fill.sources.BookBalances(), headings, options);
}

FillResult FillGraph(const PageFill& fill) {
    const PageHeadings headings = HeadingsOf(fill);
    FillGraphPage(fill.style, fill.sources.Graph(), headings, OptionsOf(fill));
    return {.lastPage = true};
}

// ---- the kinds ----

std::vector<ReportKindInfo> MakeTable() {
    return {
        {.kind = kCashLedgerReport,
         .cliName = "cash",
         .family = ReportFamily::kLedger,
         .book = kCashKind,
         .optionFile = "config/note1.conf",
         .paperItems = kCashPapers,
         .styleNames = {"A4現金出納帳", kKokuyoCash, kKokuyoExpense},
         .styleDialog = &kLedgerStyleDialog,
         .fill = FillLedger,
         .countPages = LedgerPageCount,
         .walk = PrintWalk::kMonthByMonth},
        {.kind = kCashSearchReport,
         .cliName = "cash-search",
         .family = ReportFamily::kLedger,
         .book = kCashKind,
         .oneTitle = true,
         .optionFile = "config/note2.conf",
         .paperItems = kCashPapers,
         .styleNames = {"A4現金出納帳", kKokuyoCash, kKokuyoExpense},
         .styleDialog = &kLedgerStyleDialog,
         .fill = FillLedger,
         .countPages = LedgerPageCount,
         .walk = PrintWalk::kMonthByMonth},
        {.kind = kMonthlyTitlesReport,
         .cliName = "monthly-titles",
         .family = ReportFamily::kSummary,
         .view = ReportView::kSummary,
         .optionFile = "config/table1.conf",
         .paperItems = kSummaryPapers,
         .styleNames = {"A4月別一覧表_科目", "B4月別一覧表_科目"},
         .extension = ".slf",
         .previewCaption = "月別一覧表",
         .styleDialog = &kSummaryStyleDialog,
         .fill = FillSummary,
         .countPages = SummaryPageCount,
         .tabs = PreviewTabs::kPrintOnly},
        {.kind = kMonthlyDescriptionsReport,
         .cliName = "monthly-descriptions",
         .family = ReportFamily::kSummary,
         .oneTitle = true,
         .view = ReportView::kSummary,
         .optionFile = "config/table1.conf",
         .paperItems = kSummaryPapers,
         .styleNames = {"A4月別一覧表_摘要", "B4月別一覧表_摘要"},
         .extension = ".slf",
         .previewCaption = "月別一覧表",
         .styleDialog = &kSummaryStyleDialog,
         .fill = FillSummary,
         .countPages = SummaryPageCount,
         .tabs = PreviewTabs::kMonthsThenPrint},
        {.kind = kPettyLedgerReport,
         .cliName = "petty",
         .family = ReportFamily::kLedger,
         .book = kPettyKind,
         .optionFile = "config/note3.conf",
         .paperItems = kCashPapers,
         .styleNames = {"A4経費明細帳", kKokuyoCash, kKokuyoExpense},
         .fill = FillLedger,
         .countPages = LedgerPageCount,
         .walk = PrintWalk::kMonthByMonth},
        {.kind = kPettySearchReport,
         .cliName = "petty-search",
         .family = ReportFamily::kLedger,
         .book = kPettyKind,
         .oneTitle = true,
         .optionFile = "config/note4.conf",
         .paperItems = kCashPapers,
         .styleNames = {"A4経費明細帳", kKokuyoCash, kKokuyoExpense},
         .fill = FillLedger,
         .countPages = LedgerPageCount,
         .walk = PrintWalk::kMonthByMonth},
        {.kind = kBankLedgerReport,
         .cliName = "bank",
         .family = ReportFamily::kLedger,
         .book = kBankKind,
         .optionFile = "config/note5.conf",
         .paperItems = kBankPapers,
         .styleNames = {"A4銀行勘定帳", kKokuyoBank, kKokuyoExpense},
         .fill = FillLedger,
         .countPages = LedgerPageCount,
         .walk = PrintWalk::kMonthByMonth},
        // The bank book under a title search prints the pages of the job without months.
        {.kind = kBankSearchReport,
         .cliName = "bank-search",
         .family = ReportFamily::kLedger,
         .book = kBankKind,
         .oneTitle = true,
         .optionFile = "config/note6.conf",
         .paperItems = kBankPapers,
         .styleNames = {"A4銀行勘定帳", kKokuyoBank, kKokuyoExpense},
         .fill = FillLedger,
         .countPages = LedgerPageCount,
         .walk = PrintWalk::kPagesOfMonth},
        {.kind = kIncomeExpenseReport,
         .cliName = "income-expense",
         .view = ReportView::kSummary,
         .optionFile = "config/total1.conf",
         .paperItems = kA4Only,
         .styleNames = {"入出金集計表"},
         .previewCaption = "入出金集計表",
         .fill = FillIncomeExpense,
         .tabs = PreviewTabs::kPrintOnly,
         .walk = PrintWalk::kLoadedPage,
         .pageButtons = false},
        {.kind = kBookBalancesReport,
         .cliName = "book-balances",
         .optionFile = "config/total2.conf",
         .paperItems = kA4Only,
         .styleNames = {"月別帳簿別残高一覧表"},
         .previewCaption = "月別帳簿別残高一覧表",
         .fill = FillBookBalances,
         .tabs = PreviewTabs::kPrintOnly},
        {.kind = kGraphReport,
         .cliName = "graph",
         .view = ReportView::kGraph,
         .optionFile = "config/total3.conf",
         .paperItems = kA4Only,
         .styleNames = {"入出金集計グラフ"},
         .previewCaption = "入出金集計グラフ",
         .fill = FillGraph,
         .tabs = PreviewTabs::kPrintOnly,
         .walk = PrintWalk::kLoadedPage,
         .pageButtons = false},
    };
}

}  // namespace

const std::vector<ReportKindInfo>& AllReportKinds() {
    static const std::vector<ReportKindInfo> table = MakeTable();
    return table;
}

const ReportKindInfo* FindReportKind(int kind) {
    for (const auto& info : AllReportKinds())
        if (info.kind == kind) return &info;
    return nullptr;
}

const ReportKindInfo* FindReportKindNamed(std::string_view name) {
    for (const auto& info : AllReportKinds())
        if (info.cliName == name) return &info;
    return nullptr;
}

int ReportKindShown(ReportFamily family, std::string_view book, bool oneTitle) {
    for (const auto& info : AllReportKinds())
        if (info.family == family && info.book == book && info.oneTitle == oneTitle)
            return info.kind;
    return 0;
}

int LedgerReportFor(std::string_view bookKind, bool titleSearch) {
    const bool ownRows = bookKind == kPettyKind || bookKind == kBankKind;
    return ReportKindShown(ReportFamily::kLedger, ownRows ? bookKind : kCashKind, titleSearch);
}

bool IsMonthWalkReport(int kind) {
    const ReportKindInfo* info = FindReportKind(kind);
    return info != nullptr && info->walk == PrintWalk::kMonthByMonth;
}

bool IsKokuyoPaper(int kind, int paperIndex) {
    const ReportKindInfo* info = FindReportKind(kind);
    return info != nullptr && info->family == ReportFamily::kLedger &&
           (paperIndex == 1 || paperIndex == 2);
}

}  // namespace velmora
