// The entry form's work on the generated ledger in the desktop program: from "登　録" to the
// ledger page showing the new record with the book balances refreshed, one undo and one redo
// to the page drawn again, the description completions of a title, and the memory that 1,000
// undo steps hold beside the ledger's own. In the entry form window itself: a key press in
// "摘要" to the field painted with it, and Enter in "支出" to the form painted again, empty, at
// the list of titles for the next record.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <chrono>
#include <cstdio>

#include "bench/support/bench_setup.h"
#include "bench/support/desktop_program_bench.h"
#include "bench/support/figure_reporter.h"
#include "core/entry/description_completion.h"
#include "core/ledger/record.h"
#include "gui/app/desktop_program.h"
#include "gui/entry/entry_form_dialog.h"
#include "gui/mainwindow/main_window.h"
#include "gui/widgets/numeric_edit.h"

#ifndef VELMORA_SOURCE_DATA_DIR
#define VELMORA_SOURCE_DATA_DIR ""
#endif

namespace velmora::bench {
namespace {

// The day the generated ledger is opened on: inside its fiscal year.
const Date kToday = Date::FromYmd(2024, 10, 15);

// The entry form filled for one expense of today in the cash book, as its window fills it.
void FillForm(gui::DesktopProgram& program, const std::string& title) {
    OpenEntryState(program);
    EntryController& entry = program.app().entry();
    entry.ShowDate(kToday);
    entry.TypeTitle(title);
    entry.TakeTyped("ベンチ", Amount(), Amount::FromYen(120));
}

// The title of the ledger's last record: one the generator uses.
std::string SomeTitle(const Ledger& ledger) {
    const auto& lines = ledger.transactions.Items();
    return lines.empty() ? "消耗品費" : std::string(LeadingRecordField(lines.back(), kFieldTitle));
}

// The grid shows the record registered last, at line: its row, found by halving the rows
// (they follow the order of the lines), holds it in the grid's model. Only the pages looked
// at are made, as a person looking at the page would make them; making every row of the
// month before it would leave the next timed step to free them.
bool GridShowsEntry(gui::MainWindow& window, const Application& app, int line) {
    const auto& rows = app.ledgerView().rows;
    std::size_t low = 0, high = rows.size();
    while (low < high && !rows[low].RecordIndex()) ++low;
    while (high > low && !rows[high - 1].RecordIndex()) --high;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const std::optional<int> at = rows[middle].RecordIndex();
        if (!at) return false;
        if (*at == line) {
            return rows[middle].Description() == "ベンチ" &&
                   window.ledgerGrid()
                           ->model()
                           ->index(static_cast<int>(middle), 3)
                           .data()
                           .toString() == QString::fromUtf8("ベンチ");
        }
        if (*at < line)
            low = middle + 1;
        else
            high = middle;
    }
    return false;
}

void RegisterEntryBenchmarks(gui::DesktopProgram& program) {
    gui::MainWindow& window = program.window();
    Application& app = program.app();
    gui::DesktopProgram* desktop = &program;
    const std::string title = SomeTitle(app.session().ledger);

    benchmark::RegisterBenchmark(
        "RegisterToPage",
        [&window, &app, desktop, title](benchmark::State& state) {
            for (auto _ : state) {
                state.PauseTiming();
                FillForm(*desktop, title);
                state.ResumeTiming();
                const RegisterResult result = app.entry().Register();
                state.PauseTiming();
                const bool shown = result.stored && GridShowsEntry(window, app, result.line);
                app.entry().Undo();
                if (!shown) {
                    state.SkipWithError("the record is not shown");
                    break;
                }
                state.ResumeTiming();
            }
        })
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("UndoToPage",
                                 [&window, &app, desktop, title](benchmark::State& state) {
                                     for (auto _ : state) {
                                         state.PauseTiming();
                                         FillForm(*desktop, title);
                                         const int line = app.entry().Register().line;
                                         state.ResumeTiming();
                                         app.entry().Undo();
                                         state.PauseTiming();
                                         if (GridShowsEntry(window, app, line)) {
                                             state.SkipWithError("the record is still shown");
                                             break;
                                         }
                                         state.ResumeTiming();
                                     }
                                 })
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("RedoToPage",
                                 [&window, &app, desktop, title](benchmark::State& state) {
                                     for (auto _ : state) {
                                         state.PauseTiming();
                                         FillForm(*desktop, title);
                                         const int line = app.entry().Register().line;
                                         app.entry().Undo();
                                         state.ResumeTiming();
                                         app.entry().Redo();
                                         state.PauseTiming();
                                         const bool shown = GridShowsEntry(window, app, line);
                                         app.entry().Undo();
                                         if (!shown) {
                                             state.SkipWithError("the record is not shown again");
                                             break;
                                         }
                                         state.ResumeTiming();
                                     }
                                 })
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("Completions", [&app, title](benchmark::State& state) {
        std::size_t offered = 0;
        for (auto _ : state) {
            const auto completions =
                DescriptionCompletions(app.session().ledger, title, app.entryForm().cells);
            offered = completions.size();
            benchmark::DoNotOptimize(completions.data());
        }
        if (offered == 0) state.SkipWithError("nothing offered");
    })->Unit(benchmark::kMillisecond);
}

// Counts the paints of a widget: a key's echo is on the screen once the field has painted.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* widget) : widget_(widget) { widget->installEventFilter(this); }
    ~PaintWatch() override { widget_->removeEventFilter(this); }
    // Handles events until the widget has painted again.
    void WaitForPaint() {
        const int seen = paints_;
        while (paints_ == seen) QApplication::processEvents();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == widget_ && event->type() == QEvent::Paint) ++paints_;
        return false;
    }

private:
    QWidget* widget_;
    int paints_ = 0;
};

void PressKey(QWidget* widget, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

// The entry form opened by F5 as a window of the desktop program, "連続入力" on.
void RegisterFormBenchmarks(gui::DesktopProgram& program) {
    Application& app = program.app();
    gui::DesktopProgram* desktop = &program;
    benchmark::RegisterBenchmark("KeyToEcho", [&app, desktop](benchmark::State& state) {
        OpenEntryState(*desktop);
        gui::EntryFormDialog form(app);
        form.show();
        QApplication::processEvents();
        QLineEdit* field = form.descriptionBox();
        field->setFocus();
        PaintWatch painted(field);
        for (auto _ : state) {
            PressKey(field, Qt::Key_A, "a");
            painted.WaitForPaint();
            state.PauseTiming();
            if (field->text().size() > 40) field->clear();
            QApplication::processEvents();
            state.ResumeTiming();
        }
    })->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("RegisterToNextRecord", [&app, desktop](benchmark::State& state) {
        OpenEntryState(*desktop);
        app.entry().SetContinuous(true);
        app.entry().ShowDate(kToday);
        gui::EntryFormDialog form(app);
        form.show();
        QApplication::processEvents();
        QListWidget* titles = form.list(EntryTab::Titles);
        PaintWatch painted(&form);
        for (auto _ : state) {
            state.PauseTiming();
            titles->setCurrentRow(10);
            form.descriptionBox()->setText("ベンチ");
            form.expenseBox()->setText("120");
            form.expenseBox()->setFocus();
            QApplication::processEvents();
            state.ResumeTiming();
            PressKey(form.expenseBox(), Qt::Key_Return, "\r");
            painted.WaitForPaint();
            state.PauseTiming();
            const bool ready = QApplication::focusWidget() == titles &&
                               form.descriptionBox()->text().isEmpty() && app.history().CanUndo();
            app.entry().Undo();
            if (!ready) {
                state.SkipWithError("the form is not ready for the next record");
                break;
            }
            state.ResumeTiming();
        }
    })->Unit(benchmark::kMillisecond);
}

// The bytes the ledger's lines hold, strings and their text.
std::size_t LedgerBytes(const Ledger& ledger) {
    std::size_t bytes = 0;
    for (const LineList* list : {&ledger.transactions, &ledger.pettyRegistry, &ledger.bankRegistry})
        for (const std::string& line : list->Items())
            bytes += sizeof line + (line.capacity() > 15 ? line.capacity() + 1 : 0);
    return bytes;
}

// 1,000 entries spread over the year, each an undo step.
void ReportUndoMemory(gui::DesktopProgram& program) {
    Application& app = program.app();
    const std::string title = SomeTitle(app.session().ledger);
    const std::size_t ledgerBytes = LedgerBytes(app.session().ledger);
    for (int n = 0; n < 1000; ++n) {
        FillForm(program, title);
        app.entry().ShowDate(Date::FromYmd(2024, 4 + n % 9, 1 + n % 28));
        app.entry().Register();
    }
    const std::size_t steps = app.history().StepCount();  // with the first change of the day
    const double share =
        static_cast<double>(app.history().MemoryBytes()) / static_cast<double>(ledgerBytes);
    PrintFigure("undo: memory of 1,000 steps / the ledger's lines",
                Fixed(share * 100, 2) + " % (" + std::to_string(steps) + " steps, " +
                    Fixed(static_cast<double>(app.history().MemoryBytes()) / 1024.0, 1) +
                    " KiB / " + Fixed(static_cast<double>(ledgerBytes) / 1048576.0, 1) + " MiB)",
                "<= 10 %", steps >= 1000 && share <= 0.10);
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

    // A first change of the day, kept: the figures are of the entries after it, when the
    // ledger is modified and its recovery journal exists. The first change after a load or a
    // save writes the whole ledger into the journal once; it is said beside the figures.
    FillForm(program, "消耗品費");
    program.app().entry().TakeTyped("朝の記入", velmora::Amount(), velmora::Amount::FromYen(120));
    const auto begin = std::chrono::steady_clock::now();
    program.app().entry().Register();
    const std::chrono::duration<double, std::milli> first =
        std::chrono::steady_clock::now() - begin;
    std::printf(
        "first change after the load (journal started with the whole ledger): %.1f ms real\n",
        first.count());
    RegisterEntryBenchmarks(program);
    RegisterFormBenchmarks(program);
    RunWithFigures({
        {"entry: register to the page showing the record", "RegisterToPage", "", 16},
        {"entry: one undo to the page drawn again", "UndoToPage", "", 16},
        {"entry: one redo to the page drawn again", "RedoToPage", "", 16},
        {"entry: description completions of a title", "Completions", "", 20},
        {"entry form: a key in 摘要 to its echo painted", "KeyToEcho", "", 5},
        {"entry form: 登録 (Enter) to the form ready for the next record", "RegisterToNextRecord",
         "", 50},
    });
    ReportUndoMemory(program);
    return 0;
}
