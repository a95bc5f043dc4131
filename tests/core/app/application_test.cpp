#include "core/app/application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/app/command_table.h"
#include "core/app/program_options.h"
#include "core/ledger/ledger_file.h"
#include "core/platform/file_io.h"
#include "core/print/recording_print_device.h"
#include "core/print/report_kind.h"
#include "core/settings/placement.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

class NoShell final : public Shell {
public:
    void OpenUrl(const std::string&) override {}
    void OpenPath(const std::string& path) override { opened.push_back(path); }
    bool StartProgram(const std::string&) override { return false; }
    std::vector<std::string> opened;
};

// Records what each notification saw of the model when it arrived.
class Recorder final : public AppListener {
public:
    explicit Recorder(const Application& app) : app_(app) {}
    void LedgerReplaced() override { Log("ledger"); }
    void ViewChanged() override { Log("view"); }
    void StateChanged() override { Log("state"); }
    void BackupsChanged() override { Log("backups"); }
    void SummaryChanged() override { Log("summary"); }
    std::vector<std::string> events;

private:
    void Log(const std::string& kind) {
        // The company of the first record's book and the view's rows, as the window reads
        // them when told.
        events.push_back(kind + " " + app_.session().filePanel +
                         " rows=" + std::to_string(app_.ledgerView().rows.size()) +
                         (app_.session().modified ? " *" : ""));
    }
    const Application& app_;
};

struct AppHarness {
    AppHarness() {
        fs::create_directories(program);
        fs::create_directories(docs);
    }
    std::string CopyExample(const std::string& name) const {
        const std::string path = docs + "/" + name;
        fs::copy_file(FixturePath("ledger/example2014.exv"), path);
        return path;
    }
    TempFolder folder;
    const std::string work = folder.Path() + "/work";
    const std::string program = folder.Path() + "/program";
    const std::string docs = folder.Path() + "/docs";
    ScriptedDialogs dialogs;
    FixedClock clock{DateTime{Date::FromYmd(2014, 6, 10), 9 * 3600}};
    RecordingPrintDevice printer;
    NoShell shell;
    Application app{
        AppServices{dialogs, clock, DefaultFileWriter(), printer, shell, work, program}};
};

TEST(Application, ListenersHearOfALoadOnceItIsCompleteAndInOrder) {
    AppHarness h;
    const std::string file = h.CopyExample("a.exv");
    h.app.Create();
    Recorder first(h.app), second(h.app);
    h.app.AddListener(&first);
    h.app.AddListener(&second);
    h.app.Show(file);

    ASSERT_FALSE(first.events.empty());
    // Every notification already sees the loaded file and the rebuilt view.
    for (const std::string& e : first.events)
        EXPECT_NE(e.find(" " + file + " rows="), std::string::npos) << e;
    EXPECT_EQ(first.events.front().rfind("ledger ", 0), 0u);
    EXPECT_EQ(first.events, second.events);
    EXPECT_GT(h.app.ledgerView().rows.size(), 2u);

    // A listener removed hears nothing more; the other hears the state of a new ledger.
    h.app.RemoveListener(&second);
    second.events.clear();
    first.events.clear();
    h.dialogs.saveAnswers.push_back(SaveAnswer::No);
    h.app.NewCashBookLedger();
    EXPECT_TRUE(second.events.empty());
    ASSERT_FALSE(first.events.empty());
    EXPECT_EQ(first.events.front().rfind("ledger  rows=", 0), 0u) << first.events.front();
    EXPECT_NE(std::find(first.events.begin(), first.events.end(),
                        "state  rows=" + std::to_string(h.app.ledgerView().rows.size())),
              first.events.end());
}

TEST(Application, CommandsThatChangeNothingShownTellNoOne) {
    AppHarness h;
    h.app.Create();
    h.app.Show(h.CopyExample("a.exv"));
    Recorder r(h.app);
    h.app.AddListener(&r);
    h.app.SetDateFilter(true);  // the check box alone changes what the status shows
    EXPECT_EQ(r.events.size(), 1u);
    r.events.clear();
    h.app.SetDateFilter(true);
    EXPECT_TRUE(r.events.empty());
}

TEST(Application, TheSummaryRibbonPageHidesTheLeftPaneAndGreysTheEditMenu) {
    AppHarness h;
    h.app.Create();
    h.app.Show(h.CopyExample("a.exv"));
    Recorder r(h.app);
    h.app.AddListener(&r);
    h.app.ChangeRibbonPage(RibbonPage::Summary);
    EXPECT_EQ(h.app.mainPage(), MainPage::Summary);
    EXPECT_FALSE(h.app.leftPaneShown());
    EXPECT_FALSE(h.app.editMenuEnabled());
    EXPECT_GT(h.app.summary().grid().RowCount(), 1);
    ASSERT_EQ(r.events.size(), 2u);
    EXPECT_EQ(r.events[0].rfind("summary", 0), 0u);
    EXPECT_EQ(r.events[1].rfind("state", 0), 0u);

    h.app.ChangeRibbonPage(RibbonPage::Other);  // changes nothing else
    EXPECT_FALSE(h.app.leftPaneShown());
    h.app.ChangeRibbonPage(RibbonPage::Ledger);
    EXPECT_EQ(h.app.mainPage(), MainPage::Ledger);
    EXPECT_TRUE(h.app.leftPaneShown());
    EXPECT_TRUE(h.app.editMenuEnabled());
}

TEST(Application, PrintCommandsShowThePreviewBesideThePrintSettings) {
    AppHarness h;
    h.app.Create();
    h.app.Show(h.CopyExample("a.exv"));
    h.app.SummarizeByTitle();
    ASSERT_FALSE(h.app.leftPaneShown());
    Recorder r(h.app);
    h.app.AddListener(&r);
    h.app.PrintLedger();
    EXPECT_EQ(h.app.printJob().state().kind, 2);
    EXPECT_EQ(h.app.mainPage(), MainPage::Preview);
    EXPECT_TRUE(h.app.leftPaneShown());
    EXPECT_FALSE(h.app.editMenuEnabled());
    ASSERT_FALSE(r.events.empty());
    EXPECT_EQ(r.events.back().rfind("state", 0), 0u);

    // Without a printer set-up window the choice counts as cancelled: the options are kept.
    h.app.SetUpPrinter();
    EXPECT_TRUE(fs::exists(h.work + "/config/note1.conf"));
    h.app.ChangeRibbonPage(RibbonPage::Ledger);
    EXPECT_EQ(h.app.mainPage(), MainPage::Ledger);
}

TEST(Application, CloseWritesPlacementBackupListAndSummaryLayoutWhateverTheAnswer) {
    AppHarness h;
    h.app.Create();
    const std::string file = h.CopyExample("a.exv");
    h.app.Show(file);
    h.app.mutableSession().modified = true;
    const std::string before = ReadBytes(file);

    h.dialogs.saveAnswers.push_back(SaveAnswer::Cancel);
    EXPECT_FALSE(h.app.RequestClose(Placement{5, 6, 1300, 800}));
    EXPECT_TRUE(fs::exists(h.work + "/ini/velmora5.ini"));
    EXPECT_TRUE(fs::exists(h.work + "/ini/backup.conf"));
    EXPECT_TRUE(fs::exists(h.work + "/ini/display2.dat"));
    EXPECT_EQ(ReadBytes(file), before);

    h.dialogs.saveAnswers.push_back(SaveAnswer::No);
    EXPECT_TRUE(h.app.RequestClose(Placement{5, 6, 1300, 800}));
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_EQ(LoadPlacement(h.work, kMainWindowKey), (Placement{5, 6, 1300, 800}));
}

TEST(Application, TheCommandLineFileOpensInsteadOfTheLastOne) {
    AppHarness h;
    h.app.Create();
    const std::string missing = h.docs + "/missing.exv";
    h.app.Show(missing);
    // Not loaded: the new-ledger reset asks for the periods.
    EXPECT_TRUE(h.app.session().filePanel.empty());
    ASSERT_FALSE(h.dialogs.Infos().empty());
    EXPECT_EQ(h.dialogs.Infos().back(), "確認|環境設定にて開始月と締日を設定して下さい");
}

TEST(Application, OpenFileStartsOnTheFileOrStopsWithoutANewLedger) {
    AppHarness h;
    h.app.Create();
    EXPECT_FALSE(h.app.OpenFile(h.docs + "/missing.exv"));
    // Only why it did not load: no new empty ledger that asks for its periods.
    EXPECT_EQ(h.dialogs.Infos(),
              (std::vector<std::string>{"確認|" + h.docs + "/missing.exvが見つかりません。"}));
    EXPECT_TRUE(h.app.session().filePanel.empty());

    const std::string file = h.CopyExample("a.exv");
    ASSERT_TRUE(h.app.OpenFile(file));
    // As the start shows it: the cash book on today's month, the balance list beside it.
    EXPECT_EQ(h.app.session().filePanel, file);
    EXPECT_EQ(h.app.session().currentMonth, 6);
    EXPECT_EQ(h.app.view().monthPanel, "6");
    EXPECT_EQ(h.app.ledgerView().searchRange, "2014年06月01日～2014年06月30日");
    ASSERT_EQ(h.app.ledgerView().bookBalances.size(), 2u);
    EXPECT_EQ(h.app.ledgerView().bookBalances[0].balanceText, "6,780");
    EXPECT_EQ(h.app.ledgerView().bookBalances[1].balanceText, "8,000");
}

TEST(Application, FileCommandsTellWhetherTheLedgerWasWritten) {
    AppHarness h;
    h.app.Create();
    const std::string file = h.CopyExample("a.exv");
    ASSERT_TRUE(h.app.OpenFile(file));
    EXPECT_FALSE(h.app.SaveFileAs());  // the dialog cancelled
    h.dialogs.saveFileAnswers.push_back(file);
    EXPECT_FALSE(h.app.MakeNextYear());
    EXPECT_EQ(h.dialogs.Infos().back(),
              "確認|" + file + "\r\n開いている帳簿ファイルには出力できません。");

    const std::string copy = h.docs + "/b.exv";
    h.dialogs.saveFileAnswers.push_back(copy);
    EXPECT_TRUE(h.app.SaveFileAs());
    EXPECT_EQ(h.app.session().filePanel, copy);
    EXPECT_EQ(ReadBytes(copy), ReadBytes(file));
    EXPECT_TRUE(h.app.SaveFile());
}

TEST(Application, RefusedMonthTabsAndRowMovesSayNo) {
    AppHarness h;
    h.app.Create();
    ASSERT_TRUE(h.app.OpenFile(h.CopyExample("a.exv")));
    EXPECT_FALSE(h.app.ChooseMonthTab(0));  // "ALL" without an account search
    EXPECT_EQ(h.dialogs.Infos().back(), "確認|全月表示は科目検索時のみ使用できます。");
    EXPECT_TRUE(h.app.ChooseMonthTab(1));
    EXPECT_EQ(h.app.session().currentMonth, 4);
    EXPECT_FALSE(h.app.MoveRowDown(0));  // the opening carry
    EXPECT_EQ(h.dialogs.Infos().back(),
              "確認してください。|このデ－タは下に移動する事はできません。");
    EXPECT_FALSE(h.app.session().modified);
}

// The entry form as its window fills it: a day on its calendar, a typed title, a
// description and an expense, then "登　録".
class EntryWindows final : public AppWindows {
public:
    explicit EntryWindows(Application& app) : app_(app) {}
    void RunEntryForm() override {
        EntryForm& form = app_.mutableEntryForm();
        ShowEntryDate(form, Date::FromYmd(2014, 6, 3));
        form.title = "通信費";
        form.description = "切手";
        form.expense = Amount::FromYen(84);
        result = app_.RegisterEntry();
    }
    RegisterResult result;

private:
    Application& app_;
};

TEST(Application, TheEntryFormRegistersAndTheViewShowsTheRecordWhenTold) {
    AppHarness h;
    h.app.Create();
    ASSERT_TRUE(h.app.OpenFile(h.CopyExample("a.exv")));
    EntryWindows windows(h.app);
    h.app.SetWindows(&windows);
    Recorder r(h.app);
    h.app.AddListener(&r);
    h.app.OpenEntryForm();
    h.app.SetWindows(nullptr);

    ASSERT_TRUE(windows.result.stored);
    EXPECT_EQ(h.app.session().ledger.transactions[windows.result.line],
              "d06=,2014/06/03,2,通信費,切手,0,84,6696,現金,現金出納帳,現金,現金出納帳,");
    // Told once, after the view was rebuilt: the carry, the record, the totals, the carry.
    EXPECT_EQ(std::count(r.events.begin(), r.events.end(),
                         "view " + h.app.session().filePanel + " rows=4 *"),
              1);
    ASSERT_EQ(h.app.ledgerView().rows.size(), 4u);
    EXPECT_EQ(h.app.ledgerView().rows[1].Description(), "切手");
    EXPECT_EQ(h.app.ledgerView().rows[1].Balance(), "6,696");
}

// Two records registered in one stay of the entry form are two steps: each is taken
// back alone, and taking both back gives the saved file's bytes again.
class TwoEntriesWindows final : public AppWindows {
public:
    explicit TwoEntriesWindows(Application& app) : app_(app) {}
    void RunEntryForm() override {
        for (const char* description : {"切手", "はがき"}) {
            EntryForm& form = app_.mutableEntryForm();
            ShowEntryDate(form, Date::FromYmd(2014, 6, 3));
            form.title = "通信費";
            form.description = description;
            form.expense = Amount::FromYen(84);
            app_.RegisterEntry();
        }
    }

private:
    Application& app_;
};

TEST(Application, UndoTakesBackEachEntryAndReachesTheSavedBytesAgain) {
    AppHarness h;
    h.app.Create();
    const std::string file = h.CopyExample("a.exv");
    ASSERT_TRUE(h.app.OpenFile(file));
    ASSERT_TRUE(h.app.SaveFile());
    const std::string saved = ReadBytes(file);
    EXPECT_EQ(h.app.history().UndoText(), "元に戻す");
    TwoEntriesWindows windows(h.app);
    h.app.SetWindows(&windows);
    h.app.OpenEntryForm();
    h.app.SetWindows(nullptr);
    EXPECT_EQ(h.app.history().UndoText(), "元に戻す: 登録 2014/06/03 通信費");

    h.app.Undo();
    EXPECT_TRUE(h.app.session().modified);
    EXPECT_EQ(h.app.ledgerView().rows.size(), 4u);  // the first record stays
    h.app.Undo();
    EXPECT_FALSE(h.app.session().modified);
    EXPECT_EQ(h.app.ledgerView().rows.size(), 3u);
    h.app.Redo();
    EXPECT_TRUE(h.app.session().modified);
    h.app.Undo();
    ASSERT_TRUE(h.app.SaveFile());
    EXPECT_EQ(ReadBytes(file), saved);

    // A new ledger file forgets what could be taken back.
    h.app.Redo();
    ASSERT_TRUE(h.app.OpenFile(h.CopyExample("b.exv")));
    EXPECT_FALSE(h.app.history().CanUndo());
    EXPECT_FALSE(h.app.history().CanRedo());
}

TEST(Application, TheSummaryBookAndItsDrillDownAreToldAsTheSummary) {
    AppHarness h;
    h.app.Create();
    ASSERT_TRUE(h.app.OpenFile(h.CopyExample("a.exv")));
    h.app.ShowSummaryPage();
    Recorder r(h.app);
    h.app.AddListener(&r);
    h.app.ChooseSummaryBook(1);  // the cash book
    EXPECT_EQ(h.app.summary().selector().itemIndex, 1);
    h.app.DrillIntoTitle("交通費");
    EXPECT_EQ(h.app.summary().drillLevel(), 1);
    EXPECT_EQ(h.app.summary().caption(), "交通費明細表");
    const SummaryGrid& grid = h.app.summary().grid();
    int row = 1;
    while (row <= h.app.summary().lastRow() && grid.Cell(kLabelColumn, row) != "バス代") ++row;
    ASSERT_LE(row, h.app.summary().lastRow());
    EXPECT_EQ(grid.Cell(kFirstMonthColumn, row), "220");  // April
    ASSERT_EQ(r.events.size(), 2u);
    EXPECT_EQ(r.events[0].rfind("summary ", 0), 0u);
    EXPECT_EQ(r.events[1].rfind("summary ", 0), 0u);
}

TEST(CommandTable, EveryCommandHasACaptionAndEveryMenuItemIsACommand) {
    std::set<std::string_view> names;
    int printCommands = 0;
    for (const CommandInfo& c : MainCommands()) {
        EXPECT_FALSE(c.caption.empty()) << c.name;
        EXPECT_TRUE(names.insert(c.name).second) << "twice: " << c.name;
        // A print command runs the print command of a kind the table has.
        if (c.printKind == 0) continue;
        ++printCommands;
        EXPECT_TRUE(FindReportKind(c.printKind)) << c.name;
    }
    EXPECT_EQ(printCommands, 5);
    EXPECT_EQ(FindCommand("printzandaka")->printKind, kBookBalancesReport);
    std::set<std::string_view> inMenus;
    for (const MenuInfo& m : MainMenus())
        for (const MenuEntry& e : m.entries) {
            if (e.command == "-") continue;
            if (e.command.empty()) {
                for (std::string_view s : e.submenu) inMenus.insert(s);
            } else {
                inMenus.insert(e.command);
            }
        }
    for (std::string_view n : inMenus) EXPECT_TRUE(names.count(n)) << n;
    for (const RibbonPageInfo& p : RibbonPages())
        for (const RibbonGroup& g : p.groups)
            for (const RibbonControl& c : g.controls) {
                if (!c.checkBox) {
                    EXPECT_TRUE(names.count(c.command)) << c.command;
                }
            }
    // A key belongs to one command only, but for the one that merely shows it.
    std::set<std::string_view> keys;
    for (const CommandInfo& c : MainCommands())
        if (!c.key.empty() && !c.keyShownOnly) {
            EXPECT_TRUE(keys.insert(c.key).second) << c.key;
        }
    EXPECT_EQ(FindCommand("csvfileOut")->key, "Ctrl+O");
    EXPECT_TRUE(FindCommand("csvfileOut")->keyShownOnly);
    EXPECT_EQ(FindCommand("back_10")->key, "Shift+Ctrl+F10");
}

// Stands in for the main window and its modal windows: notes what a command asked of them.
class WindowLog final : public CommandWindow, public AppWindows {
public:
    std::optional<int> SelectedRecord() const override { return 1; }
    LedgerLayout ShownLedgerLayout() const override { return {}; }
    void SelectGridRow(int row) override { Note("row " + std::to_string(row)); }
    void ToggleDateSearch() override { Note("date search"); }
    void ShowRibbonPage(RibbonPage page) override {
        Note("ribbon " + std::to_string(static_cast<int>(page)));
    }
    void CloseWindow() override { Note("close"); }
    std::optional<int> ChooseBook(const std::string& kind,
                                  const std::vector<std::string>&) override {
        Note("books " + kind);
        return std::nullopt;
    }
    void RunEntryForm() override { Note("entry form"); }
    std::optional<std::string> ChooseTitle() override {
        Note("choose title");
        return std::nullopt;
    }
    void EditTitles() override { Note("edit titles"); }
    void RunSettings(FiscalSettingsForm&) override { Note("settings"); }
    void RunCsvOptions() override { Note("csv options"); }
    void RunMoneyCount() override { Note("money count"); }
    std::string notes;

private:
    void Note(const std::string& what) { notes += what + ";"; }
};

TEST(CommandTable, EveryRowRunsItsHandlerOnAnOpenLedger) {
    // What each row is seen to do, where one look shows it: the windows it asks for, the
    // dialog it opens, the main page it turns to.
    const std::map<std::string_view, std::string> seen = {
        {"note2", "books 小口;"},
        {"note3", "books 預金;"},
        {"datainput", "entry form;"},
        {"dataedit", "entry form;"},
        {"moveTop", "row 1;"},
        {"searchKamoku", "choose title;"},
        {"searchPreview", "info"},
        {"datesearch", "date search;"},
        {"masterKamoku", "edit titles;"},
        {"fileopen", "open"},
        {"fileAsSave", "saveas"},
        {"csvfileOut", "csv options;"},
        {"mdisplay_write", std::string("info:") + kLayoutSavedMessage},
        {"configExec", "settings;"},
        {"monthlySum", "page 1"},
        {"graph", "page 3"},
        {"printnote", "page 2"},
        {"printzandaka", "page 2"},
        {"monthlyprint", "page 2"},
        {"incomeprint", "page 2"},
        {"graphprint", "page 2"},
        {"cashcalcExec", "money count;"},
        {"FileExit1", "close;"},
        {kMonthlyListItem, "ribbon 2;page 1"},
        {kWorkingFolderItem, "folder opened"},
    };
    for (const CommandInfo& c : MainCommands()) {
        AppHarness h;
        WindowLog window;
        h.app.Create();
        h.app.Show(h.CopyExample("a.exv"));
        h.app.SetWindows(&window);
        h.dialogs.Clear();
        ASSERT_NE(c.run, nullptr) << c.name;
        EXPECT_NO_THROW(c.run(h.app, window)) << c.name;
        std::string observed = window.notes;
        for (const ScriptedDialogs::Event& e : h.dialogs.events)
            observed += e.kind + ":" + e.text + ";";
        if (h.app.mainPage() != MainPage::Ledger)
            observed += "page " + std::to_string(static_cast<int>(h.app.mainPage())) + ";";
        if (!h.shell.opened.empty()) observed += "folder opened;";
        if (auto it = seen.find(c.name); it != seen.end()) {
            EXPECT_NE(observed.find(it->second), std::string::npos) << c.name << ": " << observed;
        }
        h.app.SetWindows(nullptr);
    }
}

TEST(ProgramOptions, FileTodayScreenshotAndTheirErrors) {
    auto ok = ParseProgramOptions({"--today", "2024/05/10", "--screenshot", "o.png", "a.exv"});
    EXPECT_TRUE(ok.error.empty());
    EXPECT_EQ(ok.options.today, Date::FromYmd(2024, 5, 10));
    EXPECT_EQ(ok.options.screenshot, "o.png");
    EXPECT_EQ(ok.options.file, "a.exv");
    EXPECT_TRUE(ParseProgramOptions({"--help"}).options.help);
    EXPECT_TRUE(ParseProgramOptions({"--version"}).options.version);
    EXPECT_EQ(ParseProgramOptions({"--today"}).error, "--today には日付 (YYYY/MM/DD) が必要です");
    EXPECT_EQ(ParseProgramOptions({"--today", "2024/13/01"}).error,
              "--today の日付が正しくありません: 2024/13/01");
    EXPECT_EQ(ParseProgramOptions({"--bogus"}).error, "不明なオプションです: --bogus");
    EXPECT_EQ(ParseProgramOptions({"a", "b"}).error, "開くファイルは一つだけ指定できます: b");
}

TEST(Placement, FitOnScreensKeepsTheWindowReachableAndAtLeastTheMinimum) {
    const std::vector<ScreenArea> screens{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    // The default placement is smaller than the minimum: the minimum wins.
    EXPECT_EQ(FitOnScreens({10, 10, 938, 708}, screens, 1279, 749), (Placement{10, 10, 1279, 749}));
    // On the second screen it stays.
    EXPECT_EQ(FitOnScreens({2000, 50, 1279, 749}, screens, 1279, 749),
              (Placement{2000, 50, 1279, 749}));
    // That screen removed: centred on the primary one.
    EXPECT_EQ(FitOnScreens({2000, 50, 1279, 749}, {screens[0]}, 1279, 749),
              (Placement{320, 165, 1279, 749}));
    // Its title bar above the top edge is out of reach too.
    EXPECT_EQ(FitOnScreens({100, -40, 1300, 800}, {screens[0]}, 1279, 749),
              (Placement{310, 140, 1300, 800}));
}

TEST(Application, TheCalendarStepsShowsTodayAndTogglesHolidaysWithShift) {
    AppHarness h;
    h.app.Create();
    ASSERT_TRUE(h.app.OpenFile(h.CopyExample("a.exv")));
    ASSERT_TRUE(h.app.ChooseMonthTab(1));  // April
    Recorder r(h.app);
    h.app.AddListener(&r);
    h.app.StepCalendar(+1);
    // Only the calendar moves: the ledger view stays on April and is not rebuilt.
    EXPECT_EQ(h.app.view().calendar.drawn, Date::FromYmd(2014, 5, 1));
    EXPECT_EQ(h.app.session().currentMonth, 4);
    EXPECT_EQ(r.events,
              (std::vector<std::string>{"state " + h.app.session().filePanel + " rows=5"}));
    r.events.clear();
    h.app.CalendarToday();
    EXPECT_EQ(h.app.view().calendar.selected, Date::FromYmd(2014, 6, 10));
    EXPECT_EQ(h.app.session().currentMonth, 6);
    ASSERT_FALSE(r.events.empty());
    EXPECT_EQ(r.events.front().rfind("view ", 0), 0u);

    // Shift+click: the question, the file, then the day chosen as by a plain click.
    h.dialogs.Clear();
    h.dialogs.yesNoAnswers = {true};
    h.app.ToggleHolidayAndChooseDay(Date::FromYmd(2014, 5, 3));
    EXPECT_EQ(h.dialogs.Log(),
              (std::vector<std::string>{
                  "yesno:現金出納帳5-Velmora Version5|5月3日を休日として再設定しますか？"}));
    EXPECT_EQ(ReadBytes(h.work + "/config/SDAYLIST.DAT"), "05,03,\r\n");
    EXPECT_TRUE(h.app.holidays().Contains(5, 3));
    EXPECT_EQ(h.app.view().calendar.selected, Date::FromYmd(2014, 5, 3));
    EXPECT_EQ(h.app.session().currentMonth, 5);
    h.dialogs.yesNoAnswers = {false};
    h.app.ToggleHolidayAndChooseDay(Date::FromYmd(2015, 5, 3));  // after the year: pulled back
    EXPECT_EQ(h.dialogs.Log().at(1),
              "yesno:現金出納帳5-Velmora Version5|5月3日を平日として再設定しますか？");
    EXPECT_TRUE(h.app.holidays().Contains(5, 3));
    EXPECT_EQ(h.app.view().calendar.selected, Date::FromYmd(2015, 3, 31));
}

// The book list dialog as a user works in it: a scripted step per opening, which may add,
// rename or delete books through the application object and then picks a row or cancels.
class BookListWindows final : public AppWindows {
public:
    std::optional<int> ChooseBook(const std::string& kind,
                                  const std::vector<std::string>&) override {
        kinds.push_back(kind);
        return steps.at(kinds.size() - 1)();
    }
    std::vector<std::function<std::optional<int>()>> steps;
    std::vector<std::string> kinds;
};

TEST(Application, BooksChangedInTheBookListShowOnceTheListHasClosed) {
    AppHarness h;
    h.app.Create();
    ASSERT_TRUE(h.app.OpenFile(h.CopyExample("a.exv")));
    Recorder r(h.app);
    BookListWindows windows;
    windows.steps.push_back([&] {
        EXPECT_TRUE(h.app.AddBook("預金", "A銀行", Amount::FromYen(20000)));
        EXPECT_FALSE(h.app.AddBook("預金", "A銀行", Amount()));
        EXPECT_TRUE(r.events.empty());  // the dialog is still open
        return std::optional<int>(0);   // the row just added
    });
    windows.steps.push_back([&] {
        EXPECT_TRUE(h.app.RenameBook("小口", 0, "本社", Amount::FromYen(4000)));
        return std::optional<int>();  // キャンセル
    });
    windows.steps.push_back([&] {
        h.dialogs.yesNoAnswers = {true};
        EXPECT_TRUE(h.app.DeleteBook("小口", 0));
        return std::optional<int>();
    });
    h.app.SetWindows(&windows);
    h.app.AddListener(&r);
    auto balances = [&h] {
        std::vector<std::string> rows;
        for (const BookBalanceRow& b : h.app.ledgerView().bookBalances)
            rows.push_back(b.HiddenText());
        return rows;
    };

    h.app.ChooseBankBook();
    EXPECT_EQ(h.app.session().currentBook, (BookId{"預金", "A銀行"}));
    EXPECT_EQ(balances(), (std::vector<std::string>{"現金;現金出納帳;6,780;", "小口;本店;8,000;",
                                                    "預金;A銀行;20,000;"}));
    EXPECT_EQ(std::count_if(r.events.begin(), r.events.end(),
                            [](const std::string& e) { return e.rfind("view ", 0) == 0; }),
              1);
    h.app.SelectCashBook();
    h.app.ChoosePettyCashBook();
    EXPECT_EQ(h.app.session().currentBook, (BookId{"現金", "現金出納帳"}));
    EXPECT_EQ(h.app.session().ledger.transactions[1],
              "d04=,2014/04/03,1,小口現金,小口へ補充,0,3000,6780,現金,現金出納帳,小口,本社,");
    EXPECT_EQ(balances(), (std::vector<std::string>{"現金;現金出納帳;6,780;", "小口;本社;7,000;",
                                                    "預金;A銀行;20,000;"}));
    // Deleting the petty-cash book takes the transfer to it out of the cash book too.
    h.app.ChoosePettyCashBook();
    EXPECT_EQ(balances(),
              (std::vector<std::string>{"現金;現金出納帳;9,780;", "預金;A銀行;20,000;"}));
    EXPECT_EQ(windows.kinds, (std::vector<std::string>{"預金", "小口", "小口"}));
    EXPECT_TRUE(h.app.session().modified);
}

class TitleWindows final : public AppWindows {
public:
    std::optional<std::string> ChooseTitle() override {
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<std::string>> answers;
};

TEST(Application, TheTitleSearchSetsTheFilterOrOnCancelEndsTheDateFilter) {
    AppHarness h;
    h.app.Create();
    ASSERT_TRUE(h.app.OpenFile(h.CopyExample("a.exv")));
    TitleWindows windows;
    windows.answers = {std::string("交通費"), std::nullopt};
    h.app.SetWindows(&windows);
    h.app.SetDateFilter(true);
    h.app.SearchByTitle();
    EXPECT_EQ(h.app.session().accountFilter, "交通費");
    EXPECT_TRUE(h.app.view().dateFilter);
    h.app.SearchByTitle();
    EXPECT_EQ(h.app.session().accountFilter, "交通費");
    EXPECT_FALSE(h.app.view().dateFilter);
    EXPECT_EQ(h.app.ledgerView().rows.back().Kind(), LedgerRowKind::EndMark);
}

}  // namespace
}  // namespace velmora::testing

namespace velmora::testing {
namespace {

// A run of the desktop program on h's working folder that ends without saving: the
// registers, an undo, a redo and a new bank book of a user, then no close request.
std::string WorkThenEndWithoutSaving(AppHarness& h, const std::string& file) {
    h.app.Create();
    h.app.Show(file);
    TwoEntriesWindows windows(h.app);
    h.app.SetWindows(&windows);
    h.app.OpenEntryForm();
    h.app.SetWindows(nullptr);
    h.app.Undo();
    h.app.Redo();
    h.app.Undo();
    EXPECT_TRUE(h.app.AddBook("預金", "A銀行", Amount::FromYen(20000)));
    EXPECT_TRUE(fs::exists(h.work + "/recovery.jnl"));
    return EncodeTextLines(LedgerFileLines(h.app.session().ledger));
}

TEST(Application, UnsavedWorkOfARunThatEndedWithoutSavingIsGivenBackExactly) {
    AppHarness first;
    const std::string file = first.CopyExample("a.exv");
    const std::string original = ReadBytes(file);
    const std::string had = WorkThenEndWithoutSaving(first, file);
    ASSERT_NE(had, original);

    // The next start with the same working folder: Yes gives the work back, modified.
    Application again{AppServices{first.dialogs, first.clock, DefaultFileWriter(), first.printer,
                                  first.shell, first.work, first.program}};
    first.dialogs.events.clear();
    first.dialogs.yesNoAnswers.push_back(true);
    again.Create();
    again.Show(file);
    ASSERT_FALSE(first.dialogs.events.empty());
    EXPECT_EQ(first.dialogs.events.front().kind, "yesno");
    EXPECT_EQ(first.dialogs.events.front().heading,
              "前回保存されなかった変更があります。復元しますか？");
    EXPECT_TRUE(again.session().modified);
    EXPECT_EQ(ReadBytes(file), original);
    ASSERT_TRUE(again.SaveFile());
    EXPECT_EQ(ReadBytes(file), had);
    EXPECT_FALSE(fs::exists(first.work + "/recovery.jnl"));

    // A change after that and a clean close: nothing is offered at the next start.
    EXPECT_TRUE(again.AddBook("預金", "B銀行", Amount()));
    EXPECT_TRUE(fs::exists(first.work + "/recovery.jnl"));
    first.dialogs.saveAnswers.push_back(SaveAnswer::No);
    EXPECT_TRUE(again.RequestClose(Placement{}));
    EXPECT_FALSE(fs::exists(first.work + "/recovery.jnl"));
}

TEST(Application, NoGivesUnsavedWorkUpForGood) {
    AppHarness h;
    const std::string file = h.CopyExample("a.exv");
    const std::string original = ReadBytes(file);
    WorkThenEndWithoutSaving(h, file);
    Application again{AppServices{h.dialogs, h.clock, DefaultFileWriter(), h.printer, h.shell,
                                  h.work, h.program}};
    h.dialogs.yesNoAnswers.push_back(false);
    again.Create();
    again.Show(file);
    EXPECT_FALSE(again.session().modified);
    EXPECT_EQ(EncodeTextLines(LedgerFileLines(again.session().ledger)), original);
    EXPECT_FALSE(fs::exists(h.work + "/recovery.jnl"));
}

// Another program replaces the file by one with one more record.
std::string ChangeBehindTheProgram(const std::string& file) {
    fs::remove(file);
    fs::copy_file(FixturePath("ledger/example2014.exv"), file);
    std::ofstream(file, std::ios::app)
        << "d06=,2014/06/04,2,通信費,x,0,1,0,現金,現金出納帳,現金,現金出納帳,\r\n";
    return ReadBytes(file);
}

TEST(Application, WorkOnAFileChangedSinceIsOfferedAsACopyNeverApplied) {
    AppHarness h;
    const std::string file = h.CopyExample("a.exv");
    const std::string had = WorkThenEndWithoutSaving(h, file);
    const std::string changed = ChangeBehindTheProgram(file);

    Application again{AppServices{h.dialogs, h.clock, DefaultFileWriter(), h.printer, h.shell,
                                  h.work, h.program}};
    h.dialogs.yesNoAnswers.push_back(true);
    const std::string copy = h.docs + "/copy.exv";
    h.dialogs.saveFileAnswers.push_back(copy);
    again.Create();
    again.Show(file);
    EXPECT_EQ(ReadBytes(copy), had);
    EXPECT_EQ(ReadBytes(file), changed);
    EXPECT_FALSE(again.session().modified);
    EXPECT_FALSE(fs::exists(h.work + "/recovery.jnl"));
}

TEST(Application, ACopyNotSavedIsKeptAndOfferedAgainAfterTheNextRunsWork) {
    AppHarness h;
    const std::string file = h.CopyExample("a.exv");
    const std::string had = WorkThenEndWithoutSaving(h, file);
    ChangeBehindTheProgram(file);
    auto start = [&h, &file](bool answer) {
        auto app = std::make_unique<Application>(AppServices{
            h.dialogs, h.clock, DefaultFileWriter(), h.printer, h.shell, h.work, h.program});
        h.dialogs.yesNoAnswers.push_back(answer);
        app->Create();
        app->Show(file);
        return app;
    };
    {
        // Yes, then the save dialog cancelled; the run works on, then ends without saving.
        auto second = start(true);
        EXPECT_TRUE(fs::exists(h.work + "/recovery-1.jnl"));
        EXPECT_TRUE(second->AddBook("預金", "B銀行", Amount()));
    }
    // Both are offered: the second run's work applies to the file, the first's is a copy.
    const std::string copy = h.docs + "/copy.exv";
    h.dialogs.saveFileAnswers.push_back(copy);
    auto third = start(true);
    EXPECT_EQ(ReadBytes(copy), had);
    EXPECT_TRUE(third->session().modified);
    EXPECT_EQ(BooksOf(third->session().ledger).back().name, "B銀行");
    EXPECT_FALSE(fs::exists(h.work + "/recovery-1.jnl"));
    EXPECT_TRUE(fs::exists(h.work + "/recovery.jnl"));
}

}  // namespace
}  // namespace velmora::testing
