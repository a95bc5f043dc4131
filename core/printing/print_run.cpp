// "印刷実行": the pages of the job sent to the printer, month by month for the ledgers with
// the odd/even page filter, page by page for the lists, or the one loaded page.
//
// The side of a printed sheet (which print offsets a KOKUYO page takes) follows the sheet
// counter of the whole job: the first sheet is an odd page ("偶数から開始": an even page) and
// the sides alternate from there. Within one month this is the side the preview shows for
// the same page; across months it keeps fronts and backs of a two-sided stack apart where
// a side by page number would restart at every month.
#include "core/ledger/periods.h"
#include "core/printing/print_job.h"
#include "core/printing/report_kind.h"

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
        monthReload(month);
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
    DrawResult drawn = pageDraw(device.PageCanvas(), device.PageImages(),
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

PrintRunResult PrintJob::RunMonthWalk() {
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
    if (toPrint > 0) {
        sheet = 1;
        int printed = 0;
        end = WalkJobMonths([&](int month, int page) {
            if (Accepts(panel_.filter, sheet)) {
                if (auto error = PrintSheet(sheet)) {
                    result.error = std::move(error);
                    return false;
                }
                ++printed;
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
    monthReload(state_.monthToPrint);
    return result;
}

PrintRunResult PrintJob::RunPageLoop() {
    PrintRunResult result;
    const int month = state_.kind == kBankSearchReport ? state_.monthToPrint : 0;
    int sheet = 1;
    const WalkEnd end = WalkPages(month, [&](int m, int page) {
        if (auto error = PrintSheet(sheet)) {
            result.error = std::move(error);
            return false;
        }
        result.sheets.push_back({sheet, m, page, state_.pageSide});
        FinishSheet(state_.page == 0);
        ++sheet;
        return true;
    });
    result.cancelled = end == WalkEnd::kNotLoaded;
    DropDocument();
    return result;
}

PrintRunResult PrintJob::RunLoadedPage() {
    PrintRunResult result;
    if (auto error = PrintSheet(1)) {
        result.error = std::move(error);
        return result;
    }
    result.sheets.push_back({1, 0, 1, state_.pageSide});
    FinishSheet(true);
    return result;
}

PrintRunResult PrintJob::printRun() {
    const int kind = state_.kind;
    if (FindReportKind(kind) == nullptr) return {};
    state_.page = 0;
    state_.documentOpen = false;
    controls_.printingCaption = kPrintingCaption;
    PrintRunResult result;
    try {
        if (IsMonthWalkReport(kind))
            result = RunMonthWalk();
        else if (IsFixedReport(kind) && kind != kBookBalancesReport)
            result = RunLoadedPage();
        else
            result = RunPageLoop();
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

}  // namespace velmora
