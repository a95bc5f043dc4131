#pragma once
// The desktop program put together: clock, message boxes, shell, printer, the application
// object, its modal windows and the main window, started in the program's order (create,
// placement, show, first show of the ledger).
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "core/app/application.h"
#include "core/app/program_options.h"
#include "core/platform/dialogs.h"

namespace velmora::gui {

class MainWindow;
class QtAppWindows;

struct DesktopFolders {
    std::string working;
    std::string program;
};

class DesktopProgram {
public:
    // Message boxes on screen.
    DesktopProgram(DesktopFolders folders, const ProgramOptions& options);
    // Messages and questions through dialogs (a screenshot run, tests).
    DesktopProgram(DesktopFolders folders, const ProgramOptions& options, Dialogs& dialogs);
    ~DesktopProgram();
    DesktopProgram(const DesktopProgram&) = delete;
    DesktopProgram& operator=(const DesktopProgram&) = delete;

    // Creates the working folder on first use, shows the main window and opens the ledger.
    // False (after saying why) when the working folder cannot be made.
    bool Start();
    // The main window as it is now, into a PNG file. False when it could not be written.
    bool SaveScreenshot(const QString& path);
    // The page of ProgramOptions::page, as its command shows it.
    void ShowPage(const std::string& page);

    Application& app() { return *app_; }
    MainWindow& window() { return *window_; }
    // The modal windows the application opens (the entry form, the dialogs).
    AppWindows& windows();

private:
    void Build(Dialogs& dialogs);

    DesktopFolders folders_;
    ProgramOptions options_;
    std::unique_ptr<Clock> clock_;
    // Every write of the program: the working folder's files private, never through links.
    std::unique_ptr<DiskFileWriter> writer_;
    std::unique_ptr<Dialogs> ownDialogs_;
    std::unique_ptr<Shell> shell_;
    std::unique_ptr<PrintDevice> printer_;
    std::unique_ptr<Application> app_;
    std::unique_ptr<QtAppWindows> windows_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace velmora::gui
