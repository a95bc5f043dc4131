// The pages "月別一覧表" and "入出金グラフ" of the desktop program on the generated ledger:
// from the click on the ribbon page to the summary grid filled and painted, a drill-down
// from a title's row to its descriptions, and one repaint of the graph page.
#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>

#include "bench/support/bench_setup.h"
#include "bench/support/desktop_program_bench.h"
#include "bench/support/figure_reporter.h"
#include "core/reports/summary_grid.h"
#include "gui/app/desktop_program.h"
#include "gui/mainwindow/main_window.h"
#include "gui/summary/graph_page.h"
#include "gui/summary/summary_page.h"

#ifndef VELMORA_SOURCE_DATA_DIR
#define VELMORA_SOURCE_DATA_DIR ""
#endif

namespace velmora::bench {
namespace {

// The day the generated ledger is opened on: inside its fiscal year.
const Date kToday = Date::FromYmd(2024, 10, 15);

// The grid shows the core's table: every row of it, a title in row 2.
bool GridShowsSummary(gui::MainWindow& window, const Application& app) {
    const QTableView& grid = *window.summaryPage()->grid();
    const MonthlySummary& s = app.summary();
    return window.mainPages()->currentWidget() == window.summaryPage() &&
           grid.model()->rowCount() == s.grid().RowCount() - 1 && s.lastRow() > 2 &&
           grid.model()->index(1, kLabelColumn).data().toString() ==
               QString::fromStdString(s.grid().Cell(kLabelColumn, 2));
}

// Counts the paint events of the widget it watches.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// The offscreen platform does not carry out repaint(): a widget with all its children is
// painted into a picture of its size instead, as the screen's backing store would be.
void Paint(QWidget& widget) {
    QImage canvas(widget.size(), QImage::Format_ARGB32_Premultiplied);
    widget.render(&canvas);
}

void SetRibbonPage(gui::MainWindow& window, RibbonPage page) {
    window.ribbon()->setCurrentIndex(static_cast<int>(page));
    QApplication::processEvents();
}

void RegisterPageBenchmarks(gui::DesktopProgram& program) {
    gui::MainWindow& window = program.window();
    Application& app = program.app();

    benchmark::RegisterBenchmark("SummaryPageClick",
                                 [&](benchmark::State& state) {
                                     for (auto _ : state) {
                                         state.PauseTiming();
                                         SetRibbonPage(window, RibbonPage::Ledger);
                                         state.ResumeTiming();
                                         SetRibbonPage(window, RibbonPage::Summary);
                                         Paint(*window.summaryPage());
                                         state.PauseTiming();
                                         if (!GridShowsSummary(window, app))
                                             state.SkipWithError("the grid is not filled");
                                         state.ResumeTiming();
                                     }
                                 })
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);

    // A double-click on the first title row (grid row 2) and back.
    benchmark::RegisterBenchmark("SummaryDrillDown",
                                 [&](benchmark::State& state) {
                                     SetRibbonPage(window, RibbonPage::Summary);
                                     QTableView& grid = *window.summaryPage()->grid();
                                     const QModelIndex titleRow =
                                         grid.model()->index(1, kLabelColumn);
                                     for (auto _ : state) {
                                         emit grid.doubleClicked(titleRow);
                                         Paint(*window.summaryPage());
                                         state.PauseTiming();
                                         if (app.summary().drillLevel() != 1)
                                             state.SkipWithError("no drill-down");
                                         app.reports().GoBack();
                                         QApplication::processEvents();
                                         state.ResumeTiming();
                                     }
                                 })
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("GraphPageRepaint",
                                 [&](benchmark::State& state) {
                                     SetRibbonPage(window, RibbonPage::Summary);
                                     app.reports().ShowGraph();
                                     QApplication::processEvents();
                                     gui::GraphPage& page = *window.graphPage();
                                     if (!page.isVisible())
                                         return state.SkipWithError("the graph page is not shown");
                                     // The panel with its bars and labels is painted, not only the
                                     // page around it.
                                     PaintCounter counter;
                                     page.panel()->installEventFilter(&counter);
                                     for (auto _ : state) Paint(page);
                                     page.panel()->removeEventFilter(&counter);
                                     if (counter.paints < static_cast<int>(state.iterations()))
                                         state.SkipWithError("the graph panel was not painted");
                                 })
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);
}

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    using namespace velmora::bench;
    if (!InitBenchmarks(argc, argv)) return 1;
    OffscreenDesktopApplication qt(argc, argv);

    ScratchFolder scratch;
    const std::string file = PrepareAnnouncedLedger(scratch).path;
    QuietDialogs dialogs;
    const auto started = StartDesktopProgram(scratch, file, kToday, dialogs);
    if (!started) return 1;
    velmora::gui::DesktopProgram& program = *started;

    RegisterPageBenchmarks(program);
    RunWithFigures({
        {"summary page: ribbon page click to the grid filled", "SummaryPageClick", "", 16},
        {"summary page: drill-down to a title's descriptions", "SummaryDrillDown", "", 16},
        {"graph page: one repaint", "GraphPageRepaint", "", 5},
    });
    return 0;
}
