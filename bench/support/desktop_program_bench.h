#pragma once
// The desktop program as the window benchmarks start it: on the ledger file named as on its
// command line, on the given day, with quiet dialogs, its main window shown. For programs
// that link the desktop program (they define VELMORA_SOURCE_DATA_DIR, the shipped data).
#include <QApplication>
#include <memory>
#include <string>

#include "bench/support/bench_setup.h"
#include "gui/app/desktop_program.h"
#include "gui/app/ui_setup.h"
#include "gui/mainwindow/main_window.h"

namespace velmora::bench {

// The Qt application of a program that runs the desktop program without a display: on the
// offscreen platform, set up for Japanese as the desktop program sets itself up.
class OffscreenDesktopApplication {
public:
    OffscreenDesktopApplication(int& argc, char** argv) : qt_(Offscreen(argc), argv) {
        gui::SetUpJapaneseUi(qt_);
    }

private:
    // Chosen before the application exists, which reads it once.
    static int& Offscreen(int& argc) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }
    QApplication qt_;
};

// nullptr when the program did not start.
inline std::unique_ptr<gui::DesktopProgram> StartDesktopProgram(const ScratchFolder& scratch,
                                                                const std::string& file, Date today,
                                                                Dialogs& dialogs) {
    ProgramOptions options;
    options.file = file;
    options.today = today;
    auto program = std::make_unique<gui::DesktopProgram>(
        gui::DesktopFolders{scratch.File("work"), VELMORA_SOURCE_DATA_DIR}, options, dialogs);
    if (!program->Start()) return nullptr;
    program->window().show();
    QApplication::processEvents();
    return program;
}

// The entry form's state as F5 makes it, without its window: the benchmark fills the form
// through the application or shows a window of its own. False when the form would not open.
inline bool OpenEntryState(gui::DesktopProgram& program) {
    class Opened final : public AppWindows {
    public:
        void RunEntryForm() override { opened = true; }
        bool opened = false;
    } opened;
    program.app().SetWindows(&opened);
    program.app().entry().OpenForm();
    program.app().SetWindows(&program.windows());
    return opened.opened;
}

}  // namespace velmora::bench
