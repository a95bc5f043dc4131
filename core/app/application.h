#pragma once
// The application object: everything the main window holds (the session, the ledger view,
// the entry form, the monthly summary, the holidays, the print job and the screen layout),
// the command scope every write runs in, and the feature controllers whose methods are the
// commands of the main window, each running its steps in the program's order. The windows
// bind their actions to these methods and redraw when told; velmora-cli and the benchmarks
// drive the same object.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/app_listener.h"
#include "core/app/app_windows.h"
#include "core/app/books_controller.h"
#include "core/app/entry_controller.h"
#include "core/app/files_controller.h"
#include "core/app/main_pages.h"
#include "core/app/printing_controller.h"
#include "core/app/reports_controller.h"
#include "core/app/search_controller.h"
#include "core/calendar/holidays.h"
#include "core/entry/entry_form.h"
#include "core/entry/entry_register.h"
#include "core/history/undo_history.h"
#include "core/import/import_into_book.h"
#include "core/ledgerview/ledger_view.h"
#include "core/ledgerview/view_state.h"
#include "core/platform/shell.h"
#include "core/print/print_device.h"
#include "core/print/print_job.h"
#include "core/print/session_print_sources.h"
#include "core/reports/monthly_summary.h"
#include "core/session/file_commands.h"
#include "core/session/session.h"
#include "core/settings/layout_files.h"
#include "core/settings/placement.h"

namespace velmora {

class RecoveryJournal;
struct RecoveredWork;
class TitleMaster;

struct AppServices {
    Dialogs& dialogs;
    const Clock& clock;
    FileWriter& writer;
    PrintDevice& printer;
    Shell& shell;
    std::string workingFolder;
    std::string programFolder;
};

// The ribbon pages, in order.
enum class RibbonPage { DataFile = 0, Ledger = 1, Summary = 2, Other = 3 };

class Application final : private SessionListener, private PrintJobListener {
public:
    explicit Application(AppServices services);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // What the windows read. Changes go through the commands of the application and of
    // its controllers.
    const Session& session() const { return session_; }
    const ViewState& view() const { return view_; }
    const LedgerViewResult& ledgerView() const { return shown_; }
    const EntryForm& entryForm() const { return entryForm_; }
    const MonthlySummary& summary() const { return summary_; }
    const HolidayList& holidays() const { return holidays_; }
    const PrintJob& printJob() const { return *printJob_; }
    const UndoHistory& history() const { return history_; }
    const LedgerLayout& ledgerLayout() const { return ledgerLayout_; }
    const SummaryLayout& summaryLayout() const { return summaryLayout_; }
    MainPage mainPage() const { return mainPage_; }
    RibbonPage ribbonPage() const { return ribbonPage_; }
    bool leftPaneShown() const { return leftPaneShown_; }
    bool editMenuEnabled() const { return editMenuEnabled_; }
    // Whether a command of MainCommands() may run now, by its menu item, its button or its
    // key alike: the items of "編集＆検索" only while that menu is enabled, undo and redo
    // while there is a step, a backup item while it names a backup.
    bool CommandEnabled(std::string_view command) const;
    // While the preview shows, the row moves ("先頭行へ移動", "最終行へ移動": PgUp, PgDn) turn
    // its pages instead.
    bool TurnsPreviewPage(std::string_view command) const;
    // The recovery journal cannot be written: unsaved work would be lost in a crash. The
    // status bar says so while it lasts; one message box tells it when it begins.
    bool journalFailing() const;
    // The window title: the caption, the file shown and a mark while modified.
    std::string WindowTitle() const;
    // The month of drawn as both calendars show it: the user's holiday marks and, unless
    // the settings turn them off, the national holidays with their names.
    CalendarLayout CalendarOf(Date drawn) const;

    // The commands by feature. Each runs in the application's command scope: the
    // listeners hear of it once, when the outermost command has ended.
    BooksController& books() { return books_; }
    EntryController& entry() { return entry_; }
    SearchController& search() { return search_; }
    ReportsController& reports() { return reports_; }
    FilesController& files() { return files_; }
    PrintingController& printing() { return printing_; }

    void AddListener(AppListener* listener);
    void RemoveListener(AppListener* listener);
    // The modal windows beyond the message boxes; none by default (velmora-cli).
    void SetWindows(AppWindows* windows);

    // ---- Life cycle ----
    // Window creation: the working folder (created and filled on first use, or completed
    // when parts of it are missing) and the placement the window opens with. Throws
    // FileError when the working folder cannot be made.
    Placement Create();
    // First show: settings, backup list, the ledger (file when given, else the one the
    // settings name), layout, holidays, titles, the cash book and the current month.
    void Show(const std::optional<std::string>& file = std::nullopt);
    // The close request: the save question, then placement, backup list and summary
    // layout. True when the window may close.
    bool RequestClose(const Placement& placement);

    // ---- The window's pages and the other programs ----
    void ChangeRibbonPage(RibbonPage page);
    void ChangeMainPage(MainPage page);
    void OpenCalculator();
    void OpenMoneyCount();
    void OpenOnlineManual();
    void OpenOfflineManual();
    void OpenWorkingFolder();

private:
    // The command scope and the undo step scope (command_scope.h), which the controllers
    // share with the application.
    class CommandScope;
    class UndoStepScope;
    class WindowScope;
    friend class BooksController;
    friend class EntryController;
    friend class SearchController;
    friend class ReportsController;
    friend class FilesController;
    friend class PrintingController;
    // Work of the print job as one command; a failure (a style or print data that cannot
    // be read) is said, not thrown.
    void PrintWork(const std::function<void()>& work);
    struct Snapshot;

    // SessionListener
    void ViewChanged() override;
    void LedgerReplaced() override;
    void TitlesChanged() override;
    // PrintJobListener
    void RepaintPreview() override;

    // What a command changed, told to the listeners once it ends: Flush for the outermost
    // one, FlushWindowCommand for one run from a window a command keeps open.
    void Flush();
    void FlushWindowCommand();
    void TellChanges();
    void TellState();
    // The changes of the command that just ended, into the recovery journal.
    void CommitJournal();
    // Show's steps after the session has started: layouts, holidays, calendar and month.
    void ShowStartedSession();
    // The work a previous run left unsaved: given back into the session when it belongs to
    // the ledger just loaded, else offered for saving under its own ledger's name (or a free
    // one beside it) and shown once saved.
    void OfferRecovery();
    bool SaveRecoveredCopy(RecoveredWork& work);
    void RemoveJournal(const std::string& path);
    void KeepJournal(const std::string& path);
    Snapshot TakeSnapshot() const;
    void RebuildView();
    bool RebuildShownSummary();
    void ReloadTitles();
    template <typename F>
    void Notify(F f);

    AppServices services_;
    Session session_;
    ViewState view_;
    LedgerViewResult shown_;
    EntryForm entryForm_;
    MonthlySummary summary_;
    HolidayList holidays_;
    SessionPrintSources printSources_;
    std::unique_ptr<PrintJob> printJob_;
    BooksController books_{*this};
    EntryController entry_{*this};
    SearchController search_{*this};
    ReportsController reports_{*this};
    FilesController files_{*this};
    PrintingController printing_{*this};
    LedgerLayout ledgerLayout_;
    SummaryLayout summaryLayout_;
    MainPage mainPage_ = MainPage::Ledger;
    RibbonPage ribbonPage_ = RibbonPage::DataFile;
    bool leftPaneShown_ = true;
    bool editMenuEnabled_ = true;
    bool summaryStale_ = true;
    std::string pdfWritten_;  // the PDF the last print run wrote
    bool pdfFailed_ = false;  // the last print run had a PDF file to write and did not write it
    bool journalFailureTold_ = false;

    AppWindows noWindows_;
    AppWindows* windows_ = &noWindows_;
    std::vector<AppListener*> listeners_;

    int depth_ = 0;
    int windowDepth_ = 0;  // the depth of the command whose modal window is open; 0 for none
    UndoHistory history_;
    unsigned pending_ = 0;
    std::unique_ptr<Snapshot> lastState_;
    // The desktop program's journal of unsaved work; none for other callers.
    std::unique_ptr<RecoveryJournal> journal_;
};

}  // namespace velmora
