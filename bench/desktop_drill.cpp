// The desktop program driven from tools/reliability.sh, on the offscreen platform, so that
// it can be killed at chosen moments:
//   velmora-desktop-drill save WORK FILE DAY N
//       registers one expense "kill N" of DAY and saves with the main window's "保　存"
//       action; status 0 once saved, 1 when the save did not happen (the file busy, or
//       changed by another program since it was loaded: the question is answered No).
//   velmora-desktop-drill work WORK FILE DAY SEED COUNT EXPECTED
//       COUNT random commands of a user (entries, row moves, books, undo, redo, month tabs);
//       writes the ledger's bytes as a save would write them to EXPECTED, waits a little
//       over a second, says "ready" and waits to be killed.
//   velmora-desktop-drill entry WORK FILE DAY N COUNT EXPECTED
//       opens the entry form with "出納帳データ入力" and, with "連続入力" on, registers COUNT
//       expenses "entry N-k" through its controls; writes the ledger's bytes as a save would
//       write them to EXPECTED, waits a little over a second, says "ready" and waits to be
//       killed with the form still open.
//   velmora-desktop-drill recover WORK FILE DAY OUT
//       starts again on WORK, answers Yes to the offer of unsaved work and saves it as OUT;
//       status 0 once saved.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

#include "bench/support/bench_setup.h"
#include "bench/support/desktop_program_bench.h"
#include "core/entry/entry_form.h"
#include "core/ledger/ledger_file.h"
#include "gui/app/desktop_program.h"
#include "gui/entry/entry_form_dialog.h"
#include "gui/mainwindow/main_window.h"
#include "gui/widgets/numeric_edit.h"

#ifndef VELMORA_SOURCE_DATA_DIR
#define VELMORA_SOURCE_DATA_DIR ""
#endif

namespace velmora::bench {
namespace {

bool Register(gui::DesktopProgram& program, Date day, const std::string& title,
              const std::string& text, long long expense) {
    if (!OpenEntryState(program)) return false;
    EntryController& entry = program.app().entry();
    entry.ShowDate(day);
    entry.TypeTitle(title);
    entry.TakeTyped(text, Amount(), Amount::FromYen(expense));
    return entry.Register().stored;
}

void RandomCommands(gui::DesktopProgram& program, Date today, unsigned seed, int count) {
    Application& app = program.app();
    std::mt19937 random(seed);
    for (int n = 0; n < count; ++n) {
        const Date day = Date::FromYmd(today.Year(), today.Month(), 1 + random() % 28);
        switch (random() % 8) {
            case 0:
            case 1:
            case 2:
                Register(program, day, "交通費", "drill" + std::to_string(n), 1 + random() % 5000);
                break;
            case 3:
                if (!app.ledgerView().rows.empty())
                    app.books().MoveRowDown(random() % app.ledgerView().rows.size());
                break;
            case 4:
                app.books().AddBook("小口",
                                    "drill" + std::to_string(seed) + "-" + std::to_string(n),
                                    Amount::FromYen(random() % 1000));
                break;
            case 5:
                app.entry().Undo();
                break;
            case 6:
                app.entry().Redo();
                break;
            default:
                app.books().ChooseMonthTab(static_cast<int>(random() % 12));
        }
    }
}

// The ledger's bytes as a save writes them, into path; then "ready" once the journal has
// surely reached the disk, and no more: the program waits to be killed.
[[noreturn]] void ReadyToBeKilled(const Application& app, const std::string& path) {
    DiskFileWriter().WriteAtomic(path, EncodeTextLines(LedgerFileLines(app.session().ledger)));
    // Work is recovered once its command ended more than a second ago.
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    std::printf("ready\n");
    std::fflush(stdout);
    while (true) std::this_thread::sleep_for(std::chrono::seconds(60));
}

// Inside the open entry form: "連続入力" checked, then count expenses, each a title clicked, a
// description and an amount typed and "登　録" clicked.
void RegisterInTheForm(Application& app, const std::string& run, int count,
                       const std::string& expected) {
    auto* form = qobject_cast<gui::EntryFormDialog*>(QApplication::activeModalWidget());
    if (form == nullptr) std::exit(3);
    form->findChild<QCheckBox*>("continuousEntry")->setChecked(true);
    QListWidget* titles = form->list(EntryTab::Titles);
    for (int k = 0; k < count; ++k) {
        int row = k % titles->count();
        while (titles->item(row)->text().isEmpty()) row = (row + 1) % titles->count();
        emit titles->itemClicked(titles->item(row));
        form->descriptionBox()->setText(
            QString::fromStdString("entry " + run + "-" + std::to_string(k)));
        form->expenseBox()->setAmount(Amount::FromYen(1 + k));
        form->registerButton()->click();
        if (!form->isVisible()) std::exit(4);  // "連続入力" keeps it open
    }
    ReadyToBeKilled(app, expected);
}

int Run(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const bool save = mode == "save" && argc == 6;
    const bool work = mode == "work" && argc == 8;
    const bool recover = mode == "recover" && argc == 6;
    const bool entry = mode == "entry" && argc == 8;
    const std::optional<Date> today = argc > 4 ? Date::TryParse(argv[4]) : std::nullopt;
    if (!(save || work || recover || entry) || !today) {
        std::fprintf(stderr, "usage: see the head of desktop_drill.cpp\n");
        return 2;
    }
    ProgramOptions options;
    options.file = argv[3];
    options.today = today;
    // A save run gives up the work a killed run left: each run starts from the file.
    QuietDialogs dialogs;
    if (recover) {
        dialogs.WantUnsavedWorkBack();
        dialogs.SetSaveFile(argv[5]);
    }
    gui::DesktopProgram program(gui::DesktopFolders{argv[2], VELMORA_SOURCE_DATA_DIR}, options,
                                dialogs);
    if (!program.Start()) return 1;
    program.window().show();
    QApplication::processEvents();
    Application& app = program.app();
    if (save) {
        if (!Register(program, *today, "交通費", std::string("kill ") + argv[5], 1)) return 1;
        program.window().action("filesave")->trigger();
        return app.session().modified ? 1 : 0;
    }
    if (recover) return app.files().SaveFileAs().saved ? 0 : 1;
    if (entry) {
        const std::string run = argv[5];
        const int count = std::stoi(argv[6]);
        const std::string expected = argv[7];
        QTimer::singleShot(0, [&] { RegisterInTheForm(app, run, count, expected); });
        program.window().action("datainput")->trigger();
        return 5;  // the form closed: it should have stayed open
    }
    RandomCommands(program, *today, static_cast<unsigned>(std::stoul(argv[5])), std::stoi(argv[6]));
    QApplication::processEvents();
    ReadyToBeKilled(app, argv[7]);
}

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    velmora::bench::OffscreenDesktopApplication qt(argc, argv);
    return velmora::bench::Run(argc, argv);
}
