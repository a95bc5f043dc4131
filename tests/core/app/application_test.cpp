#include "core/app/application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/command_table.h"
#include "core/app/program_options.h"
#include "core/entry/title_changes.h"
#include "core/history/recovery_journal.h"
#include "core/ledger/ledger_file.h"
#include "core/ledger/record.h"
#include "core/platform/file_io.h"
#include "core/platform/start_files.h"
#include "core/print/recording_print_device.h"
#include "core/print/report_kind.h"
#include "core/session/apply_settings.h"
#include "core/settings/placement.h"
#include "support/scripted_dialogs.h"
#include "support/settings_windows.h"
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
    // The cash book's title list of the working folder: "登　録" takes only a listed title.
    // The folders stay private, as the program makes them.
    void ListTitles(std::string_view titles) const {
        fs::create_directories(work + "/cldata");
        for (const std::string& made : {work, work + "/cldata"})
            fs::permissions(made, fs::perms::owner_all);
        WriteCp932(work + "/cldata/kamoku1.dat", titles);
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
    h.app.files().NewCashBookLedger();
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
    h.app.search().SetDateFilter(true);  // the check box alone changes what the status shows
    EXPECT_EQ(r.events.size(), 1u);
    r.events.clear();
    h.app.search().SetDateFilter(true);
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
    h.app.reports().SummarizeByTitle();
    ASSERT_FALSE(h.app.leftPaneShown());
    Recorder r(h.app);
    h.app.AddListener(&r);
    h.app.printing().PrintLedger();
    EXPECT_EQ(h.app.printJob().state().kind, 2);
    EXPECT_EQ(h.app.mainPage(), MainPage::Preview);
    EXPECT_TRUE(h.app.leftPaneShown());
    EXPECT_FALSE(h.app.editMenuEnabled());
    ASSERT_FALSE(r.events.empty());
    EXPECT_EQ(r.events.back().rfind("state", 0), 0u);

    // Without a printer set-up window the choice counts as cancelled: the options are kept.
    h.app.printing().SetUpPrinter();
    EXPECT_TRUE(fs::exists(h.work + "/config/note1.conf"));
    h.app.ChangeRibbonPage(RibbonPage::Ledger);
    EXPECT_EQ(h.app.mainPage(), MainPage::Ledger);
}

TEST(Application, ThePreviewIsLeftForTheLedgerWhenAChangeIsMadeElsewhere) {
    AppHarness h;
    h.app.Create();
    h.app.Show(h.CopyExample("a.exv"));
    h.app.printing().PrintLedger();
    // The preview's own month change keeps it.
    h.app.printing().ChoosePreviewTab(1);
    EXPECT_EQ(h.app.view().monthPanel, "5");
    EXPECT_EQ(h.app.mainPage(), MainPage::Preview);
    // A day of the calendar, a book: the ledger page shows them.
    h.app.books().ChooseCalendarDay(Date::FromYmd(2014, 6, 3));
    EXPECT_EQ(h.app.mainPage(), MainPage::Ledger);
    EXPECT_TRUE(h.app.editMenuEnabled());
    h.app.printing().PrintLedger();
    h.app.books().SelectCashBook();
    EXPECT_EQ(h.app.mainPage(), MainPage::Ledger);

    // Months ticked for one ledger are not carried to the next.
    h.app.printing().PrintLedger();
    h.app.printing().SetMonthChecked(4, true);
    ASSERT_TRUE(h.app.files().OpenFile(h.CopyExample("b.exv")));
    EXPECT_EQ(h.app.mainPage(), MainPage::Ledger);
    h.app.printing().PrintLedger();
    std::array<bool, 12> june{};
    june[2] = true;
    EXPECT_EQ(h.app.printJob().panel().months, june);
}

TEST(Application, CloseWritesPlacementBackupListAndSummaryLayoutWhateverTheAnswer) {
    AppHarness h;
    h.app.Create();
    const std::string file = h.CopyExample("a.exv");
    h.app.Show(file);
    ASSERT_TRUE(h.app.books().AddBook("預金", "A銀行", Amount()));  // a change to ask about
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

TEST(Application, DamagedOrHugeStartFilesAreToldOnceEachAndTheStartGoesOn) {
    AppHarness h;
    h.app.Create();  // the first start fills the folder
    const std::string file = h.CopyExample("a.exv");
    const auto put = [&h](const std::string& name, const std::string& bytes) {
        WriteBytes(h.work + "/" + name, bytes);
        return h.work + "/" + name;
    };
    // One byte that is neither CP932 nor UTF-8 in a line of each file that has lines.
    const std::string placement = put("ini/velmora5.ini",
                                      "[Screen_Top]=5\r\n[Screen_Left]=6\r\n\x81\x20\r\n"
                                      "[Screen_Width]=1300\r\n[Screen_Height]=800\r\n");
    const std::string settings = put("velmora.conf", "\xff\r\n[Start_Opt_1]=1\r\n");
    const std::string backups =
        put("ini/backup.conf", "[Last_Filename]=" + file + "\r\n\xa0\xa0\r\n");
    const std::string layout = put("config/display.dat", "[Version]=1.00\r\n\x80\r\n\x80\r\n");
    // Files far larger than any real one.
    const std::string titles = h.work + "/cldata/kamoku1.dat";
    const std::string holidays = h.work + "/config/SDAYLIST.DAT";
    put("cldata/kamoku1.dat", "");
    fs::resize_file(titles, kStartFileLimit + 1);
    put("config/SDAYLIST.DAT", "");
    fs::resize_file(holidays, 100 * kStartFileLimit);

    Application again{AppServices{h.dialogs, h.clock, DefaultFileWriter(), h.printer, h.shell,
                                  h.work, h.program}};
    h.dialogs.Clear();
    EXPECT_EQ(again.Create(), (Placement{6, 5, 1300, 800}));
    again.Show();
    EXPECT_EQ(again.session().filePanel, file);
    const std::string bad = "は文字コードがCP932(Shift_JIS)でもUTF-8でもないので読み飛ばしました。";
    const std::string huge = "は大きすぎるので読み込みませんでした(1MBまで)。";
    EXPECT_EQ(h.dialogs.Infos(),
              (std::vector<std::string>{
                  "確認|" + placement + "の3行目" + bad, "確認|" + settings + "の1行目" + bad,
                  "確認|" + backups + "の2行目" + bad, "確認|" + layout + "の2行目ほか1行" + bad,
                  "確認|" + holidays + huge, "確認|" + titles + huge}));
    EXPECT_TRUE(again.entryForm().titleList.empty());
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
    EXPECT_FALSE(h.app.files().OpenFile(h.docs + "/missing.exv"));
    // Only why it did not load: no new empty ledger that asks for its periods.
    EXPECT_EQ(h.dialogs.Infos(),
              (std::vector<std::string>{"確認|" + h.docs + "/missing.exvが見つかりません。"}));
    EXPECT_TRUE(h.app.session().filePanel.empty());

    const std::string file = h.CopyExample("a.exv");
    ASSERT_TRUE(h.app.files().OpenFile(file));
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
    ASSERT_TRUE(h.app.files().OpenFile(file));
    EXPECT_FALSE(h.app.files().SaveFileAs());  // the dialog cancelled
    h.dialogs.saveFileAnswers.push_back(file);
    EXPECT_FALSE(h.app.files().MakeNextYear());
    EXPECT_EQ(h.dialogs.Infos().back(),
              "確認|" + file + "\r\n開いている帳簿ファイルには出力できません。");

    const std::string copy = h.docs + "/b.exv";
    h.dialogs.saveFileAnswers.push_back(copy);
    EXPECT_TRUE(h.app.files().SaveFileAs());
    EXPECT_EQ(h.app.session().filePanel, copy);
    EXPECT_EQ(ReadBytes(copy), ReadBytes(file));
    EXPECT_TRUE(h.app.files().SaveFile());

    // Next year's ledger: the calendar, the entry form's date and the status bar are in the
    // new year's June, not in the old year's.
    h.dialogs.saveFileAnswers.push_back(h.docs + "/2015.exv");
    EXPECT_TRUE(h.app.files().MakeNextYear());
    EXPECT_EQ(h.app.view().calendar.selected.ShortText(), "2015/06/01");
    EXPECT_EQ(h.app.view().yearPanel, "2015");
    EXPECT_EQ(h.app.ledgerView().searchRange, "2015年06月01日～2015年06月30日");
    h.app.entry().OpenForm();
    EXPECT_EQ(h.app.entryForm().yearText + "/" + h.app.entryForm().monthText, "2015/06");
}

TEST(Application, RefusedMonthTabsAndRowMovesSayNo) {
    AppHarness h;
    h.app.Create();
    ASSERT_TRUE(h.app.files().OpenFile(h.CopyExample("a.exv")));
    EXPECT_FALSE(h.app.books().ChooseMonthTab(0));  // "ALL" without an account search
    EXPECT_EQ(h.dialogs.Infos().back(), "確認|全月表示は科目検索時のみ使用できます。");
    EXPECT_TRUE(h.app.books().ChooseMonthTab(1));
    EXPECT_EQ(h.app.session().currentMonth, 4);
    EXPECT_FALSE(h.app.books().MoveRowDown(0));  // the opening carry
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
        EntryController& entry = app_.entry();
        entry.ShowDate(Date::FromYmd(2014, 6, 3));
        entry.TypeTitle("通信費");
        entry.TakeTyped("切手", Amount(), Amount::FromYen(84));
        result = entry.Register();
    }
    RegisterResult result;

private:
    Application& app_;
};

TEST(Application, TheEntryFormRegistersAndTheViewShowsTheRecordWhenTold) {
    AppHarness h;
    h.ListTitles("通信費\n");
    h.app.Create();
    ASSERT_TRUE(h.app.files().OpenFile(h.CopyExample("a.exv")));
    EntryWindows windows(h.app);
    h.app.SetWindows(&windows);
    Recorder r(h.app);
    h.app.AddListener(&r);
    h.app.entry().OpenForm();
    h.app.SetWindows(nullptr);

    ASSERT_TRUE(windows.result.stored);
    EXPECT_EQ(h.app.files().RecordLines()[static_cast<std::size_t>(windows.result.line)],
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
            EntryController& entry = app_.entry();
            entry.ShowDate(Date::FromYmd(2014, 6, 3));
            entry.TypeTitle("通信費");
            entry.TakeTyped(description, Amount(), Amount::FromYen(84));
            entry.Register();
        }
    }

private:
    Application& app_;
};

TEST(Application, UndoTakesBackEachEntryAndReachesTheSavedBytesAgain) {
    AppHarness h;
    h.ListTitles("通信費\n");
    h.app.Create();
    const std::string file = h.CopyExample("a.exv");
    ASSERT_TRUE(h.app.files().OpenFile(file));
    ASSERT_TRUE(h.app.files().SaveFile());
    const std::string saved = ReadBytes(file);
    EXPECT_EQ(h.app.history().UndoText(), "元に戻す");
    TwoEntriesWindows windows(h.app);
    h.app.SetWindows(&windows);
    h.app.entry().OpenForm();
    h.app.SetWindows(nullptr);
    EXPECT_EQ(h.app.history().UndoText(), "元に戻す: 登録 2014/06/03 通信費");

    h.app.entry().Undo();
    EXPECT_TRUE(h.app.session().modified);
    EXPECT_EQ(h.app.ledgerView().rows.size(), 4u);  // the first record stays
    h.app.entry().Undo();
    EXPECT_FALSE(h.app.session().modified);
    EXPECT_EQ(h.app.ledgerView().rows.size(), 3u);
    h.app.entry().Redo();
    EXPECT_TRUE(h.app.session().modified);
    h.app.entry().Undo();
    ASSERT_TRUE(h.app.files().SaveFile());
    EXPECT_EQ(ReadBytes(file), saved);

    // A new ledger file forgets what could be taken back.
    h.app.entry().Redo();
    ASSERT_TRUE(h.app.files().OpenFile(h.CopyExample("b.exv")));
    EXPECT_FALSE(h.app.history().CanUndo());
    EXPECT_FALSE(h.app.history().CanRedo());
}

TEST(Application, TheSummaryBookAndItsDrillDownAreToldAsTheSummary) {
    AppHarness h;
    h.app.Create();
    ASSERT_TRUE(h.app.files().OpenFile(h.CopyExample("a.exv")));
    h.app.reports().ShowSummaryPage();
    Recorder r(h.app);
    h.app.AddListener(&r);
    h.app.reports().ChooseBook(1);  // the cash book
    EXPECT_EQ(h.app.summary().selector().itemIndex, 1);
    h.app.reports().DrillIntoTitle("交通費");
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
    // One key, one command: the commands', the submenus' and the window's own keys.
    std::set<std::string_view> keys = {kRedoSecondKey, kRibbonFocusKey};
    for (const CommandInfo& c : MainCommands())
        if (!c.key.empty()) {
            EXPECT_TRUE(keys.insert(c.key).second) << c.key << " " << c.name;
        }
    for (const MenuInfo& m : MainMenus())
        for (const MenuEntry& e : m.entries)
            if (!e.submenuKey.empty()) {
                EXPECT_TRUE(keys.insert(e.submenuKey).second) << e.submenuKey;
            }
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
    std::optional<int> SelectedGridRow() const override { return 3; }
    void KeyboardBackToLedger(std::optional<int> row) override {
        Note("ledger " + std::to_string(row.value_or(0)));
    }
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
    void RunSettings(Session&, FiscalSettingsForm&) override { Note("settings"); }
    void RunCsvOptions(Session&) override { Note("csv options"); }
    void RunStatementImport() override { Note("statement import"); }
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
        {"datainput", "entry form;ledger 0;"},
        {"dataedit", "entry form;ledger 3;"},
        {"moveTop", "row 1;"},
        {"searchKamoku", "choose title;"},
        {"searchPreview", "info"},
        {"datesearch", "date search;"},
        {"masterKamoku", "edit titles;"},
        {"fileopen", "open"},
        {"fileAsSave", "saveas"},
        {"csvfileOut", "csv options;"},
        {"importStatement", "statement import;"},
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

namespace {

// A caption as the manual writes it: without its access key "(&F)" or "&".
std::string ManualCaption(std::string_view caption) {
    std::string text(caption);
    if (const auto open = text.find("(&"); open != std::string::npos) text.erase(open, 4);
    std::erase(text, '&');
    return text;
}

}  // namespace

TEST(CommandTable, EveryMenuCommandIsInTheShippedManual) {
    const std::string manual =
        ReadFileBytes(std::string(VELMORA_DATA_DIR) + "/help/velmora/index.html");
    std::vector<std::string_view> commands;
    for (const MenuInfo& m : MainMenus()) {
        EXPECT_NE(manual.find(ManualCaption(m.caption)), std::string::npos) << m.caption;
        for (const MenuEntry& e : m.entries) {
            if (e.command == "-") continue;
            if (e.command.empty()) {
                commands.insert(commands.end(), e.submenu.begin(), e.submenu.end());
                EXPECT_NE(manual.find(ManualCaption(e.submenuCaption)), std::string::npos)
                    << e.submenuCaption;
            } else {
                commands.push_back(e.command);
            }
        }
    }
    for (std::string_view name : commands) {
        const CommandInfo* c = FindCommand(name);
        ASSERT_NE(c, nullptr) << name;
        if (c->caption == kEmptyBackupCaption) continue;  // the backup entries' dates
        EXPECT_NE(manual.find(ManualCaption(c->caption)), std::string::npos) << c->caption;
    }
}

TEST(ProgramOptions, FileTodayScreenshotAndTheirErrors) {
    auto ok = ParseProgramOptions({"--today", "2024/05/10", "--screenshot", "o.png", "a.exv"});
    EXPECT_TRUE(ok.error.empty());
    EXPECT_EQ(ok.options.today, Date::FromYmd(2024, 5, 10));
    EXPECT_EQ(ok.options.screenshot, "o.png");
    EXPECT_EQ(ok.options.file, "a.exv");
    EXPECT_EQ(ok.options.page, "ledger");
    EXPECT_EQ(ParseProgramOptions({"--page", "graph"}).options.page, "graph");
    EXPECT_EQ(ParseProgramOptions({"--page", "menu"}).error,
              "--page は ledger, summary, graph, preview のいずれかです");
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
    // The default placement is smaller than the minimum: the minimum wins; the title bar
    // above the window's inside comes down onto the screen.
    EXPECT_EQ(FitOnScreens({10, 10, 938, 708}, screens, 1279, 749), (Placement{10, 24, 1279, 749}));
    // On the second screen it stays, moved left as far as its right edge needs.
    EXPECT_EQ(FitOnScreens({2000, 50, 1279, 749}, screens, 1279, 749),
              (Placement{1921, 50, 1279, 749}));
    EXPECT_EQ(FitOnScreens({1930, 50, 1000, 749}, screens, 1000, 749),
              (Placement{1930, 50, 1000, 749}));
    // That screen removed: centred on the primary one.
    EXPECT_EQ(FitOnScreens({2000, 50, 1279, 749}, {screens[0]}, 1279, 749),
              (Placement{320, 165, 1279, 749}));
    // Its title bar above the top edge is out of reach too.
    EXPECT_EQ(FitOnScreens({100, -40, 1300, 800}, {screens[0]}, 1279, 749),
              (Placement{310, 140, 1300, 800}));
    // On a 1280x720 screen: shrunk to the screen, frame included, title bar, status bar
    // and right edge on it; never below the minimum.
    EXPECT_EQ(FitOnScreens({10, 10, 938, 708}, {{0, 0, 1280, 720}}, 1024, 600),
              (Placement{10, 24, 1024, 690}));
    EXPECT_EQ(FitOnScreens({0, 30, 1600, 900}, {{0, 0, 800, 500}}, 1024, 600),
              (Placement{0, 24, 1024, 600}));
    // The main window's default placement: the design size, as wide as a 1280 screen.
    EXPECT_EQ(PlaceMainWindow({10, 10, 938, 708}, {{0, 0, 1280, 720}}),
              (Placement{1, 24, 1279, 690}));
    EXPECT_EQ(PlaceMainWindow({10, 10, 938, 708}, screens), (Placement{10, 24, 1279, 749}));
    // Sizes and places beyond any screen, in 64-bit arithmetic: no larger than the screen,
    // frame included, title bar on it, never below the minimum, on the screen it lay on.
    constexpr int kMax = 2147483647;
    EXPECT_EQ(FitOnScreens({kMax, kMax, kMax, kMax}, screens, 1279, 749),
              (Placement{0, 15, 1920, 1050}));
    EXPECT_EQ(FitOnScreens({10, 10, kMax, kMax}, screens, 1279, 749),
              (Placement{0, 24, 1920, 1050}));
    EXPECT_EQ(FitOnScreens({2000, 50, 5000, 900}, screens, 1279, 749),
              (Placement{1920, 50, 1280, 900}));
    EXPECT_EQ(FitOnScreens({-kMax - 1, 10, kMax, 800}, screens, 1279, 749),
              (Placement{0, 140, 1920, 800}));
    EXPECT_EQ(FitOnScreens({5, 5, 1300, 800}, {{0, 0, 1024, 600}}, 1279, 749),
              (Placement{0, 24, 1279, 749}));
}

TEST(Application, TheCalendarStepsShowsTodayAndTogglesHolidaysWithShift) {
    AppHarness h;
    h.app.Create();
    ASSERT_TRUE(h.app.files().OpenFile(h.CopyExample("a.exv")));
    ASSERT_TRUE(h.app.books().ChooseMonthTab(1));  // April
    Recorder r(h.app);
    h.app.AddListener(&r);
    h.app.books().StepCalendar(+1);
    // Only the calendar moves: the ledger view stays on April and is not rebuilt.
    EXPECT_EQ(h.app.view().calendar.drawn, Date::FromYmd(2014, 5, 1));
    EXPECT_EQ(h.app.session().currentMonth, 4);
    EXPECT_EQ(r.events,
              (std::vector<std::string>{"state " + h.app.session().filePanel + " rows=5"}));
    r.events.clear();
    h.app.books().CalendarToday();
    EXPECT_EQ(h.app.view().calendar.selected, Date::FromYmd(2014, 6, 10));
    EXPECT_EQ(h.app.session().currentMonth, 6);
    ASSERT_FALSE(r.events.empty());
    EXPECT_EQ(r.events.front().rfind("view ", 0), 0u);

    // Shift+click: the question, the file, then the day chosen as by a plain click.
    h.dialogs.Clear();
    h.dialogs.yesNoAnswers = {true};
    h.app.books().ToggleHolidayAndChooseDay(Date::FromYmd(2014, 5, 3));
    EXPECT_EQ(h.dialogs.Log(),
              (std::vector<std::string>{
                  "yesno:現金出納帳5-Velmora Version5|5月3日を休日として再設定しますか？"}));
    EXPECT_EQ(ReadBytes(h.work + "/config/SDAYLIST.DAT"), "05,03,\r\n");
    EXPECT_TRUE(h.app.holidays().Contains(5, 3));
    EXPECT_EQ(h.app.view().calendar.selected, Date::FromYmd(2014, 5, 3));
    EXPECT_EQ(h.app.session().currentMonth, 5);
    h.dialogs.yesNoAnswers = {false};
    h.app.books().ToggleHolidayAndChooseDay(
        Date::FromYmd(2015, 5, 3));  // after the year: pulled back
    EXPECT_EQ(h.dialogs.Log().at(1),
              "yesno:現金出納帳5-Velmora Version5|5月3日を平日として再設定しますか？");
    EXPECT_TRUE(h.app.holidays().Contains(5, 3));
    EXPECT_EQ(h.app.view().calendar.selected, Date::FromYmd(2015, 3, 31));
}

TEST(Application, ANationalHolidayStaysRedWhenTheUsersMarkOnItGoes) {
    AppHarness h;
    h.app.Create();
    ASSERT_TRUE(h.app.files().OpenFile(h.CopyExample("a.exv")));
    // 29 April 2014, 昭和の日, is panel 30 of April (1 April was a Tuesday).
    const Date showa = Date::FromYmd(2014, 4, 29);
    auto panel = [&h, showa] { return h.app.CalendarOf(showa).panels[30]; };
    EXPECT_EQ(panel().text, kHolidayText);
    EXPECT_EQ(panel().holidayName, "昭和の日");

    // Shift+click marks and unmarks the user's own day only.
    h.dialogs.yesNoAnswers = {true, true};
    h.app.books().ToggleHolidayAndChooseDay(showa);
    EXPECT_EQ(ReadBytes(h.work + "/config/SDAYLIST.DAT"), "04,29,\r\n");
    h.app.books().ToggleHolidayAndChooseDay(showa);
    EXPECT_EQ(h.dialogs.Log().back(),
              "yesno:現金出納帳5-Velmora Version5|4月29日を平日として再設定しますか？");
    EXPECT_EQ(ReadBytes(h.work + "/config/SDAYLIST.DAT"), "");
    EXPECT_EQ(panel().text, kHolidayText);
    EXPECT_EQ(panel().holidayName, "昭和の日");

    // Drawn as the selected day, which is red only as a holiday.
    ChangeSettings(h.app, [](Settings& options) { options.showNationalHolidays = false; });
    EXPECT_EQ(panel().text, kSelectedText);
    EXPECT_EQ(panel().holidayName, "");
}

// The statement import dialog as a user finishes it: the plan of its rows imported.
class ImportWindows final : public AppWindows {
public:
    ImportWindows(Application& app, ImportPlan plan) : app_(app), plan_(std::move(plan)) {}
    void RunStatementImport() override { result = app_.entry().ImportStatementRows(plan_); }
    ImportResult result;

private:
    Application& app_;
    ImportPlan plan_;
};

TEST(Application, AStatementImportIsOneCommandThatOneUndoTakesBackAndTheJournalKeeps) {
    AppHarness h;
    h.app.Create();
    const std::string file = h.CopyExample("a.exv");
    h.app.Show(file);
    ImportChoices choices;
    choices.book = h.app.session().ledger.CashBook();
    choices.columns = {1, 2, AmountColumns::Signed, 0, 0, 3, 0, 0};
    choices.title = "雑収入";
    const std::vector<StatementRow> rows = {
        {"2014/04/02", "ﾘｿｸ", "12"}, {"2014/05/02", "ﾘｿｸ", "34"}, {"2015/04/02", "ﾘｿｸ", "56"}};
    ImportWindows windows(h.app, PlanImport(h.app.session().ledger, rows, choices, {}));
    h.app.SetWindows(&windows);
    Recorder r(h.app);
    h.app.AddListener(&r);
    h.dialogs.Clear();
    h.app.entry().ImportStatement();
    EXPECT_EQ(windows.result.added.size(), 2u);
    EXPECT_EQ(h.dialogs.Infos(),
              (std::vector<std::string>{"確認|2件を取り込みました。\r\n"
                                        "取り込まなかった行: 1件（年度外1件）"}));
    // Listeners hear of it once the dialog has closed, and the month of the last row shows.
    ASSERT_FALSE(r.events.empty());
    EXPECT_EQ(r.events.front(), "view " + file + " rows=4 *");
    EXPECT_EQ(h.app.history().UndoText(), "元に戻す: 取込 現金出納帳 2件");
    const std::string imported = EncodeTextLines(LedgerFileLines(h.app.session().ledger));

    // The journal of unsaved work holds the import.
    auto work = RecoveryJournal::Read(RecoveryJournal::PathIn(h.work), h.clock.Today());
    ASSERT_TRUE(work);
    EXPECT_EQ(work->ledger.transactions.Items(), h.app.session().ledger.transactions.Items());

    h.app.entry().Undo();
    EXPECT_EQ(h.app.session().ledger.transactions.Count(), 2);
    EXPECT_FALSE(h.app.session().modified);
    h.app.entry().Redo();
    EXPECT_EQ(EncodeTextLines(LedgerFileLines(h.app.session().ledger)), imported);
    h.app.SetWindows(nullptr);
}

TEST(Application, CommandsOfTheGreyedEditMenuAreDisabledWhateverReachesThem) {
    AppHarness h;
    h.app.Create();
    ASSERT_TRUE(h.app.files().OpenFile(h.CopyExample("a.exv")));
    auto enabled = [&h] {
        std::string line;
        for (const char* c :
             {"datainput", "dataedit", "searchKamoku", "cancelKamoku", "masterKamoku",
              "monthlyList", "undo", "filesave", "configExec", "back_1"})
            line += std::string(c) + "=" + (h.app.CommandEnabled(c) ? "1 " : "0 ");
        return line;
    };
    const std::string onLedger =
        "datainput=1 dataedit=1 searchKamoku=1 cancelKamoku=1 masterKamoku=1 monthlyList=1 "
        "undo=0 filesave=1 configExec=1 back_1=0 ";
    EXPECT_EQ(enabled(), onLedger);
    h.app.ChangeRibbonPage(RibbonPage::Summary);
    EXPECT_EQ(enabled(),
              "datainput=0 dataedit=0 searchKamoku=0 cancelKamoku=0 masterKamoku=0 monthlyList=0 "
              "undo=0 filesave=1 configExec=1 back_1=0 ");
    h.app.ChangeRibbonPage(RibbonPage::Ledger);
    EXPECT_EQ(enabled(), onLedger);
    h.app.printing().PrintLedger();  // the preview
    EXPECT_FALSE(h.app.CommandEnabled("datainput"));
    h.app.ChangeRibbonPage(RibbonPage::Ledger);
    EXPECT_TRUE(h.app.books().AddBook("預金", "A銀行", Amount()));
    EXPECT_TRUE(h.app.files().SaveFile());
    EXPECT_EQ(enabled(),
              "datainput=1 dataedit=1 searchKamoku=1 cancelKamoku=1 masterKamoku=1 monthlyList=1 "
              "undo=1 filesave=1 configExec=1 back_1=1 ");
}

// "科目設定" as a user works in it: a scripted step per opening on the dialog's master.
class TitleMasterWindows final : public AppWindows {
public:
    explicit TitleMasterWindows(Application& app) : app_(app) {}
    void EditTitles() override {
        TitleMaster master =
            OpenTitleMaster(app_.session(), TitleMasterMode::Edit, app_.session().dialogs());
        steps.front()(master);
        steps.pop_front();
        app_.books().UpdateTitles(master);
    }
    std::deque<std::function<void(TitleMaster&)>> steps;

private:
    Application& app_;
};

TEST(Application, TitlesTakeTheirDescriptionsAlongAndRenamedTitlesTheirRecords) {
    AppHarness h;
    h.app.Create();
    const std::string file = h.docs + "/allowance.exv";
    fs::copy_file(FixturePath("ledger/allowance2014.exv"), file);
    ASSERT_TRUE(h.app.files().OpenFile(file));
    const std::string cldata = h.work + "/cldata/";
    WriteCp932(cldata + "kamoku2.dat", "おこづかい\n食費\n書籍\n");
    WriteCp932(cldata + "tekiyb2.dat", "パン\n米\n");
    WriteCp932(cldata + "tekiyb3.dat", "文庫本\n");
    const std::string food = ReadBytes(cldata + "tekiyb2.dat");
    const std::string books = ReadBytes(cldata + "tekiyb3.dat");
    h.app.search().FilterByTitle("食費");
    h.app.search().FilterByTitle("");  // a blank line of the list finds nothing: the filter stays
    EXPECT_EQ(h.app.session().accountFilter, "食費");
    const std::string before = EncodeTextLines(LedgerFileLines(h.app.session().ledger));

    TitleMasterWindows windows(h.app);
    h.app.SetWindows(&windows);
    windows.steps.push_back([](TitleMaster& master) {
        master.Select(CellOfSlot(3));
        ASSERT_TRUE(master.MoveUp());               // 書籍 before 食費
        ASSERT_TRUE(master.SetTitle(3, "食料品"));  // and 食費 renamed
    });
    h.dialogs.Clear();
    h.app.books().EditTitles();
    const std::string question = "yesno:現金出納帳5-Velmora Version5|";
    EXPECT_EQ(
        h.dialogs.Log(),
        (std::vector<std::string>{
            question + "「食費」を「食料品」に変更しました。\r\n「食費」の 3 件のデータの科目も"
                       "「食料品」に変更しますか？",
            "info:確認|科目設定を更新しました。\r\n3 "
            "件のデータの科目を「食料品」に変更しました。"}));
    std::vector<std::string> titles(60);
    titles[0] = "おこづかい";
    titles[1] = "書籍";
    titles[2] = "食料品";
    EXPECT_EQ(ReadTitleFile(cldata + "kamoku2.dat"), titles);
    EXPECT_EQ(h.app.entryForm().titleList, titles);
    EXPECT_EQ(ReadBytes(cldata + "tekiyb2.dat"), books);
    EXPECT_EQ(ReadBytes(cldata + "tekiyb3.dat"), food);
    EXPECT_EQ(CountRecordsTitled(h.app.session().ledger, "食料品"), 3);
    EXPECT_EQ(CountRecordsTitled(h.app.session().ledger, "食費"), 0);
    EXPECT_EQ(h.app.session().accountFilter, "食料品");
    EXPECT_TRUE(h.app.session().modified);

    // The records' new name is one step to take back.
    EXPECT_EQ(h.app.history().UndoText(), "元に戻す: 科目設定");
    h.app.entry().Undo();
    EXPECT_EQ(EncodeTextLines(LedgerFileLines(h.app.session().ledger)), before);

    // Deleting a title the records carry says how many; its descriptions go with it.
    windows.steps.push_back([](TitleMaster& master) {
        master.Select(CellOfSlot(2));
        ASSERT_TRUE(master.Delete());
    });
    h.dialogs.Clear();
    h.app.books().EditTitles();
    EXPECT_EQ(h.dialogs.Log(),
              (std::vector<std::string>{
                  question + "「書籍」は 2 件のデータで使われています。\r\n削除すると科目の一覧から"
                             "選べなくなります。削除していいですか？",
                  "info:確認|科目設定を更新しました。"}));
    titles[1].clear();
    EXPECT_EQ(ReadTitleFile(cldata + "kamoku2.dat"), titles);
    EXPECT_FALSE(fs::exists(cldata + "tekiyb2.dat"));
    EXPECT_EQ(ReadBytes(cldata + "tekiyb3.dat"), food);
}

// The settings dialog applied with its values as they open, or closed unapplied.
class SettingsWindows final : public AppWindows {
public:
    explicit SettingsWindows(Application& app) : app_(app) {}
    void RunSettings(Session& session, FiscalSettingsForm& form) override {
        if (apply) ApplySettingsForm(session, form);
    }
    bool apply = true;

private:
    Application& app_;
};

TEST(Application, CalendarTabsAndStatusBarFollowTheSettingsAndTheLedgerOpened) {
    AppHarness h;
    h.app.Create();
    ASSERT_TRUE(h.app.files().OpenFile(h.CopyExample("a.exv")));
    ASSERT_TRUE(h.app.books().ChooseMonthTab(1));  // April
    SettingsWindows windows(h.app);
    h.app.SetWindows(&windows);
    auto shown = [&h] {
        const Application& a = h.app;
        return a.view().calendar.selected.ShortText() + " " + a.session().monthPanel + " " +
               a.view().yearPanel + "/" + a.view().monthPanel + " " +
               std::to_string(a.ledgerView().ledgerTab) + " " + a.ledgerView().searchRange;
    };
    EXPECT_EQ(shown(), "2014/04/01 4 2014/4 1 2014年04月01日～2014年04月30日");
    // Applied, the settings bring back today's month (June): the calendar and the panels
    // with it. Closed without applying (Esc), they leave the month shown (May) as it was.
    h.app.books().EditSettings();
    EXPECT_EQ(shown(), "2014/06/01 6 2014/6 3 2014年06月01日～2014年06月30日");
    ASSERT_TRUE(h.app.books().ChooseMonthTab(2));
    windows.apply = false;
    h.app.books().EditSettings();
    EXPECT_EQ(shown(), "2014/05/01 5 2014/5 2 2014年05月01日～2014年05月31日");

    // A ledger of another year: the calendar leaves 2014, with the date filter on too.
    std::string text = ReadBytes(FixturePath("ledger/example2014.exv"));
    for (std::size_t at = text.find("201"); at != std::string::npos; at = text.find("201", at))
        text.replace(at, 4, text[at + 3] == '4' ? "2024" : "2025");
    WriteBytes(h.docs + "/b.exv", text);
    h.app.search().SetDateFilter(true);
    h.dialogs.openAnswers.push_back(h.docs + "/b.exv");
    h.app.files().Open();
    ASSERT_EQ(h.app.session().currentFile, h.docs + "/b.exv");
    EXPECT_EQ(shown(), "2024/06/01 6 2024/6 3 2024年06月01日(土)");
    h.app.search().SetDateFilter(false);
    h.dialogs.saveAnswers.push_back(SaveAnswer::No);
    h.app.files().NewAllowanceBookLedger();
    EXPECT_EQ(shown(), "2014/06/01 6 2014/6 6 2014年06月01日～2014年06月30日");
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
    ASSERT_TRUE(h.app.files().OpenFile(h.CopyExample("a.exv")));
    Recorder r(h.app);
    BookListWindows windows;
    windows.steps.push_back([&] {
        EXPECT_TRUE(h.app.books().AddBook("預金", "A銀行", Amount::FromYen(20000)));
        EXPECT_FALSE(h.app.books().AddBook("預金", "A銀行", Amount()));
        EXPECT_TRUE(r.events.empty());  // the dialog is still open
        return std::optional<int>(0);   // the row just added
    });
    windows.steps.push_back([&] {
        EXPECT_TRUE(h.app.books().RenameBook("小口", 0, "本社", Amount::FromYen(4000)));
        return std::optional<int>();  // キャンセル
    });
    windows.steps.push_back([&] {
        h.dialogs.yesNoAnswers = {true};
        EXPECT_TRUE(h.app.books().DeleteBook("小口", 0));
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

    h.app.books().ChooseBankBook();
    EXPECT_EQ(h.app.session().currentBook, (BookId{"預金", "A銀行"}));
    EXPECT_EQ(balances(), (std::vector<std::string>{"現金;現金出納帳;6,780;", "小口;本店;8,000;",
                                                    "預金;A銀行;20,000;"}));
    EXPECT_EQ(std::count_if(r.events.begin(), r.events.end(),
                            [](const std::string& e) { return e.rfind("view ", 0) == 0; }),
              1);
    h.app.books().SelectCashBook();
    h.app.books().ChoosePettyCashBook();
    EXPECT_EQ(h.app.session().currentBook, (BookId{"現金", "現金出納帳"}));
    EXPECT_EQ(h.app.files().RecordLines()[1],
              "d04=,2014/04/03,1,小口現金,小口へ補充,0,3000,6780,現金,現金出納帳,小口,本社,");
    EXPECT_EQ(balances(), (std::vector<std::string>{"現金;現金出納帳;6,780;", "小口;本社;7,000;",
                                                    "預金;A銀行;20,000;"}));
    // Deleting the petty-cash book takes the transfer to it out of the cash book too.
    h.app.books().ChoosePettyCashBook();
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
    ASSERT_TRUE(h.app.files().OpenFile(h.CopyExample("a.exv")));
    TitleWindows windows;
    windows.answers = {std::string("交通費"), std::nullopt};
    h.app.SetWindows(&windows);
    h.app.search().SetDateFilter(true);
    h.app.search().SearchByTitle();
    EXPECT_EQ(h.app.session().accountFilter, "交通費");
    EXPECT_TRUE(h.app.view().dateFilter);
    h.app.search().SearchByTitle();
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
    h.ListTitles("通信費\n");
    h.app.Create();
    h.app.Show(file);
    TwoEntriesWindows windows(h.app);
    h.app.SetWindows(&windows);
    h.app.entry().OpenForm();
    h.app.SetWindows(nullptr);
    h.app.entry().Undo();
    h.app.entry().Redo();
    h.app.entry().Undo();
    EXPECT_TRUE(h.app.books().AddBook("預金", "A銀行", Amount::FromYen(20000)));
    EXPECT_TRUE(fs::exists(h.work + "/recovery.jnl"));
    h.app.files().RecordLines();  // field 7 as a save writes it
    return EncodeTextLines(LedgerFileLines(h.app.session().ledger));
}

// The entry form left open with "連続入力" on: every registration, edit and deletion in it
// is in the journal as soon as it ends, so that a program killed with the form still open
// gives them back.
class JournalledEntryWindows final : public AppWindows {
public:
    JournalledEntryWindows(Application& app, std::string journal)
        : app_(app), journal_(std::move(journal)) {}
    void RunEntryForm() override {
        EntryController& entry = app_.entry();
        const EntryForm& form = app_.entryForm();
        if (form.mode == EntryMode::Edit) {
            if (form.description == "切手") {
                entry.TakeTyped("速達", form.income, form.expense);
                app_.entry().Register();
            } else {
                app_.entry().Delete();
            }
            Note();
            return;
        }
        entry.SetContinuous(true);
        for (const char* description : {"切手", "はがき", "封筒"}) {
            entry.ShowDate(Date::FromYmd(2014, 6, 3));
            entry.TypeTitle("通信費");
            entry.TakeTyped(description, form.income, Amount::FromYen(84));
            app_.entry().Register();
            Note();
        }
    }
    // The descriptions of the June records the journal gives back, after each change.
    std::vector<std::string> seen;

private:
    void Note() {
        std::string descriptions;
        if (auto work = RecoveryJournal::Read(journal_, Date::FromYmd(2014, 6, 10)))
            for (const std::string& line : work->ledger.transactions.Items())
                if (RecordSplit r(line); r[1].starts_with("2014/06"))
                    descriptions += std::string(r[4]) + " ";
        seen.push_back(descriptions);
    }
    Application& app_;
    std::string journal_;
};

TEST(Application, EachChangeInTheOpenEntryFormIsJournalledAsItEnds) {
    AppHarness h;
    h.ListTitles("通信費\n");
    h.app.Create();
    h.app.Show(h.CopyExample("a.exv"));
    JournalledEntryWindows windows(h.app, RecoveryJournal::PathIn(h.work));
    h.app.SetWindows(&windows);
    h.app.entry().OpenForm();
    const auto juneRecord = [&h](const std::string& description) -> std::optional<int> {
        const auto& lines = h.app.session().ledger.transactions.Items();
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].find("," + description + ",") != std::string::npos)
                return static_cast<int>(i);
        return std::nullopt;
    };
    h.app.entry().EditSelectedRecord(juneRecord("切手"));
    h.app.entry().EditSelectedRecord(juneRecord("はがき"));
    h.app.SetWindows(nullptr);
    EXPECT_EQ(windows.seen, (std::vector<std::string>{"切手 ", "切手 はがき ", "切手 はがき 封筒 ",
                                                      "速達 はがき 封筒 ", "速達 封筒 "}));
}

// The disk writer, except that the recovery journal finds the disk full while full is set.
class FillingDiskWriter final : public FileWriter {
public:
    void WriteAtomic(const std::string& path, std::string_view bytes) override {
        if (full && path.ends_with(kRecoveryJournalName))
            throw FileError("ディスクがいっぱいです: " + path);
        disk_.WriteAtomic(path, bytes);
    }
    void Remove(const std::string& path) override { disk_.Remove(path); }
    bool full = false;

private:
    DiskFileWriter disk_;
};

TEST(Application, AJournalThatCannotBeWrittenIsToldOnceAndResumesByItself) {
    AppHarness h;
    FillingDiskWriter writer;
    Application app{AppServices{h.dialogs, h.clock, writer, h.printer, h.shell, h.work, h.program}};
    app.Create();
    app.Show(h.CopyExample("a.exv"));
    const std::string journal = RecoveryJournal::PathIn(h.work);
    writer.full = true;
    h.dialogs.Clear();
    EXPECT_TRUE(app.books().AddBook("預金", "A銀行", Amount()));
    EXPECT_TRUE(app.journalFailing());
    EXPECT_EQ(h.dialogs.Infos(),
              (std::vector<std::string>{
                  "確認|復元用の記録を保存できません。\r\nディスクがいっぱいです: " + journal +
                  "\r\n" + kJournalFailingAdvice}));
    // Told once while it lasts.
    EXPECT_TRUE(app.books().AddBook("預金", "B銀行", Amount()));
    EXPECT_EQ(h.dialogs.Infos().size(), 1u);
    EXPECT_TRUE(app.journalFailing());

    // The disk has room again: the next command's end writes the whole work.
    writer.full = false;
    EXPECT_TRUE(app.books().AddBook("預金", "C銀行", Amount()));
    EXPECT_FALSE(app.journalFailing());
    EXPECT_EQ(h.dialogs.Infos().size(), 1u);
    const std::optional<RecoveredWork> work = RecoveryJournal::Read(journal, h.clock.Today());
    ASSERT_TRUE(work);
    EXPECT_EQ(BooksOf(work->ledger), BooksOf(app.session().ledger));
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
    ASSERT_TRUE(again.files().SaveFile());
    EXPECT_EQ(ReadBytes(file), had);
    EXPECT_FALSE(fs::exists(first.work + "/recovery.jnl"));

    // A change after that and a clean close: nothing is offered at the next start.
    EXPECT_TRUE(again.books().AddBook("預金", "B銀行", Amount()));
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
    // Proposed beside the file, under a name of its own.
    ASSERT_EQ(h.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(h.dialogs.fileRequests[0].initialFolder, h.docs);
    EXPECT_EQ(h.dialogs.fileRequests[0].fileName, "a(復元).exv");
    EXPECT_EQ(ReadBytes(copy), had);
    EXPECT_EQ(ReadBytes(file), changed);
    EXPECT_FALSE(again.session().modified);
    EXPECT_EQ(again.session().filePanel, copy);
    EXPECT_FALSE(fs::exists(h.work + "/recovery.jnl"));
}

// Regression: the work of ledger a, found at a start that opened the last ledger used (b),
// was offered for saving as b, and b stayed shown after the save.
TEST(Application, WorkOfAnotherLedgerIsProposedUnderItsOwnNameAndShownWhenSaved) {
    AppHarness h;
    const std::string file = h.CopyExample("a.exv");
    const std::string other = h.CopyExample("b.exv");
    const std::string had = WorkThenEndWithoutSaving(h, file);

    Application again{AppServices{h.dialogs, h.clock, DefaultFileWriter(), h.printer, h.shell,
                                  h.work, h.program}};
    h.dialogs.yesNoAnswers.push_back(true);
    h.dialogs.saveFileAnswers.push_back(file);
    again.Create();
    again.Show(other);
    ASSERT_EQ(h.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(h.dialogs.fileRequests[0].initialFolder, h.docs);
    EXPECT_EQ(h.dialogs.fileRequests[0].fileName, "a.exv");
    EXPECT_EQ(ReadBytes(file), had);
    EXPECT_EQ(again.session().filePanel, file);
    EXPECT_FALSE(again.session().modified);
    EXPECT_EQ(BooksOf(again.session().ledger).back().name, "A銀行");
}

TEST(Application, ARecoveredCopyHoldsTheBalancesASaveOfTheWorkWrites) {
    AppHarness h;
    const std::string file = h.CopyExample("a.exv");
    h.ListTitles("通信費\n");
    h.app.Create();
    h.app.Show(file);
    TwoEntriesWindows windows(h.app);
    h.app.SetWindows(&windows);
    h.app.entry().OpenForm();  // the journal begins with the whole ledger
    h.app.entry().OpenForm();  // and goes on with the lines changed: records before later ones
    h.app.SetWindows(nullptr);
    h.app.files().RecordLines();  // field 7 as a save writes it
    const std::string saved = EncodeTextLines(LedgerFileLines(h.app.session().ledger));
    ChangeBehindTheProgram(file);

    Application again{AppServices{h.dialogs, h.clock, DefaultFileWriter(), h.printer, h.shell,
                                  h.work, h.program}};
    h.dialogs.yesNoAnswers.push_back(true);
    const std::string copy = h.docs + "/copy.exv";
    h.dialogs.saveFileAnswers.push_back(copy);
    again.Create();
    again.Show(file);
    EXPECT_EQ(ReadBytes(copy), saved);
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
        EXPECT_TRUE(second->books().AddBook("預金", "B銀行", Amount()));
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

// The window's "保　存" on a file another program changed: No to overwriting it, then
// "読み直す", and the window shows the file as the other program left it.
TEST(Application, TheSaveCommandReadsAChangedFileAgainWhenAskedAndShowsIt) {
    AppHarness h;
    const std::string file = h.CopyExample("a.exv");
    h.app.Create();
    h.app.Show(file);
    ASSERT_TRUE(h.app.books().AddBook("預金", "A銀行", Amount()));
    EXPECT_EQ(h.app.ledgerView().rows.front().Balance(), "6,780");
    std::string theirs = ReadBytes(file);
    theirs.replace(theirs.find("g,10000,"), 8, "g,777,");
    WriteBytes(file, theirs);
    h.dialogs.yesNoAnswers.push_back(false);
    h.dialogs.saveAnswers.push_back(SaveAnswer::No);
    h.app.files().Save();
    EXPECT_EQ(ReadBytes(file), theirs);
    EXPECT_FALSE(h.app.session().modified);
    EXPECT_EQ(BooksOf(h.app.session().ledger).size(), 2u);  // the cash book and 本店
    EXPECT_EQ(h.app.ledgerView().rows.front().Balance(), "-2,443");
}

}  // namespace
}  // namespace velmora::testing
