// The ledger page of the desktop program on the generated ledger: from a click on a month
// tab to the grid's model holding that month, the "ALL" tab under an account search, one
// repaint of the visible grid, and a day chosen on the calendar with the date filter on in
// a ledger of about 300 records a month.
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QTabBar>
#include <QTableView>

#include "bench/support/bench_setup.h"
#include "bench/support/desktop_program_bench.h"
#include "bench/support/figure_reporter.h"
#include "core/app/command_table.h"
#include "core/ledgerview/month_tabs.h"
#include "gui/app/desktop_program.h"
#include "gui/ledger/ledger_model.h"
#include "gui/ledger/ledger_page.h"
#include "gui/ledger/left_pane.h"
#include "gui/mainwindow/main_window.h"
#include "gui/widgets/month_calendar.h"

#ifndef VELMORA_SOURCE_DATA_DIR
#define VELMORA_SOURCE_DATA_DIR ""
#endif

namespace velmora::bench {
namespace {

// The day the generated ledgers are opened on: inside their fiscal year.
const Date kToday = Date::FromYmd(2024, 10, 15);
// Twelve months of about 300 records each.
constexpr int kDayViewRecords = 3600;

gui::LedgerPage& PageOf(gui::MainWindow& window) {
    return *window.findChild<gui::LedgerPage*>();
}

// The model holds the month the application object shows, and every row of it.
bool ModelHolds(gui::MainWindow& window, const Application& app, int month) {
    const gui::LedgerModel& model = *PageOf(window).model();
    return app.session().currentMonth == month && model.WrittenRows() > 2 &&
           model.WrittenRows() == static_cast<int>(app.ledgerView().rows.size());
}

// The offscreen platform does not carry out repaint(): the widget is painted into a picture
// of its size instead, as the screen's backing store would be.
void Paint(QWidget& widget) {
    QImage canvas(widget.size(), QImage::Format_ARGB32_Premultiplied);
    widget.render(&canvas);
}

// The title of the first record row the view shows.
std::string FirstTitle(const Application& app) {
    for (const LedgerRow& row : app.ledgerView().rows)
        if (row.RecordIndex() && !row.Title().empty()) return row.Title();
    return {};
}

void RegisterPageBenchmarks(gui::DesktopProgram& program, gui::DesktopProgram& days) {
    gui::MainWindow& window = program.window();
    Application& app = program.app();
    QTabBar& tabs = *PageOf(window).monthTabs();
    // Tabs 1 and 2 are the start month and the next one.
    benchmark::RegisterBenchmark(
        "MonthTabClick",
        [&](benchmark::State& state) {
            int tab = 1;
            for (auto _ : state) {
                tab = tab == 1 ? 2 : 1;
                tabs.setCurrentIndex(tab);
                state.PauseTiming();
                if (!ModelHolds(window, app, MonthOfTab(app.session().ledger.startMonth, tab)))
                    state.SkipWithError("the month is not in the model");
                state.ResumeTiming();
            }
        })
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("AllMonthsUnderAccountSearch",
                                 [&](benchmark::State& state) {
                                     tabs.setCurrentIndex(1);
                                     app.search().FilterByTitle(FirstTitle(app));
                                     for (auto _ : state) {
                                         tabs.setCurrentIndex(0);
                                         state.PauseTiming();
                                         if (!ModelHolds(window, app, 13))
                                             state.SkipWithError("ALL is not in the model");
                                         tabs.setCurrentIndex(1);
                                         state.ResumeTiming();
                                     }
                                     app.search().ClearSearches();
                                 })
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("GridRepaint",
                                 [&](benchmark::State& state) {
                                     QTableView& grid = *window.ledgerGrid();
                                     for (auto _ : state) Paint(grid);
                                 })
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);

    gui::MainWindow& dayWindow = days.window();
    Application& dayApp = days.app();
    benchmark::RegisterBenchmark(
        "CalendarDayClick",
        [&](benchmark::State& state) {
            const QString dateBox = QString::fromUtf8(
                kDateSearchCommand.data(), static_cast<qsizetype>(kDateSearchCommand.size()));
            dayWindow.findChild<QCheckBox*>(dateBox)->setChecked(true);
            gui::MonthCalendar& calendar =
                *qobject_cast<gui::LeftPane*>(dayWindow.leftPane())->calendar();
            int day = 10;
            for (auto _ : state) {
                day = day == 10 ? 11 : 10;
                emit calendar.dayClicked(day, false);
                state.PauseTiming();
                if (dayApp.view().calendar.selected.Day() != day ||
                    PageOf(dayWindow).model()->WrittenRows() < 3)
                    state.SkipWithError("the day is not shown");
                state.ResumeTiming();
            }
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
    ScratchFolder dayScratch;
    const std::string dayFile = PrepareLedgerFile(dayScratch, kDayViewRecords).path;
    QuietDialogs dialogs;
    auto program = StartDesktopProgram(scratch, file, kToday, dialogs);
    auto days = StartDesktopProgram(dayScratch, dayFile, kToday, dialogs);
    if (!program || !days) return 1;
    RegisterPageBenchmarks(*program, *days);
    RunWithFigures({
        {"ledger page: month tab click to the model holding the month", "MonthTabClick", "", 16},
        {"ledger page: \"ALL\" under an account search", "AllMonthsUnderAccountSearch", "", 16},
        {"ledger page: one repaint of the visible grid", "GridRepaint", "", 10},
        {"calendar: a day chosen, day view of a 300-record month", "CalendarDayClick", "", 30},
    });
    return 0;
}
