// "印刷実行": the pages of the job sent to the printer, month by month for the ledgers with
// the odd/even page filter, page by page for the lists, or the one loaded page.
//
// The side of a printed sheet (which print offsets a KOKUYO page takes) follows the sheet
// counter of the whole job: the first sheet is an odd page ("偶数から開始": an even page) and
// the sides alternate from there. Within one month this is the side the preview shows for
// the same page; across months it keeps fronts and backs of a two-sided stack apart where
// a side by page number would restart at every month.
#include "core/ledger/periods.h"
#include "core/print/calibration_page.h"
#include "core/print/page_draw.h"
#include "core/print/print_job.h"
#include "core/print/report_kind.h"

namespace velmora {
namespace {

bool Accepts(PageFilter filter, int sheet) {
    switch (filter) {
        case PageFilter::kOdd:
            return sheet % 2 == 1;
        case PageFilter::kEven:
            return sheet % 2 == 0;
        case PageFilter::kAll:
            break;
    }
    return true;
}

}  // namespace

PrintJob::WalkEnd PrintJob::WalkPages(int month, const PageVisit& visit) {
    // The walk loads every page itself: its loads of page 1 need no page count.
    struct Walking {
        int& walks;
        explicit Walking(int& w) : walks(w) { ++walks; }
        ~Walking() { --walks; }
    } walking(walks_);
    state_.page = 0;
    int page = 0;
    do {
        state_.page += 1;
        ++page;
        if (!LoadStylePage(state_.stylePath)) return WalkEnd::kNotLoaded;
        if (!visit(month, page)) return WalkEnd::kStopped;
    } while (state_.page != 0);
    return WalkEnd::kDone;
}

PrintJob::WalkEnd PrintJob::WalkJobMonths(const PageVisit& visit) {
    if (state_.monthToPrint == 13) return WalkPages(13, visit);
    const int start = sources_.StartMonth();
    for (int position = 0; position < 12; ++position) {
        if (!panel_.months[static_cast<std::size_t>(position)]) continue;
        const int month = FiscalMonthAt(start, position);
        ReloadMonth(month);
        const WalkEnd end = WalkPages(month, visit);
        if (end != WalkEnd::kDone) return end;
    }
    return WalkEnd::kDone;
}

std::optional<StyleError> PrintJob::PrintSheet(int sheet) {
    state_.pageSide = PrintedPageSide(sheet, panel_.evenFirst);
    state_.documentOpen = true;
    PrintDevice& device = services_.device;
    if (!documentBegun_) {
        device.BeginDocument();
        documentBegun_ = true;
    }
    DrawResult drawn = DrawPage(device.PageCanvas(), device.PageImages(),
                                PrinterDrawContext(metrics_, panel_.zoom), false);
    if (drawn.Ok()) return std::nullopt;
    DropDocument();
    return drawn.error;
}

void PrintJob::FinishSheet(bool last) {
    if (last) {
        services_.device.EndDocument();
        documentBegun_ = false;
    } else {
        services_.device.NewPage();
    }
}

void PrintJob::DropDocument() {
    if (!documentBegun_) return;
    services_.device.AbortDocument();
    documentBegun_ = false;
}

bool PrintJob::GoOn(const PrintProgress& progress, int drawn, int total, PrintRunResult& result) {
    if (!progress || progress(drawn, total)) return true;
    DropDocument();
    result.stopped = true;
    return false;
}

PrintRunResult PrintJob::RunMonthWalk(const PrintProgress& progress) {
    PrintRunResult result;
    controls_.sheetShown = false;
    int sheet = 1;
    int seen = 0;
    int toPrint = 0;
    WalkEnd end = WalkJobMonths([&](int, int) {
        if (Accepts(panel_.filter, sheet)) ++toPrint;
        ++seen;
        ++sheet;
        return true;
    });
    if (end == WalkEnd::kNotLoaded) {
        result.cancelled = true;
        return result;
    }
    // One page in the whole job has no even sheet: say so instead of printing nothing.
    if (panel_.filter == PageFilter::kEven && seen == 1) {
        controls_.printingCaption.clear();
        services_.dialogs.ShowInfo(kEvenPagesHeading, kEvenPagesMessage);
        result.nothingToPrint = true;
        return result;
    }
    // Told with none drawn as the run begins, after the pages have been counted.
    if (toPrint > 0 && GoOn(progress, 0, toPrint, result)) {
        sheet = 1;
        int printed = 0;
        end = WalkJobMonths([&](int month, int page) {
            if (Accepts(panel_.filter, sheet)) {
                if (auto error = PrintSheet(sheet)) {
                    result.error = std::move(error);
                    return false;
                }
                ++printed;
                if (!GoOn(progress, printed, toPrint, result)) return false;
                result.sheets.push_back({sheet, month, page, state_.pageSide});
                FinishSheet(printed >= toPrint);
            }
            ++sheet;
            return printed < toPrint;
        });
        result.cancelled = end == WalkEnd::kNotLoaded;
    }
    DropDocument();
    controls_.sheetShown = true;
    ReloadMonth(state_.monthToPrint);
    return result;
}

PrintRunResult PrintJob::RunPageLoop(int month, const PrintProgress& progress) {
    PrintRunResult result;
    // Only a run that reports its progress needs to know how many pages there are.
    int total = 0;
    if (progress) {
        if (WalkPages(month, [&](int, int) { return ++total > 0; }) == WalkEnd::kNotLoaded) {
            result.cancelled = true;
            return result;
        }
    }
    if (!GoOn(progress, 0, total, result)) return result;
    int sheet = 1;
    const WalkEnd end = WalkPages(month, [&](int m, int page) {
        if (auto error = PrintSheet(sheet)) {
            result.error = std::move(error);
            return false;
        }
        if (!GoOn(progress, sheet, total, result)) return false;
        result.sheets.push_back({sheet, m, page, state_.pageSide});
        FinishSheet(state_.page == 0);
        ++sheet;
        return true;
    });
    result.cancelled = end == WalkEnd::kNotLoaded;
    DropDocument();
    return result;
}

PrintRunResult PrintJob::RunLoadedPage(const PrintProgress& progress) {
    PrintRunResult result;
    if (!GoOn(progress, 0, 1, result)) return result;
    if (auto error = PrintSheet(1)) {
        result.error = std::move(error);
        return result;
    }
    if (!GoOn(progress, 1, 1, result)) return result;
    result.sheets.push_back({1, 0, 1, state_.pageSide});
    FinishSheet(true);
    return result;
}

PrintRunResult PrintJob::Print(const PrintProgress& progress) {
    const ReportKindInfo* report = Report();
    if (report == nullptr) return {};
    state_.page = 0;
    state_.documentOpen = false;
    controls_.printingCaption = kPrintingCaption;
    PrintRunResult result;
    try {
        switch (report->walk) {
            case PrintWalk::kMonthByMonth:
                result = RunMonthWalk(progress);
                break;
            case PrintWalk::kPagesOfMonth:
                result = RunPageLoop(state_.monthToPrint, progress);
                break;
            case PrintWalk::kPages:
                result = RunPageLoop(0, progress);
                break;
            case PrintWalk::kLoadedPage:
                result = RunLoadedPage(progress);
                break;
        }
    } catch (...) {
        DropDocument();
        controls_.sheetShown = true;
        controls_.printingCaption.clear();
        throw;
    }
    controls_.sheetShown = true;
    controls_.printingCaption.clear();
    return result;
}

std::string PrintProgressText(int drawn, int total) {
    return "印刷中 " + std::to_string(drawn) + " / " + std::to_string(total) + " ページ";
}

bool PrintJob::PdfPrinterInUse() const {
    const int pdf = services_.device.PdfPrinterIndex();
    return pdf >= 0 && services_.device.CurrentIndex() == pdf;
}

std::string PrintJob::PdfFileName() const {
    const LedgerPageInputs page = sources_.LedgerPage();
    const int start = sources_.StartMonth();
    const std::string fiscalYear = std::to_string(page.startYear) + "年度";
    // What the preview is captioned with: the report, or the book of a ledger.
    const std::string title = controls_.previewCaption.empty() ? "印刷" : controls_.previewCaption;
    const ReportKindInfo* info = FindReportKind(state_.kind);
    if (info == nullptr || info->family != ReportFamily::kLedger)
        return title + "_" + fiscalYear + ".pdf";
    // A ledger: the one month printed, or the fiscal year.
    int ticked = 0;
    int month = 0;
    for (int position = 0; position < 12; ++position) {
        if (!panel_.months[static_cast<std::size_t>(position)]) continue;
        ++ticked;
        month = FiscalMonthAt(start, position);
    }
    if (state_.monthToPrint == 13 || ticked != 1) return title + "_" + fiscalYear + ".pdf";
    const int year = page.startYear + (month < start ? 1 : 0);
    return title + "_" + std::to_string(year) + "年" + (month < 10 ? "0" : "") +
           std::to_string(month) + "月.pdf";
}

std::optional<std::string> PrintJob::AskPdfFile(const std::string& fileName) {
    FileDialogRequest request;
    request.title = "PDFに保存";
    request.defaultExtension = "pdf";
    request.filter = "PDFファイル|*.pdf|すべてのファイル|*.*";
    request.fileName = fileName;
    // Beside the ledger, not wherever the program was started.
    request.initialFolder = sources_.OutputFolder();
    std::optional<std::string> file = services_.dialogs.AskSaveFile(request);
    if (file && sources_.RefuseOutput(*file)) return std::nullopt;
    return file;
}

PrintRunResult PrintJob::PrintOnChosenPrinter(const PrintProgress& progress) {
    if (!PdfPrinterInUse()) return Print(progress);
    const std::optional<std::string> file = AskPdfFile(PdfFileName());
    if (!file) {
        PrintRunResult result;
        result.noFile = true;
        return result;
    }
    return PrintToPdf(*file, progress);
}

PrintRunResult PrintJob::SaveAsPdf(const PrintProgress& progress) {
    const std::optional<std::string> file =
        services_.device.PdfPrinterIndex() >= 0 ? AskPdfFile(PdfFileName()) : std::nullopt;
    if (!file) {
        PrintRunResult result;
        result.noFile = true;
        return result;
    }
    return PrintToPdf(*file, progress);
}

PrintRunResult PrintJob::PrintToPdf(const std::string& path, const PrintProgress& progress) {
    PrintDevice& device = services_.device;
    const int pdf = device.PdfPrinterIndex();
    PrintRunResult result;
    if (pdf < 0) {
        result.noFile = true;
        return result;
    }
    const int before = device.CurrentIndex();
    // The printer in use comes back whatever way the run ends.
    struct Restore {
        PrintJob& job;
        int printer;
        int pdf;
        ~Restore() {
            job.pdfRun_ = false;
            if (printer >= 0 && printer != pdf) job.services_.device.SelectPrinter(printer);
            job.ApplyPrinterSetup();
        }
    } restore{*this, before, pdf};
    device.SetPdfFile(path);
    device.SetPdfModeLimit(sources_.OutputPermissions());
    pdfRun_ = true;
    ApplyPrinterSetup();
    result = Print(progress);
    if (!result.sheets.empty() && !result.stopped && !result.error && !result.cancelled)
        result.pdfFile = path;
    return result;
}

bool PrintJob::PrintCalibration() {
    if (PdfPrinterInUse()) {
        const std::optional<std::string> file = AskPdfFile("位置合わせ用紙.pdf");
        if (!file) return false;
        services_.device.SetPdfFile(*file);
        services_.device.SetPdfModeLimit(sources_.OutputPermissions());
    }
    const PrintOffsets inUse = OffsetsInUse(state_.kind, panel_.choice.paper, panel_.offsets);
    const bool even = PrintedPageSide(1, panel_.evenFirst) == 1;
    const CalibrationSheet sheet =
        LayOutCalibration(metrics_.pageWidthMm, metrics_.pageHeightMm,
                          even ? inUse.evenX : inUse.oddX, even ? inUse.evenY : inUse.oddY);
    PrintDevice& device = services_.device;
    device.BeginDocument();
    try {
        DrawCalibration(device.PageCanvas(), sheet, static_cast<int>(metrics_.dpiX.TruncatedYen()),
                        static_cast<int>(metrics_.dpiY.TruncatedYen()));
    } catch (...) {
        device.AbortDocument();
        throw;
    }
    device.EndDocument();
    return true;
}

}  // namespace velmora
