#pragma once
// The application object: everything the main window holds (the session, the ledger view,
// the entry form, the monthly summary, the holidays, the print job and the screen layout)
// and every command of the main window as one method, each running its steps in the
// program's order. The windows bind their actions to these methods and redraw when told;
// velmora-cli and the benchmarks drive the same object.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/app_listener.h"
#include "core/app/app_windows.h"
#include "core/app/main_pages.h"
#include "core/app/printing_controller.h"
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

    // What the windows read. Changes go through the methods below.
    const Session& session() const { return session_; }
    const ViewState& view() const { return view_; }
    const LedgerViewResult& ledgerView() const { return shown_; }
    const EntryForm& entryForm() const { return entryForm_; }
    const MonthlySummary& summary() const { return summary_; }
    const HolidayList& holidays() const { return holidays_; }
    const PrintJob& printJob() const { return *printJob_; }
    // The print page's and the preview's options, each a command.
    PrintingController& printing() { return printingController_; }
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

    // Write access for velmora-cli's commands, the benchmarks and the tests, which set up a
    // session or an entry form directly; no window uses them.
    Session& mutableSession() { return session_; }
    ViewState& mutableView() { return view_; }
    EntryForm& mutableEntryForm() { return entryForm_; }

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

    // ---- Commands of the main window ----
    void SelectCashBook();
    void ChoosePettyCashBook();
    void ChooseBankBook();
    void OpenEntryForm();
    void EditSelectedRecord(std::optional<int> recordIndex);
    // "先頭行へ移動" / "最終行へ移動": the grid row to select.
    int FirstRowToSelect() const;
    int LastRowToSelect() const;
    void RunSearch();
    void SearchByTitle();
    void SearchByDescription(std::optional<int> selectedRecord);
    void SearchByIncome();
    void SearchByExpense();
    void ShowSearchConditions();
    void ClearTitleSearch();
    void ClearDescriptionSearch();
    void ClearIncomeSearch();
    void ClearExpenseSearch();
    void ClearSearches();
    void SetDateFilter(bool on);
    void SetAllBooksSearch(bool on);
    void EditTitles();
    void NewCashBookLedger();
    void NewAllowanceBookLedger();
    void MakeNextYearLedger();
    void Open();
    void Save();
    void SaveAs();
    void OpenCsvExport();
    // "CSVファイルから取込…" (menu "その他"): the statement import dialog.
    void ImportStatement();
    void RecalculateDates();
    void RecalculateAmounts();
    // The window passes the widths it shows.
    void SaveLedgerLayout(const LedgerLayout& shownLayout);
    void EditSettings();
    void GoBack();
    void SummarizeByTitle();
    void ShowGraph();
    void PrintLedger();
    void PrintBookBalances();
    // The print command that prints a report kind (PrintJob::PrepareReport): for a ledger
    // or summary kind the one of its family, which prints the variant shown.
    void PrintReport(int kind);
    void PrintMonthlySummary();
    void PrintIncomeExpense();
    void PrintGraph();
    // "プリンター設定" (and the picture of the "その他" page): the printer set-up window,
    // then the job takes its choice.
    void SetUpPrinter();
    // "印刷実行", "PDFに保存…" and "位置合わせ用紙を印刷" of the print page. The progress
    // callback hears of every drawn sheet and may stop the run.
    PrintRunResult Print(const PrintProgress& progress = {});
    PrintRunResult SaveAsPdf(const PrintProgress& progress = {});
    // After a run that wrote a PDF: "PDFを保存しました: PATH" for the status bar; empty
    // before one. "フォルダーを開く" opens the folder it went to.
    std::string PdfWrittenText() const;
    void OpenPdfFolder();
    // True when the sheet was printed (false: no PDF file chosen, or a message said why).
    bool PrintCalibration();
    // PgUp and PgDn while the preview is shown: the page before or after.
    void TurnPreviewPage(bool forward);
    void OpenCalculator();
    void OpenMoneyCount();
    // "月別科目一覧表" (Ctrl+E): the summary page, as its ribbon page opens it.
    void ShowSummaryPage();
    void RestoreBackup(int n);
    void OpenOnlineManual();
    void OpenOfflineManual();
    void OpenWorkingFolder();

    // ---- Window events that are commands too ----
    void ChangeRibbonPage(RibbonPage page);
    void ChangeMainPage(MainPage page);
    // False when the tab was refused ("ALL" without an account search).
    bool ChooseMonthTab(int tab);
    // A day clicked on the main calendar.
    void ChooseCalendarDay(Date day);
    // A title clicked in the title list: the account filter.
    void FilterByTitle(const std::string& title);
    // "一行下へ移動する" on a row of ledgerView(); false when refused.
    bool MoveRowDown(std::size_t row);
    // The summary layout the window shows, kept for the close request.
    void SetSummaryLayout(const SummaryLayout& layout) { summaryLayout_ = layout; }

    // "<<" (delta -1) and ">>" (+1) of the main calendar: its month only, the ledger view
    // stays as it is.
    void StepCalendar(int delta);
    // "今日:" of the main calendar: today, and the ledger view of its month.
    void CalendarToday();
    // A day clicked with Shift held: the holiday mark of its month and day toggled (after
    // the question), then the day chosen as a plain click chooses it. A national holiday
    // stays one: only the user's own mark changes.
    void ToggleHolidayAndChooseDay(Date day);
    // The month of drawn as both calendars show it: the user's holiday marks and, unless
    // the settings turn them off, the national holidays with their names.
    CalendarLayout CalendarOf(Date drawn) const;

    // ---- The book list dialog ----
    // "新規追加", "名称・残高変更" and "削　除" on the registry of kind ("小口" or "預金");
    // true when the registry changed. Run inside "小口現金" or "預金出納帳", the ledger view
    // and the book balances follow when the dialog has closed.
    bool AddBook(const std::string& kind, const std::string& name, Amount balance);
    bool RenameBook(const std::string& kind, int index, const std::string& name, Amount balance);
    bool DeleteBook(const std::string& kind, int index);

    // ---- The account titles dialog ----
    // "更　新" in "科目設定": the titles, their quick descriptions and, when the user agrees,
    // the records of renamed titles, the records as one step to take back. False when the
    // title file could not be written (the dialog stays open).
    bool UpdateTitles(TitleMaster& master);

    // Runs work on the model as one command: listeners hear of it once, when it is done.
    void RunCommand(const std::function<void()>& work);

    // ---- Commands for callers that go on by how they ended (velmora-cli) ----
    // The first show with a file that must open: as Show(path), but a file that does not
    // load ends it there, without a new empty ledger. True when the file was loaded.
    bool OpenFile(const std::string& path);
    // Save and SaveAs: whether the ledger file and its backup were written.
    SaveResult SaveFile();
    SaveResult SaveFileAs();
    // MakeNextYearLedger: true when next year's ledger was made and written.
    bool MakeNextYear();

    // ---- The entry form and the summary page ----
    // "登　録" on entryForm().
    RegisterResult RegisterEntry();
    // "削  除" on entryForm() in edit mode, after its question; true when deleted.
    bool DeleteEntry();
    // What the entry form's controls do to it.
    void EntryClickTitle(int item);
    void EntryClickBook(EntryTab tab, int item);
    void EntryChangeTab(EntryTab tab);
    bool EntryClickDescription(int column, int row);
    bool EntryDoubleClickDescription(int column, int row);
    void EntryStepCalendar(int delta);
    void EntryCalendarToday();
    void EntryClickDay(int day, bool shift);
    // A date typed into the form's date field (or stepped there by a key).
    void EntryShowDate(Date date);
    // What is typed into the description and amount fields, taken before each of the form's
    // commands; the form shows it already, so no listener is told.
    void EntryTakeTyped(const std::string& description, Amount income, Amount expense);
    // "連続入力": the form stays open after a registration.
    void EntrySetContinuous(bool on);
    // Esc or "閉じる": true when the form may close (typed input is given up after a
    // question).
    bool EntryMayClose();
    // The descriptions the description field offers for the title on the form.
    std::vector<std::string> EntryCompletions() const;
    // The book selector of the summary page: item of its list (0: all books).
    void ChooseSummaryBook(int item);
    // The descriptions of title, as a double-click on the title's row shows them.
    void DrillIntoTitle(const std::string& title);
    // A double-click on row of the summary grid: the descriptions of that row's title, or
    // a beep for a row that has none. True when it drilled down.
    bool DrillDownSummaryRow(int row);
    // "画像として保存…" on the graph page: asks for a file and writes there the picture's
    // bytes that encode gives (empty: it could not be made), as every output is written;
    // the open ledger and the working folder's files are refused, a failed write is said.
    // True when written.
    bool SaveGraphImage(const std::function<std::string()>& encode);

    // ---- The statement import dialog ----
    // Its "取込": the plan's rows into its book, as one command that one undo takes back;
    // the result (rows added, rows left out, the balances compared) is said.
    ImportResult ImportStatementRows(const ImportPlan& plan);

    // ---- Undo and redo ----
    // "元に戻す" and "やり直し": the last change of the ledger taken back or done again.
    void Undo();
    void Redo();
    const UndoHistory& history() const { return history_; }

private:
    class CommandScope;
    friend class PrintingController;
    // Work of the print job as one command; a failure (a style or print data that cannot
    // be read) is said, not thrown.
    void PrintWork(const std::function<void()>& work);
    class UndoStepScope;
    void TakeStep(UndoHistory::Outcome (UndoHistory::*take)(Ledger&));
    struct Snapshot;

    // SessionListener
    void ViewChanged() override;
    void LedgerReplaced() override;
    void TitlesChanged() override;
    // PrintJobListener
    void RepaintPreview() override;

    void Flush();
    // The changes of the command that just ended, into the recovery journal.
    void CommitJournal();
    // Show's steps after the session has started: layouts, holidays, calendar and month.
    void ShowStartedSession();
    // The work a previous run left unsaved: given back into the session when it belongs to
    // the ledger just loaded, else offered as a copy to save under another name.
    void OfferRecovery();
    bool SaveRecoveredCopy(RecoveredWork& work);
    void RemoveJournal(const std::string& path);
    void KeepJournal(const std::string& path);
    Snapshot TakeSnapshot() const;
    void RebuildView();
    bool RebuildShownSummary();
    void ReloadTitles();
    void ChooseBookFromList(const std::string& kind);
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
    PrintingController printingController_{*this};
    LedgerLayout ledgerLayout_;
    SummaryLayout summaryLayout_;
    MainPage mainPage_ = MainPage::Ledger;
    RibbonPage ribbonPage_ = RibbonPage::DataFile;
    bool leftPaneShown_ = true;
    bool editMenuEnabled_ = true;
    bool summaryStale_ = true;
    std::string pdfWritten_;  // the PDF the last print run wrote
    bool journalFailureTold_ = false;

    AppWindows noWindows_;
    AppWindows* windows_ = &noWindows_;
    std::vector<AppListener*> listeners_;

    int depth_ = 0;
    UndoHistory history_;
    unsigned pending_ = 0;
    std::unique_ptr<Snapshot> lastState_;
    // The desktop program's journal of unsaved work; none for other callers.
    std::unique_ptr<RecoveryJournal> journal_;
};

}  // namespace velmora
