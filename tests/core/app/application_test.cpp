#include "core/app/application.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/app/command_table.h"
#include "core/app/program_options.h"
#include "core/printing/recording_print_device.h"
#include "core/settings/placement.h"
#include "core/util/file_io.h"
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
    h.app.new1data();
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
    h.app.datesearch(true);  // the check box alone changes what the status shows
    EXPECT_EQ(r.events.size(), 1u);
    r.events.clear();
    h.app.datesearch(true);
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

TEST(Application, CloseWritesPlacementBackupListAndSummaryLayoutWhateverTheAnswer) {
    AppHarness h;
    h.app.Create();
    const std::string file = h.CopyExample("a.exv");
    h.app.Show(file);
    h.app.mutableSession().modified = true;
    const std::string before = ReadBytes(file);

    h.dialogs.saveAnswers.push_back(SaveAnswer::Cancel);
    EXPECT_FALSE(h.app.CloseQuery(Placement{5, 6, 1300, 800}));
    EXPECT_TRUE(fs::exists(h.work + "/ini/velmora5.ini"));
    EXPECT_TRUE(fs::exists(h.work + "/ini/backup.conf"));
    EXPECT_TRUE(fs::exists(h.work + "/ini/display2.dat"));
    EXPECT_EQ(ReadBytes(file), before);

    h.dialogs.saveAnswers.push_back(SaveAnswer::No);
    EXPECT_TRUE(h.app.CloseQuery(Placement{5, 6, 1300, 800}));
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

TEST(CommandTable, EveryCommandHasACaptionAndEveryMenuItemIsACommand) {
    std::set<std::string_view> names;
    for (const CommandInfo& c : MainCommands()) {
        EXPECT_FALSE(c.caption.empty()) << c.name;
        EXPECT_TRUE(names.insert(c.name).second) << "twice: " << c.name;
    }
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

TEST(ProgramOptions, FileTodayScreenshotAndTheirErrors) {
    auto ok = ParseProgramOptions({"--today", "2024/05/10", "--screenshot", "o.png", "a.exv"});
    EXPECT_TRUE(ok.error.empty());
    EXPECT_EQ(ok.options.today, Date::FromYmd(2024, 5, 10));
    EXPECT_EQ(ok.options.screenshot, "o.png");
    EXPECT_EQ(ok.options.file, "a.exv");
    EXPECT_TRUE(ParseProgramOptions({"--help"}).options.help);
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

}  // namespace
}  // namespace velmora::testing
