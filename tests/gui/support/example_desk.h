#pragma once
// The desktop program of a window test: a working folder of its own, scripted dialogs, and
// a copy of a fixture ledger opened as its command line would open it, on a fixed day.
#include <QWidget>
#include <memory>
#include <string>

#include "gui/app/desktop_program.h"
#include "gui/mainwindow/main_window.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora::testing {

struct ExampleDesk {
    // Copies fixture (under the fixtures folder) as name and makes the program on it; the
    // test starts it.
    explicit ExampleDesk(const std::string& name = "a.exv",
                         const std::string& fixture = "ledger/example2014.exv",
                         Date today = Date::FromYmd(2014, 6, 10));

    TempFolder folder;
    ScriptedDialogs dialogs;
    std::string file;
    std::string work;
    std::unique_ptr<gui::DesktopProgram> program;

    gui::MainWindow& w() { return program->window(); }
    Application& app() { return program->app(); }
};

// The pictures of the manual (tools/screenshots.sh): with VELMORA_SCREENSHOT_DIR set, the
// window as it is now is saved there as name. False when it was asked for and could not be
// written.
bool SaveScreenshotIfAsked(QWidget& window, const char* name);

}  // namespace velmora::testing
