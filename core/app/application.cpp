#include "core/app/application.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>

#include "core/app/command_table.h"
#include "core/entry/description_completion.h"
#include "core/entry/row_editing.h"
#include "core/entry/title_changes.h"
#include "core/history/recovery_journal.h"
#include "core/ledger/kept_balances.h"
#include "core/ledger/ledger_file.h"
#include "core/ledgerview/main_calendar.h"
#include "core/ledgerview/month_selection.h"
#include "core/ledgerview/search_commands.h"
#include "core/platform/file_io.h"
#include "core/print/report_kind.h"
#include "core/reports/graph_layout.h"
#include "core/session/apply_settings.h"
#include "core/session/book_commands.h"
#include "core/session/file_commands.h"
#include "core/session/new_ledger.h"
#include "core/session/startup.h"
#include "core/settings/title_lists.h"
#include "core/util/paths.h"

namespace velmora {
namespace {

enum Pending : unsigned {
    kViewPending = 1u << 0,
    kLedgerPending = 1u << 1,
    kTitlesPending = 1u << 2,
    kSummaryPending = 1u << 3,
    kPreviewPending = 1u << 4,
    kPrintWorkPending = 1u << 5,  // the changes came from the print job's own work
};

}  // namespace

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
    std::string undoText, redoText, pdfWritten;

    bool SameState(const Snapshot& o) const {
        return modified == o.modified && currentFile == o.currentFile && filePanel == o.filePanel &&
               monthPanel == o.monthPanel && yearPanel == o.yearPanel &&
               shownMonthPanel == o.shownMonthPanel && company == o.company && book == o.book &&
               allBooks == o.allBooks && dateFilter == o.dateFilter &&
               accountFilter == o.accountFilter && currentMonth == o.currentMonth &&
               mainPage == o.mainPage && ribbonPage == o.ribbonPage &&
               leftPaneShown == o.leftPaneShown && editMenuEnabled == o.editMenuEnabled &&
               journalFailing == o.journalFailing && calendar.drawn == o.calendar.drawn &&
               calendar.selected == o.calendar.selected && undoText == o.undoText &&
               redoText == o.redoText && pdfWritten == o.pdfWritten;
    }
    bool SameBackups(const Snapshot& o) const { return backups.entries == o.backups.entries; }
};

// Commands nest (a command may run another); listeners hear of the changes when the
// outermost one ends, also when it ends by an exception.
// One undoable command inside a command: what it changed becomes one step of the undo
// history under label. What was done before it in the same command stays out of that step.
class Application::UndoStepScope {
public:
    UndoStepScope(Application& app, std::string label) : app_(app), label_(std::move(label)) {
        app_.history_.End({});
        app_.history_.Begin(app_.session_.ledger);
    }
    ~UndoStepScope() {
        app_.history_.End(label_);
        app_.history_.Begin(app_.session_.ledger);
    }
    UndoStepScope(const UndoStepScope&) = delete;
    UndoStepScope& operator=(const UndoStepScope&) = delete;

private:
    Application& app_;
    std::string label_;
};

class Application::CommandScope {
public:
    explicit CommandScope(Application& app) : app_(app) {
        if (app_.depth_++ == 0) {
            app_.history_.Begin(app_.session_.ledger);
            if (app_.journal_) app_.journal_->Watch(app_.session_.ledger);
        }
    }
    // A command run inside another one (a registration in the open entry form, a book
    // added in the book list) is journalled as it ends: the window around it may stay open
    // for a long time.
    ~CommandScope() {
        if (--app_.depth_ == 0)
            app_.Flush();
        else
            app_.CommitJournal();
    }
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

private:
    Application& app_;
};

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

void Application::RunCommand(const std::function<void()>& work) {
    CommandScope scope(*this);
    work();
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
    s.undoText = history_.CanUndo() ? history_.UndoText() : std::string();
    s.redoText = history_.CanRedo() ? history_.RedoText() : std::string();
    s.pdfWritten = pdfWritten_;
    return s;
}

void Application::Flush() {
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
    }
    // The balances brought up to date by the view belong to no step of their own.
    history_.End({});
    if (!session_.modified) history_.MarkSaved();
    CommitJournal();
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
// loaded is applied to it (once); any other is offered as a copy to save under a name, and
// one whose copy was not saved is kept to be offered again at the next start.
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

bool Application::SaveRecoveredCopy(RecoveredWork& work) {
    auto ask = [this] {
        return services_.dialogs.AskSaveFile(
            LedgerFileRequest(session_, "現金出納帳5-Velmora-ファイル|*.exv", true));
    };
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

// ---- books ----

void Application::SelectCashBook() {
    CommandScope scope(*this);
    velmora::SelectCashBook(session_);
}

void Application::ChooseBookFromList(const std::string& kind) {
    const std::vector<std::string> names = BookNames(session_, kind);
    std::optional<int> chosen = windows_->ChooseBook(kind, names);
    // The dialog may have added, renamed or deleted books: the index is one of the list
    // as it is now.
    const std::vector<std::string> now = BookNames(session_, kind);
    if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(now.size())) return;
    SelectBook(session_, BookId{kind, now[static_cast<std::size_t>(*chosen)]});
}

void Application::ChoosePettyCashBook() {
    CommandScope scope(*this);
    ChooseBookFromList(std::string(kPettyKind));
}

void Application::ChooseBankBook() {
    CommandScope scope(*this);
    ChooseBookFromList(std::string(kBankKind));
}

// ---- entry and rows ----

void Application::OpenEntryForm() {
    CommandScope scope(*this);
    if (NewEntryCommand(session_, view_, entryForm_)) windows_->RunEntryForm();
}

void Application::EditSelectedRecord(std::optional<int> recordIndex) {
    CommandScope scope(*this);
    if (EditSelectedRow(session_, entryForm_, recordIndex)) windows_->RunEntryForm();
}

int Application::FirstRowToSelect() const {
    return kTopRow;
}

int Application::LastRowToSelect() const {
    return velmora::MoveDownRow(shown_);
}

bool Application::MoveRowDown(std::size_t row) {
    CommandScope scope(*this);
    UndoStepScope step(*this, "一行下へ移動");
    return velmora::MoveRowDown(session_, shown_.rows, row);
}

void Application::RecalculateDates() {
    CommandScope scope(*this);
    UndoStepScope step(*this, "日付再計算");
    velmora::RecalculateDates(session_);
    session_.NotifyViewChanged();
}

void Application::RecalculateAmounts() {
    CommandScope scope(*this);
    UndoStepScope step(*this, "金額再計算");
    velmora::RecalculateAmounts(session_);
    session_.NotifyViewChanged();
}

// ---- searches ----

void Application::RunSearch() {
    CommandScope scope(*this);
    velmora::RunSearch(session_);
}

void Application::SearchByTitle() {
    CommandScope scope(*this);
    if (std::optional<std::string> title = windows_->ChooseTitle())
        SetAccountFilter(session_, *title);
    else
        view_.dateFilter = false;  // "キャンセル" of the dialog
    session_.NotifyViewChanged();
}

void Application::SearchByDescription(std::optional<int> selectedRecord) {
    CommandScope scope(*this);
    velmora::SearchByDescription(session_, view_, selectedRecord);
}

void Application::SearchByIncome() {
    CommandScope scope(*this);
    velmora::SearchByIncome(session_, view_);
}

void Application::SearchByExpense() {
    CommandScope scope(*this);
    velmora::SearchByExpense(session_, view_);
}

void Application::ShowSearchConditions() {
    velmora::ShowSearchConditions(session_, view_);
}

void Application::ClearTitleSearch() {
    CommandScope scope(*this);
    velmora::ClearTitleSearch(session_, view_);
}

void Application::ClearDescriptionSearch() {
    CommandScope scope(*this);
    velmora::ClearDescriptionSearch(session_, view_);
}

void Application::ClearIncomeSearch() {
    CommandScope scope(*this);
    velmora::ClearIncomeSearch(session_, view_);
}

void Application::ClearExpenseSearch() {
    CommandScope scope(*this);
    velmora::ClearExpenseSearch(session_, view_);
}

void Application::ClearSearches() {
    CommandScope scope(*this);
    velmora::ClearSearches(session_, view_);
}

// The two check boxes only change the state that the next search reads.
void Application::SetDateFilter(bool on) {
    CommandScope scope(*this);
    view_.dateFilter = on;
}

void Application::SetAllBooksSearch(bool on) {
    CommandScope scope(*this);
    session_.allBooks = on;
}

bool Application::ChooseMonthTab(int tab) {
    CommandScope scope(*this);
    return velmora::ChooseMonthTab(session_, view_, tab);
}

void Application::ChooseCalendarDay(Date day) {
    CommandScope scope(*this);
    ChooseDay(session_, view_, day);
}

void Application::FilterByTitle(const std::string& title) {
    CommandScope scope(*this);
    if (!IsListedTitle(title)) return;  // a blank slot: no title, nothing to find
    SetAccountFilter(session_, title);
    session_.NotifyViewChanged();
}

// ---- masters and settings ----

void Application::EditTitles() {
    CommandScope scope(*this);
    windows_->EditTitles();
    session_.NotifyTitlesChanged();
}

bool Application::UpdateTitles(TitleMaster& master) {
    CommandScope scope(*this);
    UndoStepScope step(*this, "科目設定");
    return velmora::UpdateTitles(session_, master);
}

void Application::EditSettings() {
    CommandScope scope(*this);
    UndoStepScope step(*this, "環境設定");
    if (SettingsCommand(
            session_, [this](FiscalSettingsForm& form) { windows_->RunSettings(session_, form); }))
        ShowCurrentMonth(session_, view_);
}

void Application::OpenCsvExport() {
    CommandScope scope(*this);
    windows_->RunCsvOptions(session_);
}

void Application::ImportStatement() {
    CommandScope scope(*this);
    windows_->RunStatementImport();
}

void Application::SaveLedgerLayout(const LedgerLayout& shownLayout) {
    ledgerLayout_ = shownLayout;
    WriteLedgerLayout(services_.workingFolder, ledgerLayout_, services_.dialogs, services_.writer);
}

// ---- files ----

void Application::NewCashBookLedger() {
    CommandScope scope(*this);
    if (NewLedgerCommand(session_, 1)) ShowCurrentMonth(session_, view_);
}

void Application::NewAllowanceBookLedger() {
    CommandScope scope(*this);
    if (NewLedgerCommand(session_, 2)) ShowCurrentMonth(session_, view_);
}

void Application::MakeNextYearLedger() {
    MakeNextYear();
}

void Application::Open() {
    CommandScope scope(*this);
    if (OpenCommand(session_)) ShowCurrentMonth(session_, view_);
}

void Application::Save() {
    SaveFile();
}

void Application::SaveAs() {
    SaveFileAs();
}

void Application::RestoreBackup(int n) {
    CommandScope scope(*this);
    if (velmora::RestoreBackup(session_, n)) ShowCurrentMonth(session_, view_);
}

// ---- summary and graph ----

void Application::ShowSummaryPage() {
    ChangeRibbonPage(RibbonPage::Summary);
}

// Every build of the summary shows its page, also from the graph page.
void Application::GoBack() {
    CommandScope scope(*this);
    const int level = summary_.drillLevel();
    summary_.GoBack(mainPage_ == MainPage::Preview, session_.ledger, services_.dialogs);
    if (summary_.drillLevel() != level) mainPage_ = MainPage::Summary;
    pending_ |= kSummaryPending;
}

void Application::SummarizeByTitle() {
    CommandScope scope(*this);
    leftPaneShown_ = false;
    summary_.RebuildTitleLevel(session_.ledger);
    mainPage_ = MainPage::Summary;
    summaryStale_ = false;
    pending_ |= kSummaryPending;
}

void Application::ShowGraph() {
    CommandScope scope(*this);
    leftPaneShown_ = false;
    if (summaryStale_) {
        summary_.OpenPage(session_.ledger);
        summaryStale_ = false;
        pending_ |= kSummaryPending;
    }
    mainPage_ = MainPage::Graph;
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

void Application::TurnPreviewPage(bool forward) {
    PrintWork([&] { forward ? printJob_->NextPage() : printJob_->PreviousPage(); });
}

// Every print command shows the preview with the print settings beside it.
void Application::PrintReport(int kind) {
    PrintWork([&] {
        mainPage_ = MainPage::Preview;
        leftPaneShown_ = true;
        editMenuEnabled_ = false;
        printJob_->PrepareReport(kind);
    });
}

void Application::SetUpPrinter() {
    const std::optional<int> chosen = windows_->ChoosePrinter();
    PrintWork([&] { printJob_->TakePrinterChoice(chosen); });
}

PrintRunResult Application::Print(const PrintProgress& progress) {
    PrintRunResult result;
    PrintWork([&] {
        result = printJob_->PrintOnChosenPrinter(progress);
        if (result.error) services_.dialogs.ShowInfo("確認", result.error->what());
        if (result.stopped)
            services_.dialogs.ShowInfo(
                "確認", printJob_->PdfPrinterInUse() ? kPdfStoppedMessage : kPrintStoppedMessage);
        pdfWritten_ = result.pdfFile;
    });
    return result;
}

PrintRunResult Application::SaveAsPdf(const PrintProgress& progress) {
    PrintRunResult result;
    PrintWork([&] {
        result = printJob_->SaveAsPdf(progress);
        if (result.error) services_.dialogs.ShowInfo("確認", result.error->what());
        if (result.stopped) services_.dialogs.ShowInfo("確認", kPdfStoppedMessage);
        pdfWritten_ = result.pdfFile;
    });
    return result;
}

std::string Application::PdfWrittenText() const {
    return pdfWritten_.empty() ? std::string() : "PDFを保存しました: " + pdfWritten_;
}

void Application::OpenPdfFolder() {
    if (!pdfWritten_.empty())
        services_.shell.OpenPath(std::filesystem::path(pdfWritten_).parent_path().string());
}

bool Application::PrintCalibration() {
    bool printed = false;
    PrintWork([&] { printed = printJob_->PrintCalibration(); });
    return printed;
}

void Application::PrintLedger() {
    PrintReport(kCashLedgerReport);
}

void Application::PrintBookBalances() {
    PrintReport(kBookBalancesReport);
}

void Application::PrintMonthlySummary() {
    PrintReport(kMonthlyTitlesReport);
}

void Application::PrintIncomeExpense() {
    PrintReport(kIncomeExpenseReport);
}

void Application::PrintGraph() {
    PrintReport(kGraphReport);
}

// ---- other programs and help ----

void Application::OpenCalculator() {
    StartCalculator(services_.shell, services_.dialogs);
}

void Application::OpenMoneyCount() {
    // The money count is built in: there is no outside program to start.
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

// ---- commands that tell how they ended ----

bool Application::OpenFile(const std::string& path) {
    CommandScope scope(*this);
    if (!StartSessionOnFile(session_, path)) return false;
    ShowStartedSession();
    return true;
}

SaveResult Application::SaveFile() {
    CommandScope scope(*this);
    return SaveCommand(session_);
}

SaveResult Application::SaveFileAs() {
    CommandScope scope(*this);
    return SaveAsCommand(session_);
}

bool Application::MakeNextYear() {
    CommandScope scope(*this);
    if (!RollOver(session_)) return false;
    // The calendar, the entry form and the status bar move into the new year's period of
    // the month they showed.
    const Date moved = view_.calendar.selected.AddMonths(12);
    ShowMainCalendar(session_, view_, moved);
    SelectMonth(session_, view_, moved.Month());
    return true;
}

// ---- the entry form and the summary page ----

RegisterResult Application::RegisterEntry() {
    CommandScope scope(*this);
    UndoStepScope step(*this, std::string(entryForm_.mode == EntryMode::Edit ? "修正 " : "登録 ") +
                                  entryForm_.yearText + "/" + entryForm_.monthText + "/" +
                                  entryForm_.dayText + " " + entryForm_.title);
    return velmora::RegisterEntry(session_, view_, entryForm_);
}

bool Application::DeleteEntry() {
    CommandScope scope(*this);
    UndoStepScope step(*this, "削除 " + entryForm_.yearText + "/" + entryForm_.monthText + "/" +
                                  entryForm_.dayText + " " + entryForm_.title);
    return velmora::DeleteEntry(session_, entryForm_);
}

void Application::EntryClickTitle(int item) {
    ClickTitle(session_, entryForm_, item);
}

void Application::EntryClickBook(EntryTab tab, int item) {
    ClickBook(entryForm_, tab, item);
}

void Application::EntryChangeTab(EntryTab tab) {
    ChangeEntryTab(session_, entryForm_, tab);
}

bool Application::EntryClickDescription(int column, int row) {
    return ClickDescriptionCell(session_, entryForm_, column, row);
}

bool Application::EntryDoubleClickDescription(int column, int row) {
    return DoubleClickDescriptionCell(session_, entryForm_, column, row);
}

void Application::EntryStepCalendar(int delta) {
    StepEntryCalendar(entryForm_, delta);
}

void Application::EntryCalendarToday() {
    velmora::EntryCalendarToday(session_, entryForm_);
}

void Application::EntryClickDay(int day, bool shift) {
    ClickEntryDay(session_, entryForm_, holidays_, day, shift);
}

void Application::EntryShowDate(Date date) {
    ShowEntryDate(entryForm_, date);
}

void Application::EntryTakeTyped(const std::string& description, Amount income, Amount expense) {
    entryForm_.description = description;
    entryForm_.income = income;
    entryForm_.expense = expense;
}

void Application::EntrySetContinuous(bool on) {
    entryForm_.continuousEntry = on;
}

bool Application::EntryMayClose() {
    return ConfirmCloseEntry(session_, entryForm_);
}

std::vector<std::string> Application::EntryCompletions() const {
    return DescriptionCompletions(session_.ledger, entryForm_.title, entryForm_.cells);
}

void Application::ChooseSummaryBook(int item) {
    CommandScope scope(*this);
    summary_.ChooseBook(item, session_.ledger);
    summaryStale_ = false;
    pending_ |= kSummaryPending;
}

void Application::DrillIntoTitle(const std::string& title) {
    CommandScope scope(*this);
    summary_.DrillInto(title, session_.ledger);
    summaryStale_ = false;
    pending_ |= kSummaryPending;
}

bool Application::DrillDownSummaryRow(int row) {
    CommandScope scope(*this);
    if (!summary_.DrillDownRow(row, session_.ledger, services_.dialogs)) return false;
    summaryStale_ = false;
    pending_ |= kSummaryPending;
    return true;
}

bool Application::SaveGraphImage(const std::function<std::string()>& encode) {
    const std::optional<std::string> path = services_.dialogs.AskSaveFile(GraphImageRequest());
    if (!path || RefuseProtectedOutput(session_, *path)) return false;
    std::string reason;
    if (const std::string bytes = encode(); !bytes.empty()) {
        try {
            services_.writer.WriteOutput(*path, bytes, OutputModeLimit(session_.currentFile));
            return true;
        } catch (const std::exception& error) {
            reason = std::string("\n") + error.what();
        }
    }
    services_.dialogs.ShowInfo("確認", std::string(kGraphImageNotSaved) + "\n" + *path + reason);
    return false;
}

// ---- the main calendar ----

void Application::StepCalendar(int delta) {
    CommandScope scope(*this);
    StepMainCalendar(session_, view_, delta);
}

void Application::CalendarToday() {
    CommandScope scope(*this);
    ShowToday(session_, view_);
}

CalendarLayout Application::CalendarOf(Date drawn) const {
    return LayOutMonth(drawn, holidays_, session_.settings.showNationalHolidays);
}

void Application::ToggleHolidayAndChooseDay(Date day) {
    CommandScope scope(*this);
    ToggleHoliday(session_, holidays_, day);
    ChooseDay(session_, view_, day);
}

// ---- the book list dialog ----

bool Application::AddBook(const std::string& kind, const std::string& name, Amount balance) {
    CommandScope scope(*this);
    UndoStepScope step(*this, "帳簿追加 " + name);
    return velmora::AddBook(session_, kind, name, balance);
}

bool Application::RenameBook(const std::string& kind, int index, const std::string& name,
                             Amount balance) {
    CommandScope scope(*this);
    UndoStepScope step(*this, "帳簿変更 " + name);
    return velmora::RenameBook(session_, kind, index, name, balance);
}

bool Application::DeleteBook(const std::string& kind, int index) {
    CommandScope scope(*this);
    UndoStepScope step(*this, "帳簿削除");
    return velmora::DeleteBook(session_, kind, index);
}

// ---- the statement import dialog ----

ImportResult Application::ImportStatementRows(const ImportPlan& plan) {
    ImportResult result;
    {
        CommandScope scope(*this);
        UndoStepScope step(*this, "取込 " + plan.book.name + " " +
                                      std::to_string(plan.Count(RowVerdict::Import)) + "件");
        result = ImportIntoBook(session_, view_, plan);
    }
    // Said once the view shows the records.
    services_.dialogs.ShowInfo("確認", ImportResultText(plan, result));
    return result;
}

// ---- undo and redo ----

void Application::Undo() {
    TakeStep(&UndoHistory::Undo);
}

void Application::Redo() {
    TakeStep(&UndoHistory::Redo);
}

void Application::TakeStep(UndoHistory::Outcome (UndoHistory::*take)(Ledger&)) {
    CommandScope scope(*this);
    history_.End({});
    const UndoHistory::Outcome outcome = (history_.*take)(session_.ledger);
    history_.Begin(session_.ledger);
    if (outcome == UndoHistory::Outcome::Locked)
        services_.dialogs.ShowInfo(kCheckHeading, kLockedChangeMessage);
    if (outcome != UndoHistory::Outcome::Done) return;
    session_.modified = !history_.AtSavedState();
    // A book taken back may have been the one shown.
    const std::vector<BookId> books = BooksOf(session_.ledger);
    if (!session_.allBooks &&
        std::find(books.begin(), books.end(), session_.currentBook) == books.end())
        velmora::SelectCashBook(session_);
    session_.NotifyTitlesChanged();
    session_.NotifyViewChanged();
}

}  // namespace velmora
