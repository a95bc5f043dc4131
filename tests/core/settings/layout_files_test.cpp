// The saved screen layouts: exact bytes written, and the rules applied when reading.
#include "core/settings/layout_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform/shell.h"
#include "core/util/errors.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

class RefusingWriter final : public FileWriter {
public:
    void WriteAtomic(const std::string& path, std::string_view) override {
        throw FileError(path + " に書き込めません");
    }
    void Remove(const std::string&) override {}
};

struct LayoutFolder {
    LayoutFolder() {
        std::filesystem::create_directories(folder.File("config"));
        std::filesystem::create_directories(folder.File("ini"));
    }
    TempFolder folder;
};

TEST(LayoutFiles, LedgerLayoutIsWrittenInKeyOrderAsCp932Lines) {
    LayoutFolder f;
    ScriptedDialogs dialogs;
    LedgerLayout layout;
    layout.listColWidths[7] = 0;
    layout.sidePanelWidth = 300;
    EXPECT_TRUE(WriteLedgerLayout(f.folder.Path(), layout, dialogs));
    EXPECT_EQ(ReadBytes(f.folder.File("config/display.dat")),
              "[Version]=1.00\r\n[left_panel_width]=100\r\n"
              "[list_colwidths[0]]=30\r\n[list_colwidths[1]]=115\r\n[list_colwidths[2]]=254\r\n"
              "[list_colwidths[3]]=169\r\n[list_colwidths[4]]=121\r\n[list_colwidths[5]]=106\r\n"
              "[list_colwidths[6]]=123\r\n[list_colwidths[7]]=0\r\n"
              "[NOTESGRID[1]]=118\r\n[NOTESGRID[2]]=97\r\n[PageControl2]=300\r\n");
    EXPECT_EQ(dialogs.Infos(),
              std::vector<std::string>{"確認|ディスプレイのレイアウトを保存しました。"});

    // A failed write is reported, never confirmed.
    dialogs.Clear();
    RefusingWriter refusing;
    EXPECT_FALSE(WriteLedgerLayout(f.folder.Path(), layout, dialogs, refusing));
    ASSERT_EQ(dialogs.Infos().size(), 1u);
    EXPECT_NE(dialogs.Infos()[0].find("に書き込めません"), std::string::npos);
}

TEST(LayoutFiles, LedgerLayoutReadingKeepsColumnSevenHiddenAndDefaultsNonNumbers) {
    LayoutFolder f;
    LedgerLayout missing;
    ReadLedgerLayout(f.folder.Path(), missing);  // no file: the form's widths, column 7 hidden
    EXPECT_EQ(missing.listColWidths, (std::array<int, 8>{30, 115, 254, 169, 121, 106, 123, 0}));
    EXPECT_EQ(missing.leftPanelWidth, 100);
    EXPECT_EQ(missing.sidePanelWidth, 255);

    WriteCp932(f.folder.File("config/display.dat"),
               "[Version]=2.00\n"
               "[left_panel_width]=abc\n"
               "[list_colwidths[0]]=44\n"
               "[list_colwidths[1]]=x\n"
               "[list_colwidths[7]]=80\n"
               "[NOTESGRID[1]]=\n"
               "[NOTESGRID[2]]=-7\n"
               "[PageControl2]=99999999999\n"
               "[list_colwidths[0]]=45\n"
               "[list_colwidths[2]]\n"
               "=[list_colwidths[3]]\n"
               "[Unknown]=5\n");
    LedgerLayout layout;
    layout.leftPanelWidth = 180;
    ReadLedgerLayout(f.folder.Path(), layout);
    EXPECT_EQ(layout.leftPanelWidth, 100);
    EXPECT_EQ(layout.listColWidths, (std::array<int, 8>{45, 50, 254, 169, 121, 106, 123, 0}));
    EXPECT_EQ(layout.bookBalanceWidths, (std::array<int, 3>{0, 100, -7}));
    EXPECT_EQ(layout.sidePanelWidth, 255);  // beyond an integer: the key's default
}

TEST(LayoutFiles, SummaryLayoutWritesSixteenEntriesAndRestoresFifteen) {
    LayoutFolder f;
    SummaryLayout layout;
    layout.columnWidths[1] = 160;
    layout.columnWidths[14] = 120;
    EXPECT_TRUE(WriteSummaryLayout(f.folder.Path(), layout));
    std::string expected =
        "[Version]=1.00\r\n[list_colwidths[0]]=30\r\n[list_colwidths[1]]=160\r\n";
    for (int c = 2; c <= 13; ++c) expected += "[list_colwidths[" + std::to_string(c) + "]]=100\r\n";
    expected += "[list_colwidths[14]]=120\r\n[list_colwidths[15]]=100\r\n";
    EXPECT_EQ(ReadBytes(f.folder.File("ini/display2.dat")), expected);

    SummaryLayout read;
    ReadSummaryLayout(f.folder.Path(), read);
    EXPECT_EQ(read.columnWidths, layout.columnWidths);

    // Entry 15 is never applied, a missing one changes nothing, a non-number reads 50.
    WriteCp932(f.folder.File("ini/display2.dat"),
               "[list_colwidths[0]]=25\n[list_colwidths[5]]=wide\n[list_colwidths[15]]=999\n");
    SummaryLayout partial;
    ReadSummaryLayout(f.folder.Path(), partial);
    EXPECT_EQ(partial.columnWidths, (std::array<int, 15>{25, 100, 100, 100, 100, 50, 100, 100, 100,
                                                         100, 100, 100, 100, 100, 100}));

    RefusingWriter refusing;
    EXPECT_FALSE(WriteSummaryLayout(f.folder.Path(), layout, refusing));
    EXPECT_EQ(ReadBytes(f.folder.File("ini/display2.dat")).substr(0, 22), "[list_colwidths[0]]=25");
}

TEST(LayoutFiles, AnUnreadableFileLeavesTheLayoutAlone) {
    LayoutFolder f;
    WriteBytes(f.folder.File("ini/display2.dat"), "[list_colwidths[0]]=\x81\r\n");
    SummaryLayout layout;
    layout.columnWidths[0] = 77;
    ReadSummaryLayout(f.folder.Path(), layout);
    EXPECT_EQ(layout.columnWidths[0], 77);
}

TEST(LayoutFiles, TheSplitterNeverLeavesTheInnerPanelAtWidthZero) {
    EXPECT_EQ(SplitterPanelWidth(0), 1);
    EXPECT_EQ(SplitterPanelWidth(1), 1);
    EXPECT_EQ(SplitterPanelWidth(240), 240);
}

class RecordingShell final : public Shell {
public:
    void OpenUrl(const std::string& url) override { calls.push_back("url " + url); }
    void OpenPath(const std::string& path) override { calls.push_back("path " + path); }
    bool StartProgram(const std::string& program) override {
        calls.push_back("start " + program);
        return program == installed;
    }
    std::vector<std::string> calls;
    std::string installed;
};

TEST(LayoutFiles, HelpCommandsHandTheManualsAndTheWorkingFolderToTheShell) {
    RecordingShell shell;
    OpenOnlineManual(shell, "/opt/velmora/share/velmora");
    OpenOfflineManual(shell, "/opt/velmora/share/velmora");
    OpenWorkingFolder(shell, "/home/u/.local/share/tessary/velmora_xe5");
    EXPECT_EQ(shell.calls,
              (std::vector<std::string>{"path /opt/velmora/share/velmora/help/velmora/index.html",
                                        "path /opt/velmora/share/velmora/help/velmora/index.html",
                                        "path /home/u/.local/share/tessary/velmora_xe5"}));
}

TEST(LayoutFiles, TheCalculatorIsTheFirstDesktopCalculatorThatStarts) {
    RecordingShell shell;
    ScriptedDialogs dialogs;
    shell.installed = "mate-calc";
    EXPECT_TRUE(StartCalculator(shell, dialogs));
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"start gnome-calculator", "start kcalc",
                                                     "start mate-calc"}));
    EXPECT_TRUE(dialogs.events.empty());

    shell.calls.clear();
    shell.installed.clear();
    EXPECT_FALSE(StartCalculator(shell, dialogs));
    EXPECT_EQ(shell.calls.size(), 5u);
    EXPECT_EQ(dialogs.Infos(), (std::vector<std::string>{
                                   "確認|電卓のプログラムが見つかりません。\r\n探したプログラム: "
                                   "gnome-calculator、kcalc、mate-calc、galculator、xcalc"}));
}

}  // namespace
}  // namespace velmora::testing
