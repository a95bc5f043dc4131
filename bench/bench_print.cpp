// Printing: one ledger page of 40 rows filled and drawn on the recording canvas, and a whole
// year of cash-book pages through the print run's counting and printing passes.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/bench_setup.h"
#include "bench/support/figure_reporter.h"
#include "core/ledgerview/ledger_view.h"
#include "core/ledgerview/month_tabs.h"
#include "core/print/print_data.h"
#include "core/print/print_job.h"
#include "core/print/recording_print_device.h"
#include "core/printstyle/draw_style.h"
#include "core/printstyle/image_headers.h"
#include "core/printstyle/ledger_filler.h"
#include "core/printstyle/placeholders.h"
#include "core/printstyle/recording_canvas.h"

namespace velmora::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kPageRows = 40;
constexpr const char* kCashStyle = "A4現金出納帳_月分1_ゴシックG.sle";

// The shipped styles: $VELMORA_DATA_DIR/style, else data/style of this source tree.
fs::path ShippedStyles() {
    if (const char* dir = std::getenv("VELMORA_DATA_DIR"); dir != nullptr && *dir != '\0')
        return fs::path(dir) / "style";
    return fs::path(__FILE__).parent_path().parent_path() / "data" / "style";
}

std::string Text(const std::string& x, const std::string& y, int size, const std::string& pitch,
                 const std::string& text, int maxLength = 0) {
    return "0;0;0;0;data;" + x + ";" + y + ";" + x + ";" + y + ";0;0;0;0;IPAexGothic;" +
           std::to_string(size) + ";標準;0;" + pitch + ";0;" + text + ";0;" +
           std::to_string(maxLength) + ";0;";
}

// A ledger page of kPageRows rows laid out as the shipped A4 cash book: frame, headings,
// a dotted line and six cells a row.
StyleList FortyRowStyle() {
    StyleList style({"header;Ver1.1;0;0;9;0;0;100;0;0;0;0;0;",
                     Text("0", "0", 10, "0", "#maxline=" + std::to_string(kPageRows)),
                     "0;0;0;0;rect;9;40;193;273;3;実線;0;0;", Text("12.1", "10", 18, "0", "#tl"),
                     Text("88.3", "21.5", 12, "0", "#PY年#PM月分"), Text("9", "27", 11, "0", "#KF"),
                     Text("9", "33", 11, "0", "#OF"),
                     Text("164.43", "34", 9, "0", "作成日　#Y/#M/#D"),
                     Text("96.24", "276", 9, "0", "- #pg -")});
    for (int row = 1; row <= kPageRows; ++row) {
        const std::string y = std::to_string(44 + 5.6 * row);
        const std::string n = RowNumber(row);
        style.Append("0;0;0;0;line;9;" + y + ";193;" + y + ";0;点線;0;0;");
        style.Append(Text("10.5", y, 9, "0", "#ia_" + n));
        style.Append(Text("30.5", y, 9, "0", "#ib_" + n, 8));
        style.Append(Text("62.5", y, 9, "0", "#ic_" + n, 15));
        style.Append(Text("142", y, 9, "-1.9", "#id_" + n));
        style.Append(Text("166", y, 9, "-1.9", "#ie_" + n));
        style.Append(Text("192", y, 9, "-1.9", "#if_" + n));
    }
    return style;
}

// Print data of the cash book's busiest months, enough for a full first page: the month
// tabs chosen one after another.
std::vector<std::string> CashPrintData(const std::string& workingFolder, const std::string& path) {
    QuietApp quiet(workingFolder);
    std::vector<std::string> lines;
    if (!quiet.Open(path)) return lines;
    Application& app = quiet.app();
    app.books().SelectCashBook();
    for (int month = 1; month <= 12 && static_cast<int>(lines.size()) <= kPageRows; ++month) {
        app.books().ChooseMonthTab(TabOfMonth(app.session().ledger.startMonth, month));
        const LedgerPrintData out =
            LedgerPrintLines(app.ledgerView().rows.All(), app.view().calendar.drawn);
        lines.insert(lines.end(), out.lines.begin(), out.lines.end());
    }
    return lines;
}

void RegisterPageBenchmark(const std::string& workingFolder, const std::string& path) {
    const std::vector<std::string> data = CashPrintData(workingFolder, path);
    benchmark::RegisterBenchmark("FillAndDrawLedgerPage", [data](benchmark::State& state) {
        if (static_cast<int>(data.size()) <= kPageRows)
            return state.SkipWithError("too few rows for a full page");
        const StyleList loaded = FortyRowStyle();
        LedgerPageInputs inputs;
        inputs.bookKind = "現金";
        inputs.bookName = "現金出納帳";
        inputs.companyName = "株式会社ベルモラ";
        inputs.yearPanel = "2024";
        inputs.monthPanel = "4";
        inputs.negativeInRed = true;
        inputs.today = Date::FromYmd(2024, 10, 15);
        RecordingPrintDevice device(600);
        const DrawContext context = PrinterDrawContext(MeasurePrinter(device), 100);
        RecordingCanvas canvas(600);
        HeaderImageLoader images;
        std::size_t calls = 0;
        for (auto _ : state) {
            StyleList style = loaded;
            FillLedgerPage(style, data, inputs);
            if (!DrawStyle(canvas, style, context, images).Ok())
                return state.SkipWithError("the page did not draw");
            calls = canvas.Lines().size();
            canvas.ClearLines();
        }
        state.counters["calls"] = static_cast<double>(calls);
    })->Unit(benchmark::kMillisecond);
}

// "出納帳印刷" on the first month of the year with every month checked, then the run.
void RegisterYearBenchmark(const std::string& workingFolder, const std::string& path) {
    benchmark::RegisterBenchmark("PrintRunCashBookYear",
                                 [workingFolder, path](benchmark::State& state) {
                                     QuietApp quiet(workingFolder);
                                     if (!quiet.Open(path))
                                         return state.SkipWithError("not loaded");
                                     Application& app = quiet.app();
                                     app.books().SelectCashBook();
                                     app.books().ChooseMonthTab(1);
                                     std::size_t sheets = 0;
                                     for (auto _ : state) {
                                         state.PauseTiming();
                                         app.printing().PrintLedger();
                                         PrintingController& printing = app.printing();
                                         for (int item = 0; item < 12; ++item)
                                             printing.SetMonthChecked(item, true);
                                         state.ResumeTiming();
                                         const PrintRunResult run = printing.PrintSheets();
                                         if (run.error || run.cancelled)
                                             return state.SkipWithError("the run failed");
                                         sheets = run.sheets.size();
                                     }
                                     state.counters["sheets"] = static_cast<double>(sheets);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(3);
}

// "出納帳印刷" on the cash book's month with the most pages, until its first page is shown:
// the load of page 1 counts the month's pages first.
void RegisterFirstPageBenchmark(const std::string& workingFolder, const std::string& path) {
    benchmark::RegisterBenchmark("PrintCommandToFirstPage",
                                 [workingFolder, path](benchmark::State& state) {
                                     QuietApp quiet(workingFolder);
                                     if (!quiet.Open(path))
                                         return state.SkipWithError("not loaded");
                                     Application& app = quiet.app();
                                     app.books().SelectCashBook();
                                     const int startMonth = app.session().ledger.startMonth;
                                     int busiest = 1;
                                     std::size_t most = 0;
                                     for (int month = 1; month <= 12; ++month) {
                                         app.books().ChooseMonthTab(TabOfMonth(startMonth, month));
                                         const std::size_t lines =
                                             LedgerPrintLines(app.ledgerView().rows.All(),
                                                              app.view().calendar.drawn)
                                                 .lines.size();
                                         if (lines > most) {
                                             most = lines;
                                             busiest = month;
                                         }
                                     }
                                     app.books().ChooseMonthTab(TabOfMonth(startMonth, busiest));
                                     int pages = 0;
                                     for (auto _ : state) {
                                         app.printing().PrintLedger();
                                         pages = app.printJob().controls().pageCount;
                                     }
                                     state.counters["pages"] = pages;
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
}

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    using namespace velmora::bench;
    if (!InitBenchmarks(argc, argv)) return 1;
    ScratchFolder folder;
    const PreparedLedger prepared = PrepareAnnouncedLedger(folder);
    for (const char* sub : {"style", "config", "cldata", "ini"})
        fs::create_directories(fs::path(folder.Path()) / sub);
    fs::copy_file(ShippedStyles() / kCashStyle, fs::path(folder.Path()) / "style" / kCashStyle,
                  fs::copy_options::overwrite_existing);
    RegisterPageBenchmark(folder.Path(), prepared.path);
    RegisterYearBenchmark(folder.Path(), prepared.path);
    RegisterFirstPageBenchmark(folder.Path(), prepared.path);
    RunWithFigures({
        {"fill and draw one ledger page of 40 rows", "FillAndDrawLedgerPage", "", 2},
        {"print run over a year of cash-book pages", "PrintRunCashBookYear", "", 5000},
        // One frame of the screen.
        {"出納帳印刷 to the first page of the busiest month", "PrintCommandToFirstPage", "", 16.7},
    });
    return 0;
}
