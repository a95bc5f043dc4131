#include "core/app/files_controller.h"

#include "core/app/command_scope.h"
#include "core/ledgerview/main_calendar.h"
#include "core/ledgerview/month_selection.h"
#include "core/session/new_ledger.h"
#include "core/session/startup.h"
#include "core/settings/layout_files.h"

namespace velmora {

void FilesController::NewCashBookLedger() {
    Application::CommandScope scope(app_);
    if (NewLedgerCommand(app_.session_, 1)) ShowCurrentMonth(app_.session_, app_.view_);
}

void FilesController::NewAllowanceBookLedger() {
    Application::CommandScope scope(app_);
    if (NewLedgerCommand(app_.session_, 2)) ShowCurrentMonth(app_.session_, app_.view_);
}

void FilesController::MakeNextYearLedger() {
    MakeNextYear();
}

bool FilesController::MakeNextYear() {
    Application::CommandScope scope(app_);
    Session& session = app_.session_;
    ViewState& view = app_.view_;
    if (!RollOver(session)) return false;
    // The calendar, the entry form and the status bar move into the new year's period of
    // the month they showed.
    const Date moved = view.calendar.selected.AddMonths(12);
    ShowMainCalendar(session, view, moved);
    SelectMonth(session, view, moved.Month());
    return true;
}

void FilesController::Open() {
    Application::CommandScope scope(app_);
    if (OpenCommand(app_.session_)) ShowCurrentMonth(app_.session_, app_.view_);
}

void FilesController::Save() {
    Application::CommandScope scope(app_);
    // The window offers to read a file another program changed again; velmora-cli, whose
    // reading is the command itself, only says it was not saved.
    if (SaveCommand(app_.session_, true).reloaded) ShowCurrentMonth(app_.session_, app_.view_);
}

void FilesController::SaveAs() {
    SaveFileAs();
}

SaveResult FilesController::SaveFile() {
    Application::CommandScope scope(app_);
    return SaveCommand(app_.session_);
}

SaveResult FilesController::SaveFileAs() {
    Application::CommandScope scope(app_);
    return SaveAsCommand(app_.session_);
}

bool FilesController::OpenFile(const std::string& path) {
    Application::CommandScope scope(app_);
    if (!StartSessionOnFile(app_.session_, path)) return false;
    app_.ShowStartedSession();
    return true;
}

bool FilesController::OpenFileUnderLock(const std::string& path, const FileLock* heldLock) {
    Application::CommandScope scope(app_);
    app_.session_.heldLock = heldLock;
    app_.session_.saveLockWait.reset();
    return OpenFile(path);
}

void FilesController::RestoreBackup(int n) {
    Application::CommandScope scope(app_);
    if (velmora::RestoreBackup(app_.session_, n)) ShowCurrentMonth(app_.session_, app_.view_);
}

void FilesController::OpenCsvExport() {
    Application::CommandScope scope(app_);
    app_.windows_->RunCsvOptions(app_.session_);
}

void FilesController::SaveLedgerLayout(const LedgerLayout& shownLayout) {
    const AppServices& services = app_.services_;
    app_.ledgerLayout_ = shownLayout;
    WriteLedgerLayout(services.workingFolder, app_.ledgerLayout_, services.dialogs,
                      services.writer);
}

LineList::Lines FilesController::RecordLines() {
    Application::CommandScope scope(app_);
    return app_.session_.RecordLines();
}

}  // namespace velmora
