// The desktop program driven from tools/reliability.sh, on the offscreen platform, so that
// it can be killed at chosen moments:
//   velmora-desktop-drill save WORK FILE DAY N
//       registers one expense "kill N" of DAY and saves with the main window's "保　存"
//       action; status 0 once saved.
//   velmora-desktop-drill work WORK FILE DAY SEED COUNT EXPECTED
//       COUNT random commands of a user (entries, row moves, books, undo, redo, month tabs);
//       writes the ledger's bytes as a save would write them to EXPECTED, waits a little
//       over a second, says "ready" and waits to be killed.
//   velmora-desktop-drill recover WORK FILE DAY OUT
//       starts again on WORK, answers Yes to the offer of unsaved work and saves it as OUT;
//       status 0 once saved.
#include <QAction>
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <thread>

#include "bench/support/bench_setup.h"
#include "bench/support/desktop_program_bench.h"
#include "core/entry/entry_form.h"
#include "core/ledger/ledger_file.h"
#include "gui/app/desktop_program.h"
#include "gui/mainwindow/main_window.h"

#ifndef VELMORA_SOURCE_DATA_DIR
#define VELMORA_SOURCE_DATA_DIR ""
#endif

namespace velmora::bench {
namespace {

bool Register(Application& app, Date day, const std::string& title, const std::string& text,
              long long expense) {
    EntryForm& form = app.mutableEntryForm();
    if (!NewEntryCommand(app.mutableSession(), app.mutableView(), form)) return false;
    ShowEntryDate(form, day);
    form.title = title;
    form.description = text;
    form.expense = Amount::FromYen(expense);
    return app.RegisterEntry().stored;
}

void RandomCommands(Application& app, Date today, unsigned seed, int count) {
    std::mt19937 random(seed);
    for (int n = 0; n < count; ++n) {
        const Date day = Date::FromYmd(today.Year(), today.Month(), 1 + random() % 28);
        switch (random() % 8) {
            case 0:
            case 1:
            case 2:
                Register(app, day, "交通費", "drill" + std::to_string(n), 1 + random() % 5000);
                break;
            case 3:
                if (!app.ledgerView().rows.empty())
                    app.MoveRowDown(random() % app.ledgerView().rows.size());
                break;
            case 4:
                app.AddBook("小口", "drill" + std::to_string(seed) + "-" + std::to_string(n),
                            Amount::FromYen(random() % 1000));
                break;
            case 5:
                app.Undo();
                break;
            case 6:
                app.Redo();
                break;
            default:
                app.ChooseMonthTab(static_cast<int>(random() % 12));
        }
    }
}

int Run(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const bool save = mode == "save" && argc == 6;
    const bool work = mode == "work" && argc == 8;
    const bool recover = mode == "recover" && argc == 6;
    const std::optional<Date> today = argc > 4 ? Date::TryParse(argv[4]) : std::nullopt;
    if (!(save || work || recover) || !today) {
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
        if (!Register(app, *today, "交通費", std::string("kill ") + argv[5], 1)) return 1;
        program.window().action("filesave")->trigger();
        return app.session().modified ? 1 : 0;
    }
    if (recover) return app.SaveFileAs().saved ? 0 : 1;
    RandomCommands(app, *today, static_cast<unsigned>(std::stoul(argv[5])), std::stoi(argv[6]));
    QApplication::processEvents();
    DiskFileWriter().WriteAtomic(argv[7], EncodeTextLines(LedgerFileLines(app.session().ledger)));
    // Work is recovered once its command ended more than a second ago.
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    std::printf("ready\n");
    std::fflush(stdout);
    while (true) std::this_thread::sleep_for(std::chrono::seconds(60));
}

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    velmora::bench::OffscreenDesktopApplication qt(argc, argv);
    return velmora::bench::Run(argc, argv);
}
