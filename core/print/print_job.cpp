#include "core/print/print_job.h"

#include <algorithm>
#include <ostream>

#include "core/ledger/periods.h"
#include "core/ledgerview/month_tabs.h"
#include "core/platform/stream_dialogs.h"
#include "core/print/option_file.h"
#include "core/print/print_data.h"
#include "core/print/report_kind.h"
#include "core/printstyle/ledger_filler.h"
#include "core/printstyle/page_setup.h"
#include "core/util/paths.h"

namespace velmora {
namespace {

// A style that never reaches its last page is not counted beyond this.
constexpr int kMaxCountedPages = 9999;

std::vector<std::string> Strings(const std::vector<std::string_view>& items) {
    return {items.begin(), items.end()};
}

}  // namespace

PrintJob::PrintJob(PrintServices services, PrintSources& sources)
    : services_(std::move(services)), sources_(sources) {}

void PrintJob::RepaintPreview() const {
    if (listener_ != nullptr) listener_->RepaintPreview();
}

void PrintJob::WritePrintDataFile(std::vector<std::string> lines) {
    printData_.reset();
    WritePrintData(services_.workingFolder, lines, services_.writer);
    printData_ = std::move(lines);
}

const std::vector<std::string>& PrintJob::PrintDataLines() {
    if (!printData_) printData_ = ReadPrintData(services_.workingFolder);
    return *printData_;
}

void PrintJob::WriteLedgerPrintData(const LedgerListing& listing) {
    LedgerPrintData out = LedgerPrintLines(listing.rows, listing.calendarMonth);
    sources_.ShowPrintDataPanels(out.searchRange, out.monthPanel);
    WritePrintDataFile(std::move(out.lines));
}

void PrintJob::PrepareLedger() {
    const LedgerPageInputs page = sources_.LedgerPage();
    const int kind = LedgerReportFor(page.bookKind, !page.accountFilter.empty());
    const LedgerListing listing = sources_.CurrentLedger();
    WriteLedgerPrintData(listing);
    state_.monthToPrint = listing.month >= 1 && listing.month <= 12 ? listing.month : 13;
    SetUpKind(kind);
    controls_.previewTab = listing.ledgerTab - 1;
}

void PrintJob::PrepareMonthlySummary() {
    WritePrintDataFile(sources_.SummaryPrintData());
    const int kind = ReportKindShown(ReportFamily::kSummary, {}, sources_.SummaryDrillLevel() != 0);
    const int ledgerTab = sources_.CurrentLedger().ledgerTab;
    SetUpKind(kind);
    controls_.previewTab = ledgerTab - 1;
}

void PrintJob::PrepareIncomeExpense() {
    SetUpKind(kIncomeExpenseReport);
}
void PrintJob::PrepareBookBalances() {
    SetUpKind(kBookBalancesReport);
}
void PrintJob::PrepareGraph() {
    SetUpKind(kGraphReport);
}

void PrintJob::PrepareReport(int kind) {
    const ReportKindInfo* report = FindReportKind(kind);
    if (report == nullptr) return;
    switch (report->family) {
        case ReportFamily::kLedger:
            PrepareLedger();
            return;
        case ReportFamily::kSummary:
            PrepareMonthlySummary();
            return;
        case ReportFamily::kFixed:
            SetUpKind(kind);
            return;
    }
}

const ReportKindInfo* PrintJob::Report() const {
    return FindReportKind(state_.kind);
}

void PrintJob::SetUpKind(int kind) {
    const ReportKindInfo* info = FindReportKind(kind);
    if (info == nullptr) return;
    state_.kind = kind;
    controls_.jobNumber += 1;
    controls_.editMenuEnabled = false;
    controls_.sidePanelShown = true;

    controls_.paperItems = Strings(info->paperItems);
    controls_.previewTabs = MonthTabCaptions(sources_.StartMonth());
    controls_.previewTabs.erase(controls_.previewTabs.begin());  // without "ALL"
    if (info->tabs == PreviewTabs::kPrintOnly)
        controls_.previewTabs = {"印刷"};
    else if (info->tabs == PreviewTabs::kMonthsThenPrint)
        controls_.previewTabs.push_back("印刷");

    services_.device.SelectDefaultPrinter();
    state_.printerIndex = -1;

    // The paper list was refilled, so it has no selection until the option file gives one.
    PrintOptionValues values{panel_.choice, panel_.zoom};
    values.choice.paper = 0;
    std::string problem;
    ReadOptionFile(OptionFilePath(services_.workingFolder, kind),
                   {static_cast<int>(info->paperItems.size()), 2, 2, 4}, values, &problem);
    if (!problem.empty()) services_.dialogs.ShowInfo("確認", problem);
    panel_.choice = values.choice;
    panel_.zoom = values.zoom;
    optionEventsHonoured_ = true;

    controls_.monthSelectEnabled = info->family != ReportFamily::kSummary;
    controls_.pageFilterEnabled = info->family != ReportFamily::kSummary;
    controls_.colourEnabled = true;
    ShowOffsetControls(false);

    state_.stylePath.clear();
    const PrinterSettings printer = services_.device.QuerySettings();
    state_.paperCode = PaperListIndex(printer.paperCode);
    state_.copies = printer.copies;
    state_.paperSource = printer.paperSource;
    state_.orientation = printer.orientation != 0 ? 1 : 0;
    state_.page = 1;
    state_.pageSide = 0;
    ShowEmptyStyle();
    state_.documentOpen = false;
    controls_.pageButtonsShown = true;

    SelectStyle();
    if (info->family == ReportFamily::kFixed) {
        controls_.fontEnabled = controls_.columnEnabled = controls_.colourEnabled = false;
        controls_.kokuyoNegativesEnabled = controls_.pageFilterEnabled = false;
        controls_.monthSelectEnabled = false;
    }
    controls_.pageButtonsShown = info->pageButtons;
    SetUpMonthList();
}

void PrintJob::SetUpMonthList() {
    const int start = sources_.StartMonth();
    for (int i = 0; i < 12; ++i)
        controls_.monthItems[static_cast<std::size_t>(i)] = std::to_string(FiscalMonthAt(start, i));
    if (state_.monthToPrint == 13) {
        controls_.monthSelectEnabled = false;
    } else if (state_.monthToPrint >= 1 && state_.monthToPrint <= 12) {
        const int position = FiscalPositionOf(start, state_.monthToPrint);
        panel_.months[static_cast<std::size_t>(position - 1)] = true;
    }
}

void PrintJob::ShowEmptyStyle() {
    style_ = NewEmptyStyle();
    const PageSetup setup = ReadPageSetup(style_);
    panel_.offsets = setup.offsets;
    offsetsOf_.clear();
    state_.paperCode = PaperListIndex(setup.paperCode);
    state_.orientation = setup.orientation;
    ApplyPageSetup(services_.device, setup, state_.copies);
    metrics_ = MeasurePrinter(services_.device);
    RepaintPreview();
}

void PrintJob::ShowOffsetControls(bool kokuyo) {
    controls_.evenOffsetsShown = kokuyo;
    controls_.formLinesShown = kokuyo;
    controls_.oddOffsetCaption = kokuyo ? "奇数ページ" : "全体位置調整";
}

void PrintJob::SelectStyle() {
    const ReportKindInfo* report = Report();
    if (report == nullptr) return;
    if (report->family == ReportFamily::kLedger) {
        SelectLedgerStyle();
        return;
    }
    if (report->family == ReportFamily::kSummary) {
        controls_.columnEnabled = false;
        controls_.kokuyoNegativesEnabled = false;
    }
    if (!report->previewCaption.empty())
        controls_.previewCaption = std::string(report->previewCaption);
    state_.page = 1;
    LoadStylePage(StyleFilePath(services_.workingFolder, state_.kind, panel_.choice));
}

void PrintJob::SelectLedgerStyle() {
    const bool kokuyo = IsKokuyoPaper(state_.kind, panel_.choice.paper);
    controls_.columnEnabled = controls_.fontEnabled = controls_.colourEnabled = !kokuyo;
    ShowOffsetControls(kokuyo);
    controls_.kokuyoNegativesEnabled = kokuyo;
    state_.page = 1;
    LoadStylePage(StyleFilePath(services_.workingFolder, state_.kind, panel_.choice));
}

void PrintJob::ChooseStyle(const StyleChoice& choice) {
    if (!optionEventsHonoured_) return;
    panel_.choice = choice;
    // The fixed reports have one style whatever is chosen.
    const ReportKindInfo* report = Report();
    if (report != nullptr && report->family != ReportFamily::kFixed) SelectStyle();
}

void PrintJob::SetKokuyoNegatives(int item) {
    if (!optionEventsHonoured_) return;
    panel_.kokuyoNegatives = item == 0 ? 0 : 1;
    FirstPage();
}

void PrintJob::SetPageFilter(PageFilter filter) {
    if (!optionEventsHonoured_) return;
    panel_.filter = filter;
    FirstPage();
}

void PrintJob::SetMonthChecked(int item, bool checked) {
    if (item >= 0 && item < 12) panel_.months[static_cast<std::size_t>(item)] = checked;
}

void PrintJob::SetOffsetPreview(bool on) {
    panel_.offsetPreview = on;
    RepaintPreview();
}

void PrintJob::SetFormLines(bool on) {
    panel_.formLines = on;
    RepaintPreview();
}

void PrintJob::SetZoom(int zoom) {
    panel_.zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    RepaintPreview();
}

FileDialogRequest PrintJob::StyleDialogRequest() {
    // Kinds without texts of their own keep what the dialog was last set up with.
    const ReportKindInfo* report = Report();
    if (report != nullptr && report->styleDialog != nullptr) {
        styleDialog_.title = report->styleDialog->title;
        styleDialog_.defaultExtension = report->styleDialog->defaultExtension;
        styleDialog_.filter = report->styleDialog->filter;
    }
    styleDialog_.initialFolder = JoinPath(services_.programFolder, "style");
    return styleDialog_;
}

bool PrintJob::LoadStylePage(const std::string& requested) {
    std::string path = FileExists(requested) ? requested : std::string();
    if (path.empty()) {
        std::optional<std::string> chosen = services_.dialogs.AskOpenFile(StyleDialogRequest());
        if (!chosen) return false;
        path = *chosen;
        state_.pageSide = 0;
    }
    // Page 1 starts on an odd page (an even one with "偶数から開始"); each load turns over.
    if (state_.page <= 1) state_.pageSide = panel_.evenFirst ? 0 : 1;
    state_.pageSide = 1 - state_.pageSide;
    const int page = std::max(state_.page, 1);
    // The page count changes only with the month, the data or the style: all begin at page 1.
    if (page == 1 && walks_ == 0) controls_.pageCount = CountPages(path);
    controls_.pageShown = page;

    style_ = LoadStyleFile(path);
    // An old file is brought to the current field layout before its fields are filled by
    // number (the header application would do it only after the filler).
    UpgradeStyleVersion(style_);
    state_.stylePath = path;
    controls_.stylePathShown = path;
    FillPage(services_.dialogs);
    ApplyHeader();
    if (!state_.documentOpen) ApplyPrinterSetup();
    RepaintPreview();
    return true;
}

int PrintJob::CountPages(const std::string& path) {
    // A kind that pages through its print data counts its pages from the data's length.
    const ReportKindInfo* report = Report();
    if (report != nullptr && report->countPages != nullptr) {
        StyleList style = LoadStyleFile(path);
        UpgradeStyleVersion(style);
        return report->countPages(TakeRowsPerPage(style), PrintDataLines().size());
    }
    const int page = state_.page;
    const StyleList shown = std::move(style_);
    int count = 0;
    state_.page = 1;
    // What a page would tell the user is told when it is shown, not while counting.
    std::ostream nowhere(nullptr);
    StreamDialogs silent(nowhere);
    // A style whose filler never reaches a last page is counted as far as it could print.
    while (state_.page != 0 && count < kMaxCountedPages) {
        style_ = LoadStyleFile(path);
        UpgradeStyleVersion(style_);
        FillPage(silent);
        ++count;
        if (state_.page != 0) ++state_.page;
    }
    style_ = shown;
    state_.page = page;
    return count;
}

void PrintJob::FillPage(Dialogs& dialogs) {
    // A kind without a filler shows its style as loaded.
    const ReportKindInfo* report = Report();
    if (report == nullptr || report->fill == nullptr) return;
    // The preview is captioned with the book a ledger page shows.
    if (report->family == ReportFamily::kLedger)
        controls_.previewCaption = LedgerPageTitle(sources_.LedgerPage());
    const PageFill fill{
        .style = style_,
        .sources = sources_,
        .dialogs = dialogs,
        .page = std::max(state_.page, 1),
        .paper = panel_.choice.paper,
        .kokuyoNegatives = panel_.kokuyoNegatives,
        .monthsToPrint = state_.monthToPrint,
        .printData = [this]() -> const std::vector<std::string>& { return PrintDataLines(); }};
    if (report->fill(fill).lastPage) state_.page = 0;
}

void PrintJob::ApplyHeader() {
    const PageSetup setup = ApplyStyleHeader(
        style_, PrinterChoicePath(services_.workingFolder, state_.kind, panel_.choice.paper));
    // The offset boxes take a style's offsets when it is chosen; from then on what they
    // show is what prints, on every page, confirmed or not.
    if (offsetsOf_ != state_.stylePath) {
        panel_.offsets = setup.offsets;
        offsetsOf_ = state_.stylePath;
    }
    state_.paperCode = PaperListIndex(setup.paperCode);
    state_.orientation = setup.orientation != 0 ? 1 : 0;
    state_.paperSource = setup.paperSource;
    state_.printerIndex = setup.printerIndex;
}

void PrintJob::ApplyPrinterSetup() {
    const int printer = pdfRun_ ? services_.device.PdfPrinterIndex() : state_.printerIndex;
    ApplyPageSetup(services_.device, state_.paperCode, state_.orientation, state_.paperSource,
                   printer, state_.copies);
    metrics_ = MeasurePrinter(services_.device);
}

bool PrintJob::ShowStyle(const std::string& path) {
    state_.page = 1;
    return LoadStylePage(path);
}

void PrintJob::FirstPage() {
    state_.page = 1;
    LoadStylePage(state_.stylePath);
}

void PrintJob::NextPage() {
    state_.page += 1;
    LoadStylePage(state_.stylePath);
}

void PrintJob::PreviousPage() {
    GoToPage(controls_.pageShown - 1);
}

void PrintJob::LastPage() {
    GoToPage(controls_.pageCount);
}

void PrintJob::GoToPage(int page) {
    page = std::clamp(page, 1, std::max(controls_.pageCount, 1));
    state_.page = page;
    // The load turns the sheet over: set the side before it to the one page - 1 had.
    const int firstSide = panel_.evenFirst ? 1 : 0;
    state_.pageSide = (firstSide + page) % 2;
    LoadStylePage(state_.stylePath);
}

void PrintJob::ChoosePreviewTab(int tab) {
    const ReportKindInfo* report = Report();
    if (report == nullptr || report->family != ReportFamily::kLedger || tab < 0 || tab >= 12)
        return;
    controls_.previewTab = tab;
    ReloadMonth(FiscalMonthAt(sources_.StartMonth(), tab));
}

void PrintJob::ReloadMonth(int month) {
    WriteLedgerPrintData(sources_.ShowLedgerMonth(month));
    state_.page = 1;
    state_.pageSide = 0;
    LoadStylePage(state_.stylePath);
}

}  // namespace velmora
