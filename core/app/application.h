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
#include <vector>

#include "core/app/app_listener.h"
#include "core/app/app_windows.h"
#include "core/printing/print_device.h"
#include "core/printing/print_job.h"
#include "core/printing/session_print_sources.h"
#include "core/reports/layout_files.h"
#include "core/reports/monthly_summary.h"
#include "core/reports/shell.h"
#include "core/session/session.h"
#include "core/settings/placement.h"
#include "core/view/entry_form.h"
#include "core/view/holidays.h"
#include "core/view/ledger_view.h"
#include "core/view/view_state.h"

namespace velmora {

struct AppServices {
    Dialogs& dialogs;
    const Clock& clock;
    FileWriter& writer;
    PrintDevice& printer;
    Shell& shell;
    std::string workingFolder;
    std::string programFolder;
};

// The main pages of the window, in the order of the page control.
enum class MainPage { Ledger = 0, Summary = 1, Preview = 2, Graph = 3 };
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
    const LedgerLayout& ledgerLayout() const { return ledgerLayout_; }
    const SummaryLayout& summaryLayout() const { return summaryLayout_; }
    MainPage mainPage() const { return mainPage_; }
    RibbonPage ribbonPage() const { return ribbonPage_; }
    bool leftPaneShown() const { return leftPaneShown_; }
    bool editMenuEnabled() const { return editMenuEnabled_; }
    // The window title: the caption, the file shown and a mark while modified.
    std::string WindowTitle() const;

    // Work that later issues' windows drive directly; kept here so that the order of steps
    // stays in one place.
    Session& mutableSession() { return session_; }
    ViewState& mutableView() { return view_; }
    EntryForm& mutableEntryForm() { return entryForm_; }
    MonthlySummary& mutableSummary() { return summary_; }
    HolidayList& mutableHolidays() { return holidays_; }
    PrintJob& mutablePrintJob() { return *printJob_; }

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
    bool CloseQuery(const Placement& placement);

    // ---- Commands of the main window ----
    void note1();
    void note2();
    void note3();
    void datainput();
    void dataedit(std::optional<int> recordIndex);
    // "先頭行へ移動" / "最終行へ移動": the grid row to select.
    int moveTop() const;
    int MoveDown() const;
    void target_Notes();
    void searchKamoku();
    void searchItem(std::optional<int> selectedRecord);
    void searchIncome();
    void searchOutcome();
    void searchPreview();
    void cancelKamoku();
    void cancelItem();
    void cancelIncome();
    void cancelOutcome();
    void searchClear();
    void datesearch(bool on);
    void allBooksSearch(bool on);
    void masterKamoku();
    void new1data();
    void new2Data();
    void makeNextData();
    void fileopen();
    void filesave();
    void fileAsSave();
    void csvfileOut();
    void dateAgain();
    void kingakuAgain();
    // The window passes the widths it shows.
    void mdisplay_write(const LedgerLayout& shownLayout);
    void configExec();
    void back();
    void monthlySum();
    void graph();
    void printnote();
    void printzandaka();
    void monthlyprint();
    void incomeprint();
    void graphprint();
    void calcExec();
    void cashcalcExec();
    // "月別科目一覧表" (Ctrl+E): the summary page, as its ribbon page opens it.
    void monthlyList();
    void restoreBackup(int n);
    void onlineHelp();
    void offlineHelp();
    void openWorkingFolder();

    // ---- Window events that are commands too ----
    void ChangeRibbonPage(RibbonPage page);
    void ChangeMainPage(MainPage page);
    void ChooseMonthTab(int tab);
    // A day clicked on the main calendar.
    void ChooseCalendarDay(Date day);
    // A title double-clicked in the title list: the account filter.
    void FilterByTitle(const std::string& title);
    void MoveRowDown(std::size_t row);
    // The summary layout the window shows, kept for the close request.
    void SetSummaryLayout(const SummaryLayout& layout) { summaryLayout_ = layout; }

    // Runs work on the model as one command: listeners hear of it once, when it is done.
    void RunCommand(const std::function<void()>& work);

private:
    class CommandScope;
    struct Snapshot;

    // SessionListener
    void ViewChanged() override;
    void LedgerReplaced() override;
    void TitlesChanged() override;
    // PrintJobListener
    void RepaintPreview() override;

    void Flush();
    Snapshot TakeSnapshot() const;
    void RebuildView();
    void ReloadTitles();
    void ChooseBookFromList(const std::string& kind);
    void PrintCommand(void (PrintJob::*command)());
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
    LedgerLayout ledgerLayout_;
    SummaryLayout summaryLayout_;
    MainPage mainPage_ = MainPage::Ledger;
    RibbonPage ribbonPage_ = RibbonPage::DataFile;
    bool leftPaneShown_ = true;
    bool editMenuEnabled_ = true;
    bool summaryStale_ = true;

    AppWindows noWindows_;
    AppWindows* windows_ = &noWindows_;
    std::vector<AppListener*> listeners_;

    int depth_ = 0;
    unsigned pending_ = 0;
    std::unique_ptr<Snapshot> lastState_;
};

}  // namespace velmora
