// Printing through Qt: one preview page painted by the Qt canvas at 100 % and 200 %, and a
// whole year of cash-book pages written as PDF at 600 dpi beside the same run on the
// recording canvas, with the PDF's size a page.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <string>

#include "bench/support/bench_setup.h"
#include "bench/support/figure_reporter.h"
#include "qtprint/qt_canvas.h"
#include "qtprint/qt_print_device.h"

namespace velmora::bench {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCashStyle = "A4現金出納帳_月分1_ゴシックG.sle";

fs::path ShippedStyles() {
    if (const char* dir = std::getenv("VELMORA_DATA_DIR"); dir != nullptr && *dir != '\0')
        return fs::path(dir) / "style";
    return fs::path(VELMORA_SOURCE_DATA_DIR) / "style";
}

// "出納帳印刷" on the first month of the year, every month checked.
void SetUpYear(Application& app) {
    app.printing().PrintLedger();
    for (int item = 0; item < 12; ++item) app.printing().SetMonthChecked(item, true);
}

void RegisterPreview(const std::string& folder, const std::string& path, int zoom) {
    benchmark::RegisterBenchmark(("PreviewPage" + std::to_string(zoom)).c_str(),
                                 [folder, path, zoom](benchmark::State& state) {
                                     QuietApp quiet(folder);
                                     if (!quiet.Open(path))
                                         return state.SkipWithError("not loaded");
                                     Application& app = quiet.app();
                                     app.books().SelectCashBook();
                                     app.books().ChooseMonthTab(1);
                                     app.printing().PrintLedger();
                                     app.printing().SetZoom(zoom);
                                     const PrintJob& job = app.printJob();
                                     const PreviewGeometry g = job.previewGeometry();
                                     gui::QtImageLoader images;
                                     for (auto _ : state) {
                                         // As the preview sheet paints: a fresh image of the
                                         // printable area.
                                         QImage area(g.area.right - g.area.left,
                                                     g.area.bottom - g.area.top,
                                                     QImage::Format_RGB32);
                                         QPainter painter(&area);
                                         gui::QtCanvas canvas(painter, g.resolutionX, false);
                                         if (!job.PaintPreview(canvas, images).Ok())
                                             return state.SkipWithError("the page did not draw");
                                         painter.end();
                                         benchmark::DoNotOptimize(area.constBits());
                                     }
                                 })
        ->Unit(benchmark::kMillisecond);
}

void RegisterYearRecording(const std::string& folder, const std::string& path) {
    benchmark::RegisterBenchmark("PrintYearRecording",
                                 [folder, path](benchmark::State& state) {
                                     QuietApp quiet(folder);
                                     if (!quiet.Open(path))
                                         return state.SkipWithError("not loaded");
                                     Application& app = quiet.app();
                                     app.books().SelectCashBook();
                                     app.books().ChooseMonthTab(1);
                                     std::size_t sheets = 0;
                                     for (auto _ : state) {
                                         state.PauseTiming();
                                         SetUpYear(app);
                                         state.ResumeTiming();
                                         const PrintRunResult run = app.printing().PrintSheets();
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

void RegisterYearPdf(const std::string& folder, const std::string& path) {
    benchmark::RegisterBenchmark(
        "PrintYearPdf",
        [folder, path](benchmark::State& state) {
            QuietDialogs dialogs;
            FixedClock clock(Date::FromYmd(2024, 10, 15));
            DiskFileWriter writer;
            NoDesktopShell shell;
            gui::QtPrintDevice printer(QStringList(), 600);
            Application app(AppServices{dialogs, clock, writer, printer, shell, folder, folder});
            app.Create();
            if (!app.files().OpenFile(path)) return state.SkipWithError("not loaded");
            app.books().SelectCashBook();
            app.books().ChooseMonthTab(1);
            const std::string pdf = folder + "/year.pdf";
            std::size_t sheets = 0;
            for (auto _ : state) {
                state.PauseTiming();
                SetUpYear(app);
                printer.SetPdfFile(pdf);
                state.ResumeTiming();
                const PrintRunResult run = app.printing().PrintSheets();
                if (run.error || run.cancelled) return state.SkipWithError("the run failed");
                sheets = run.sheets.size();
            }
            state.counters["sheets"] = static_cast<double>(sheets);
            if (sheets > 0)
                state.counters["KB_per_page"] =
                    static_cast<double>(fs::file_size(pdf)) / 1024.0 / static_cast<double>(sheets);
        })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(3);
}

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    using namespace velmora::bench;
    if (!InitBenchmarks(argc, argv)) return 1;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication qapp(argc, argv);
    ScratchFolder folder;
    const PreparedLedger prepared = PrepareAnnouncedLedger(folder);
    for (const char* sub : {"style", "config", "cldata", "ini"})
        fs::create_directories(fs::path(folder.Path()) / sub);
    fs::copy_file(ShippedStyles() / kCashStyle, fs::path(folder.Path()) / "style" / kCashStyle,
                  fs::copy_options::overwrite_existing);
    RegisterPreview(folder.Path(), prepared.path, 100);
    RegisterPreview(folder.Path(), prepared.path, 200);
    RegisterYearRecording(folder.Path(), prepared.path);
    RegisterYearPdf(folder.Path(), prepared.path);
    RunWithFigures({
        {"one preview page painted at 100 %", "PreviewPage100", "", 30},
        {"one preview page painted at 200 %", "PreviewPage200", "", 60},
        {"a year of cash-book pages to PDF at 600 dpi / the recording canvas", "PrintYearPdf",
         "PrintYearRecording", 3},
    });
    return 0;
}
