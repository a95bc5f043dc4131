#include "core/app/application.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>

#include "core/app/command_scope.h"
#include "core/app/command_table.h"
#include "core/history/recovery_journal.h"
#include "core/ledger/kept_balances.h"
#include "core/ledger/ledger_file.h"
#include "core/ledgerview/main_calendar.h"
#include "core/ledgerview/month_selection.h"
#include "core/platform/file_io.h"
#include "core/session/book_commands.h"
#include "core/session/file_commands.h"
#include "core/session/startup.h"
#include "core/util/paths.h"

namespace velmora {

// What the title bar, status bar and menus show; compared after each command so that a
// change of any of it is told, and nothing else is.
struct Application::Snapshot {
    bool modified = false;
    std::string currentFile, filePanel, monthPanel, yearPanel, shownMonthPanel, company;
    BookId book;
    bool allBooks = false, dateFilter = false;
    std::string accountFilter;
    int currentMonth = 0;
    MainPage mainPage = MainPage::Ledger;
    RibbonPage ribbonPage = RibbonPage::DataFile;
    bool leftPaneShown = true, editMenuEnabled = true, journalFailing = false;
    BackupList backups;
    CalendarState calendar;
    std::vector<std::string> holidays;  // the user's marks, which both calendars draw
    std::string undoText, redoText, pdfWritten;
    bool pdfFailed = false;

    bool SameState(const Snapshot& o) const {
        return modified == o.modified && currentFile == o.currentFile && filePanel == o.filePanel &&
               monthPanel == o.monthPanel && yearPanel == o.yearPanel &&
               shownMonthPanel == o.shownMonthPanel && company == o.company && book == o.book &&
               allBooks == o.allBooks && dateFilter == o.dateFilter &&
               accountFilter == o.accountFilter && currentMonth == o.currentMonth &&
               mainPage == o.mainPage && ribbonPage == o.ribbonPage &&
               leftPaneShown == o.leftPaneShown && editMenuEnabled == o.editMenuEnabled &&
               journalFailing == o.journalFailing && calendar.drawn == o.calendar.drawn &&
               calendar.selected == o.calendar.selected && holidays == o.holidays &&
               undoText == o.undoText && redoText == o.redoText && pdfWritten == o.pdfWritten &&
               pdfFailed == o.pdfFailed;
    }
    bool SameBackups(const Snapshot& o) const { return backups.entries == o.backups.entries; }
};

Application::UndoStepScope::UndoStepScope(Application& app, std::string label)
    : app_(app), label_(std::move(label)) {
    app_.history_.End({});
    app_.history_.Begin(app_.session_.ledger);
}

Application::UndoStepScope::~UndoStepScope() {
    app_.history_.End(label_);
    app_.history_.Begin(app_.session_.ledger);
}

Application::CommandScope::CommandScope(Application& app) : app_(app) {
    if (app_.depth_++ == 0) {
        app_.history_.Begin(app_.session_.ledger);
        if (app_.journal_) app_.journal_->Watch(app_.session_.ledger);
    }
}

Application::CommandScope::~CommandScope() {
    if (--app_.depth_ == 0)
        app_.Flush();
    else if (app_.depth_ == app_.windowDepth_)
        app_.FlushWindowCommand();
    else
        app_.CommitJournal();
}

Application::Application(AppServices services)
    : services_(services),
      session_(SessionServices{services.dialogs, services.clock, services.writer,
                               services.workingFolder, services.programFolder}),
      view_(services.clock.Today()),
      printSources_(session_, view_, summary_),
      printJob_(std::make_unique<PrintJob>(
          PrintServices{services.printer, services.dialogs, services.writer, services.workingFolder,
                        services.programFolder},
          printSources_)),
      lastState_(std::make_unique<Snapshot>()) {
    session_.SetListener(this);
    printJob_->SetListener(this);
    *lastState_ = TakeSnapshot();
}

Application::~Application() {
    session_.SetListener(nullptr);
    printJob_->SetListener(nullptr);
}

// Creating the window replaces its design-time caption by the application title; the file
// shown and the modified mark follow it, so that the title bar never goes stale.
std::string Application::WindowTitle() const {
    std::string title = kAppTitle;
    if (!session_.filePanel.empty()) title += " - " + session_.filePanel;
    if (session_.modified) title += " *";
    return title;
}

void Application::AddListener(AppListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void Application::RemoveListener(AppListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void Application::SetWindows(AppWindows* windows) {
    windows_ = windows ? windows : &noWindows_;
}

// ---- notifications ----

void Application::ViewChanged() {
    pending_ |= kViewPending;
}

void Application::LedgerReplaced() {
    pending_ |= kLedgerPending | kViewPending;
}

void Application::TitlesChanged() {
    pending_ |= kTitlesPending;
}

void Application::RepaintPreview() {
    pending_ |= kPreviewPending;
    if (depth_ == 0) Flush();
}

template <typename F>
void Application::Notify(F f) {
    // A listener may remove itself while it is told.
    const std::vector<AppListener*> listeners = listeners_;
    for (AppListener* listener : listeners) f(*listener);
}

Application::Snapshot Application::TakeSnapshot() const {
    Snapshot s;
    s.modified = session_.modified;
    s.currentFile = session_.currentFile;
    s.filePanel = session_.filePanel;
    s.monthPanel = session_.monthPanel;
    s.yearPanel = view_.yearPanel;
    s.shownMonthPanel = view_.monthPanel;
    s.company = session_.settings.companyName;
    s.book = session_.currentBook;
    s.allBooks = session_.allBooks;
    s.dateFilter = view_.dateFilter;
    s.accountFilter = session_.accountFilter;
    s.currentMonth = session_.currentMonth;
    s.mainPage = mainPage_;
    s.ribbonPage = ribbonPage_;
    s.leftPaneShown = leftPaneShown_;
    s.editMenuEnabled = editMenuEnabled_;
    s.journalFailing = journalFailing();
    s.backups = session_.backups;
    s.calendar = view_.calendar;
    s.holidays = holidays_.Lines();
    s.undoText = history_.CanUndo() ? history_.UndoText() : std::string();
    s.redoText = history_.CanRedo() ? history_.RedoText() : std::string();
    s.pdfWritten = pdfWritten_;
    s.pdfFailed = pdfFailed_;
    return s;
}

void Application::Flush() {
    TellChanges();
    // The balances brought up to date by the view belong to no step of their own.
    history_.End({});
    if (!session_.modified) history_.MarkSaved();
    CommitJournal();
    TellState();
}

void Application::FlushWindowCommand() {
    TellChanges();
    CommitJournal();
    TellState();
}

void Application::TellChanges() {
    // The view is rebuilt before anyone is told, so that every listener reads the same
    // finished state; rebuilding may itself ask for nothing more.
    const bool printWork = (pending_ & kPrintWorkPending) != 0;
    while (pending_ != 0) {
        const unsigned pending = pending_;
        pending_ = 0;
        if (pending & kLedgerPending) {
            summaryStale_ = true;
            // Ticks by position would name other months in a ledger of another start month.
            printJob_->ForgetPrintMonths();
        }
        // The preview shows the ledger, book and month the print job set up: a change made
        // elsewhere (a book, a day, a record, a setting, another ledger) leaves it for the
        // ledger page, where that change shows.
        if (mainPage_ == MainPage::Preview && !printWork &&
            (pending & (kViewPending | kLedgerPending | kTitlesPending)) != 0) {
            mainPage_ = MainPage::Ledger;
            leftPaneShown_ = true;
            editMenuEnabled_ = true;
        }
        if (pending & kTitlesPending) ReloadTitles();
        if (pending & kViewPending) {
            RebuildView();
            summaryStale_ = true;
        }
        const bool summaryRebuilt = RebuildShownSummary();
        pending_ &= ~kViewPending;
        if (pending & kLedgerPending) Notify([](AppListener& l) { l.LedgerReplaced(); });
        if (pending & kTitlesPending) Notify([](AppListener& l) { l.TitlesChanged(); });
        if (pending & kViewPending) Notify([](AppListener& l) { l.ViewChanged(); });
        if ((pending & kSummaryPending) || summaryRebuilt)
            Notify([](AppListener& l) { l.SummaryChanged(); });
        if (pending & kPreviewPending) Notify([](AppListener& l) { l.PreviewChanged(); });
        if (pending & kEntryFormPending) Notify([](AppListener& l) { l.EntryFormChanged(); });
    }
}

void Application::TellState() {
    Snapshot now = TakeSnapshot();
    const bool stateChanged = !now.SameState(*lastState_);
    const bool backupsChanged = !now.SameBackups(*lastState_);
    *lastState_ = std::move(now);
    if (stateChanged) Notify([](AppListener& l) { l.StateChanged(); });
    if (backupsChanged) Notify([](AppListener& l) { l.BackupsChanged(); });
}

void Application::CommitJournal() {
    if (!journal_) return;
    journal_->Commit(session_.ledger, session_.fileIdentity, session_.modified,
                     session_.currentBook);
    // The commands still running go on being recorded.
    if (depth_ > 0) journal_->Watch(session_.ledger);
    if (!journal_->Failing()) {
        journalFailureTold_ = false;
    } else if (!journalFailureTold_) {
        journalFailureTold_ = true;
        services_.dialogs.ShowInfo("確認", std::string(kJournalFailingText) + "。\r\n" +
                                               journal_->Failure() + "\r\n" +
                                               kJournalFailingAdvice);
    }
}

bool Application::journalFailing() const {
    return journal_ && journal_->Failing();
}

// A summary on screen is built anew once the ledger under it changed, as showing its page
// again would build it; a summary that is not shown waits until it is.
bool Application::RebuildShownSummary() {
    if (!summaryStale_ || (mainPage_ != MainPage::Summary && mainPage_ != MainPage::Graph))
        return false;
    summaryStale_ = false;
    try {
        summary_.OpenPage(session_.ledger);
    } catch (const std::exception& error) {
        // Listeners are being told: the error is said here rather than thrown through them.
        services_.dialogs.ShowInfo("確認", error.what());
    }
    return true;
}

void Application::RebuildView() {
    shown_ = ShowLedgerView(session_, view_);
}

void Application::ReloadTitles() {
    ReloadEntryTitles(session_, entryForm_);
}

bool Application::TurnsPreviewPage(std::string_view command) const {
    return mainPage() == MainPage::Preview && (command == "moveTop" || command == "MoveDown");
}

bool Application::CommandEnabled(std::string_view command) const {
    if (TurnsPreviewPage(command)) return true;
    if (!editMenuEnabled_ && IsInMenu(kEditMenuCaption, command)) return false;
    if (command == kUndoCommand) return history_.CanUndo();
    if (command == kRedoCommand) return history_.CanRedo();
    if (command.rfind("back_", 0) == 0) {
        const int n = std::atoi(std::string(command.substr(5)).c_str());
        if (n < 1 || n > kBackupItems) return false;
        const BackupEntry& e = session_.backups.entries[static_cast<std::size_t>(n - 1)];
        return e.caption != kEmptyBackupCaption && !e.file.empty();
    }
    return true;
}

// ---- life cycle ----

Placement Application::Create() {
    const PreparedFolder prepared =
        PrepareWorkingFolder(services_.workingFolder, services_.programFolder);
    for (const std::string& failure : prepared.failures)
        services_.dialogs.ShowInfo("確認", failure);
    std::string problem;
    const Placement stored = LoadPlacement(services_.workingFolder, kMainWindowKey, &problem);
    if (!problem.empty()) services_.dialogs.ShowInfo("確認", problem);
    return MainWindowPlacement(stored);
}

void Application::Show(const std::optional<std::string>& file) {
    CommandScope scope(*this);
    StartSession(session_, file);
    // Only the desktop program keeps a journal: velmora-cli saves before it ends.
    journal_ = std::make_unique<RecoveryJournal>(services_.workingFolder, services_.writer);
    journal_->Watch(session_.ledger);
    OfferRecovery();
    ShowStartedSession();
}

namespace {

bool WorkOfFile(const RecoveredWork& work, const FileIdentity& loaded) {
    if (work.file.path.empty()) return loaded.path.empty();
    return !loaded.path.empty() && IsSameFile(work.file.path, loaded.path) &&
           work.file.exists == loaded.exists && work.file.size == loaded.size &&
           work.file.contentHash == loaded.contentHash;
}

// The book the work showed, while the ledger still has it; else the cash book.
BookId ShownBookOf(const Ledger& ledger, const BookId& shown) {
    const std::vector<BookId> books = BooksOf(ledger);
    return std::find(books.begin(), books.end(), shown) != books.end() ? shown : ledger.CashBook();
}

}  // namespace

// Every journal left is offered in turn. Only work that started from the very file now
// loaded is applied to it (once); any other is offered as a copy to save under a name (its
// own file's, or a free one beside it), which the window then shows unless work was applied,
// and one whose copy was not saved is kept to be offered again at the next start.
void Application::OfferRecovery() {
    bool applied = false;
    const std::string current = RecoveryJournal::PathIn(services_.workingFolder);
    for (const std::string& path : RecoveryJournal::Found(services_.workingFolder)) {
        std::optional<RecoveredWork> work = RecoveryJournal::Read(path, session_.clock().Today());
        if (!work || !services_.dialogs.AskYesNo(kAppTitle, kRecoveryQuestion, work->file.path)) {
            RemoveJournal(path);
            continue;
        }
        if (!applied && WorkOfFile(*work, session_.fileIdentity)) {
            applied = true;
            // This run's journal goes on from the work: it is written whole as the start
            // ends, so until then the journal the work came from must stay.
            std::error_code ignored;  // a kept journal left is offered again as a copy
            if (path != current) std::filesystem::rename(path, current, ignored);
            session_.ledger = std::move(work->ledger);
            session_.modified = true;
            history_.Clear();
            session_.NotifyLedgerReplaced();
            session_.NotifyTitlesChanged();
            const BookId shown = ShownBookOf(session_.ledger, work->shownBook);
            if (shown == work->shownBook)
                SelectBook(session_, shown);
            else
                velmora::SelectCashBook(session_);
            continue;
        }
        if (SaveRecoveredCopy(*work))
            RemoveJournal(path);
        else
            KeepJournal(path);
    }
}

namespace {

// The save dialog of recovered work proposes the ledger file the work started from, never
// the ledger open now: the file itself while it is as the work found it (or gone), else a
// free name beside it, so that the dialog's Yes replaces neither another ledger nor what
// another program wrote since. Work on a ledger never saved proposes no file.
FileDialogRequest RecoveredWorkRequest(const RecoveredWork& work) {
    FileDialogRequest request{"", "exv", "現金出納帳5-Velmora-ファイル|*.exv", "", ""};
    if (work.file.path.empty()) return request;
    const std::filesystem::path own(work.file.path);
    request.initialFolder = own.parent_path().string();
    std::filesystem::path proposed = std::filesystem::path(own).replace_extension(".exv");
    const bool ownStillThere = proposed == own && FileExists(own.string());
    if (ownStillThere ? !FileUnchanged(work.file) : FileExists(proposed.string())) {
        for (int n = 1; FileExists(proposed.string()); ++n)
            proposed = own.parent_path() / (own.stem().string() + "(復元" +
                                            (n > 1 ? std::to_string(n) : std::string()) + ").exv");
    }
    request.fileName = proposed.filename().string();
    return request;
}

}  // namespace

bool Application::SaveRecoveredCopy(RecoveredWork& work) {
    auto ask = [this, &work] { return services_.dialogs.AskSaveFile(RecoveredWorkRequest(work)); };
    std::optional<std::string> path = ask();
    while (path && RefuseProtectedOutput(session_, *path)) path = ask();
    if (!path) return false;
    try {
        // The lines as a save of the work given back would write them.
        SettleBalances(work.ledger, ShownBookOf(work.ledger, work.shownBook));
        services_.writer.WriteAtomic(*path, EncodeTextLines(LedgerFileLines(work.ledger)));
    } catch (const std::exception& error) {
        services_.dialogs.ShowInfo("確認", *path + "を保存できませんでした。\r\n" + error.what());
        return false;
    }
    services_.dialogs.ShowInfo("確認", *path + "を保存しました。");
    // The window shows the work it saved, not the ledger that happened to be open; work
    // given back into that ledger already is not replaced.
    if (!session_.modified && LoadLedger(session_, *path)) {
        history_.Clear();
        const BookId shown = ShownBookOf(session_.ledger, work.shownBook);
        if (shown != session_.ledger.CashBook()) SelectBook(session_, shown);
    }
    return true;
}

void Application::RemoveJournal(const std::string& path) {
    try {
        services_.writer.Remove(path);
    } catch (const std::exception&) {
        // Offered again at the next start.
    }
}

void Application::KeepJournal(const std::string& path) {
    try {
        RecoveryJournal::Keep(path);
    } catch (const std::exception& error) {
        // Left where it is, this run's journal would write over it: this run keeps none.
        services_.dialogs.ShowInfo("確認", error.what());
        journal_.reset();
    }
}

void Application::ShowStartedSession() {
    std::string problem;
    ReadLedgerLayout(services_.workingFolder, ledgerLayout_, &problem);
    if (!problem.empty()) services_.dialogs.ShowInfo("確認", problem);
    ReadSummaryLayout(services_.workingFolder, summaryLayout_, &problem);
    if (!problem.empty()) services_.dialogs.ShowInfo("確認", problem);
    holidays_ = LoadHolidays(session_);
    ShowCurrentMonth(session_, view_);
    pending_ |= kLedgerPending | kViewPending | kTitlesPending;
}

bool Application::RequestClose(const Placement& placement) {
    CommandScope scope(*this);
    const bool close = CloseRequest(session_, placement);
    if (close && journal_) journal_->Discard();
    WriteSummaryLayout(services_.workingFolder, summaryLayout_, services_.writer);
    return close;
}

// ---- printing ----

void Application::PrintWork(const std::function<void()>& work) {
    CommandScope scope(*this);
    try {
        work();
    } catch (const std::exception& error) {
        services_.dialogs.ShowInfo("確認", error.what());
    }
    pending_ |= kPreviewPending | kPrintWorkPending;
}

// ---- other programs and help ----

void Application::OpenCalculator() {
    StartCalculator(services_.shell, services_.dialogs);
}

void Application::OpenMoneyCount() {
    // The money count is built in: there is no outside program to start. Its window
    // writes the count it keeps inside this command.
    CommandScope scope(*this);
    windows_->RunMoneyCount();
}

// Both help items show the shipped manual in the program's own help window, which needs no
// web browser; without one (velmora-cli) the desktop opens the file.
void Application::OpenOnlineManual() {
    OpenOfflineManual();
}

void Application::OpenOfflineManual() {
    const std::string manual = JoinPath(services_.programFolder, kOfflineManualPath);
    if (!FileExists(manual)) {
        services_.dialogs.ShowInfo("確認", "取扱説明書が見つかりません。\r\n" + manual);
        return;
    }
    if (!windows_->ShowManual(manual))
        velmora::OpenOfflineManual(services_.shell, services_.programFolder);
}

void Application::OpenWorkingFolder() {
    velmora::OpenWorkingFolder(services_.shell, services_.workingFolder);
}

// ---- pages ----

void Application::ChangeRibbonPage(RibbonPage page) {
    CommandScope scope(*this);
    ribbonPage_ = page;
    if (page == RibbonPage::Ledger) {
        leftPaneShown_ = true;
        mainPage_ = MainPage::Ledger;
        editMenuEnabled_ = true;
    } else if (page == RibbonPage::Summary) {
        mainPage_ = MainPage::Summary;
        leftPaneShown_ = false;
        summary_.OpenPage(session_.ledger);
        summaryStale_ = false;
        pending_ |= kSummaryPending;
        editMenuEnabled_ = false;
    }
}

void Application::ChangeMainPage(MainPage page) {
    CommandScope scope(*this);
    mainPage_ = page;
}

CalendarLayout Application::CalendarOf(Date drawn) const {
    return LayOutMonth(drawn, holidays_, session_.settings.showNationalHolidays);
}

}  // namespace velmora
