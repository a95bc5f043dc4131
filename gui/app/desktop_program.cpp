#include "gui/app/desktop_program.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "gui/app/qt_app_windows.h"
#include "gui/app/qt_dialogs.h"
#include "gui/app/qt_shell.h"
#include "gui/mainwindow/main_window.h"
#include "qtprint/qt_print_device.h"

namespace velmora::gui {

DesktopProgram::DesktopProgram(DesktopFolders folders, const ProgramOptions& options)
    : folders_(std::move(folders)), options_(options) {
    auto dialogs = std::make_unique<QtDialogs>();
    QtDialogs* qtDialogs = dialogs.get();
    ownDialogs_ = std::move(dialogs);
    Build(*ownDialogs_);
    qtDialogs->setOwner(window_.get());
}

DesktopProgram::DesktopProgram(DesktopFolders folders, const ProgramOptions& options,
                               Dialogs& dialogs)
    : folders_(std::move(folders)), options_(options) {
    Build(dialogs);
}

DesktopProgram::~DesktopProgram() {
    window_.reset();
}

void DesktopProgram::Build(Dialogs& dialogs) {
    if (options_.today)
        clock_ = std::make_unique<FixedClock>(*options_.today);
    else
        clock_ = std::make_unique<SystemClock>();
    writer_ = std::make_unique<DiskFileWriter>(folders_.working);
    shell_ = std::make_unique<QtShell>();
    // The installed printers and "PDFファイル"; the preview is laid out at the screen's
    // physical resolution, so that a sheet at 100 % is as large as the paper.
    auto printer = std::make_unique<QtPrintDevice>(std::nullopt, 600, *writer_);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        printer->SetScreenDpi(qRound(screen->physicalDotsPerInchX()),
                              qRound(screen->physicalDotsPerInchY()));
    QtPrintDevice* qtPrinter = printer.get();
    printer_ = std::move(printer);
    app_ = std::make_unique<Application>(AppServices{dialogs, *clock_, *writer_, *printer_, *shell_,
                                                     folders_.working, folders_.program});
    window_ = std::make_unique<MainWindow>(*app_);
    windows_ = std::make_unique<QtAppWindows>(*app_, *window_, qtPrinter);
    app_->SetWindows(windows_.get());
}

bool DesktopProgram::Start() {
    Placement placement;
    try {
        placement = app_->Create();
    } catch (const std::exception& error) {
        app_->session().dialogs().ShowInfo("確認", error.what());
        return false;
    }
    window_->ApplyPlacement(placement);
    window_->show();
    app_->Show(options_.file);
    return true;
}

void DesktopProgram::ShowPage(const std::string& page) {
    if (page == "summary")
        app_->reports().ShowSummaryPage();
    else if (page == "graph")
        app_->reports().ShowGraph();
    else if (page == "preview")
        app_->printing().PrintLedger();
}

bool DesktopProgram::SaveScreenshot(const QString& path) {
    QApplication::processEvents();
    return window_->grab().save(path, "PNG");
}

AppWindows& DesktopProgram::windows() {
    return *windows_;
}

}  // namespace velmora::gui
