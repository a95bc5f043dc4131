#include "core/print/print_job.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/platform/file_io.h"
#include "core/print/print_data.h"
#include "print_fixture.h"

namespace velmora::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kPlainCash = "A4現金出納帳_月分1_ゴシックG.sle";
constexpr const char* kKokuyoCash = "コクヨ金銭出納帳_リ-101.sle";

std::vector<LedgerRow> WithRowAfterEnd(std::vector<LedgerRow> rows) {
    LedgerRow after(LedgerRowKind::Record, kMarkPositive);
    after.SetCell(LedgerRow::kDescription, "after the end mark");
    rows.push_back(after);
    return rows;
}

TEST(PrintJobTest, PrepareLedgerSetsUpTheCashLedgerJob) {
    PrintBench b;
    const std::string style = b.WriteStyle(kPlainCash, ThreeRowStyle());
    b.sources.rowsByMonth[4] = WithRowAfterEnd(MonthRows(5));
    b.job->PrepareLedger();

    const PrintJobState& s = b.job->state();
    EXPECT_EQ(s.kind, 2);
    EXPECT_EQ(s.monthToPrint, 4);
    EXPECT_EQ(s.stylePath, style);
    EXPECT_EQ(s.page, 1);
    EXPECT_EQ(s.pageSide, 0);
    EXPECT_FALSE(s.documentOpen);
    EXPECT_EQ(s.paperCode, 9);
    EXPECT_EQ(b.Texts(), (Lines{"r1", "r2", "   次頁へ続く", "- 1 -"}));

    // The print data: six fields, amounts trimmed, nothing after the "=" row.
    TempFolder want;
    WriteCp932(want.File("listout.dat"),
               "04月01日(火);;r1;;;1,000;\n04月02日(火);;r2;;;2,000;\n04月03日(火);;r3;;;3,000;\n"
               "04月04日(火);;r4;;;4,000;\n04月05日(火);;r5;;;5,000;\n");
    EXPECT_EQ(ReadBytes(PrintDataPath(b.home.Path())), ReadBytes(want.File("listout.dat")));
    EXPECT_EQ(b.sources.searchRange, "2014");
    EXPECT_EQ(b.sources.monthPanel, "04");

    const PrintControls& c = b.job->controls();
    EXPECT_EQ(c.paperItems, (Lines{"A4用紙", "コクヨ出納帳", "コクヨ経費帳"}));
    EXPECT_EQ(c.previewTabs, (Lines{"4月", "5月", "6月", "7月", "8月", "9月", "10月", "11月",
                                    "12月", "1月", "2月", "3月"}));
    EXPECT_EQ(c.previewTab, 0);
    EXPECT_EQ(c.monthItems[0], "4");
    EXPECT_EQ(c.monthItems[11], "3");
    EXPECT_TRUE(b.job->panel().months[0]);
    EXPECT_FALSE(c.editMenuEnabled);
    EXPECT_TRUE(c.sidePanelShown);
    EXPECT_TRUE(c.monthSelectEnabled && c.pageFilterEnabled && c.fontEnabled && c.columnEnabled &&
                c.colourEnabled);
    EXPECT_FALSE(c.kokuyoNegativesEnabled);
    EXPECT_FALSE(c.evenOffsetsShown);
    EXPECT_EQ(c.oddOffsetCaption, "全体位置調整");
    EXPECT_EQ(c.stylePathShown, style);

    const PrintOffsets offsets = b.job->panel().offsets;
    EXPECT_EQ(offsets, (PrintOffsets{Amount::FromYen(1), Amount::FromYen(2), Amount::FromYen(4),
                                     Amount::FromYen(5)}));
    // The default printer, the empty style's set-up, then the style's own.
    EXPECT_EQ(b.device.Calls(), (Lines{"default", "paper 0", "source 0", "copies 1", "portrait",
                                       "paper 9", "source 0", "copies 1", "portrait"}));
    EXPECT_EQ(b.job->metrics().paperWidthMm, 210);
    EXPECT_EQ(b.job->metrics().offsetXMm, 4);
}

TEST(PrintJobTest, AllMonthsSearchAndTheOtherCommands) {
    PrintBench b;
    b.sources.page.accountFilter = "交通費";
    b.sources.currentMonth = 13;
    b.sources.rowsByMonth[13] = MonthRows(2);
    b.WriteStyle("A4現金出納帳_科目指定_ゴシックG.sle", ThreeRowStyle());
    b.job->PrepareLedger();
    EXPECT_EQ(b.job->state().kind, 3);
    EXPECT_EQ(b.job->state().monthToPrint, 13);
    EXPECT_FALSE(b.job->controls().monthSelectEnabled);
    EXPECT_EQ(b.job->controls().previewTab, -1);
    EXPECT_EQ(b.job->state().page, 0);  // one page only

    b.sources.page.bookKind = "預金";
    b.sources.page.accountFilter.clear();
    b.sources.currentMonth = 4;
    b.WriteStyle("A4銀行勘定帳_月分1_ゴシックG.sle", ThreeRowStyle());
    b.job->PrepareLedger();
    EXPECT_EQ(b.job->state().kind, 9);
    EXPECT_EQ(b.job->controls().paperItems, (Lines{"A4用紙", "コクヨ勘定帳", "コクヨ経費帳"}));

    b.WriteStyle("入出金集計グラフ.sle", "header;Ver1.1;0;0;9;1;0;100;0;0;0;0;0;\n");
    b.job->PrepareGraph();
    const PrintControls& c = b.job->controls();
    EXPECT_EQ(b.job->state().kind, 40);
    EXPECT_EQ(c.previewTabs, (Lines{"印刷"}));
    EXPECT_EQ(c.previewCaption, "入出金集計グラフ");
    EXPECT_FALSE(c.fontEnabled || c.columnEnabled || c.colourEnabled || c.kokuyoNegativesEnabled ||
                 c.pageFilterEnabled || c.monthSelectEnabled || c.pageButtonsShown);
    EXPECT_EQ(b.job->state().orientation, 1);

    b.WriteStyle("月別帳簿別残高一覧表.sle", "header;Ver1.1;0;0;9;0;0;100;0;0;0;0;0;\n");
    b.job->PrepareBookBalances();
    EXPECT_EQ(b.job->state().kind, 30);
    EXPECT_TRUE(b.job->controls().pageButtonsShown);

    b.sources.drillLevel = 1;
    b.sources.summaryData = {"科　目;4月度;", "交通費;220;"};
    b.WriteStyle("A4月別一覧表_摘要_ゴシックG.slf", "header;Ver1.1;0;0;9;0;0;100;0;0;0;0;0;\n");
    b.job->PrepareMonthlySummary();
    EXPECT_EQ(b.job->state().kind, 6);
    EXPECT_EQ(b.job->controls().previewTabs.size(), 13u);
    EXPECT_EQ(b.job->controls().previewTabs.back(), "印刷");
    EXPECT_FALSE(b.job->controls().monthSelectEnabled);
    EXPECT_EQ(b.job->controls().previewCaption, "月別一覧表");
    EXPECT_EQ(ReadTextLines(PrintDataPath(b.home.Path())), b.sources.summaryData);
}

TEST(PrintJobTest, KokuyoFormAndBackToPlainPaper) {
    PrintBench b;
    b.WriteStyle(kPlainCash, ThreeRowStyle());
    b.WriteStyle(kKokuyoCash, ThreeRowStyle());
    b.sources.rowsByMonth[4] = MonthRows(3);

    b.job->ChooseStyle({1, 0, 0, 0});  // before any print command: ignored
    EXPECT_EQ(b.job->state().kind, 0);
    EXPECT_TRUE(b.job->style().Empty());

    b.job->PrepareLedger();
    b.job->ChooseStyle({1, 1, 1, 2});
    const PrintControls& c = b.job->controls();
    EXPECT_EQ(b.job->state().stylePath, b.home.File(std::string("style/") + kKokuyoCash));
    EXPECT_FALSE(c.fontEnabled || c.columnEnabled || c.colourEnabled);
    EXPECT_TRUE(c.evenOffsetsShown);
    EXPECT_TRUE(c.kokuyoNegativesEnabled);
    EXPECT_EQ(c.oddOffsetCaption, "奇数ページ");

    b.job->ChooseStyle({0, 0, 0, 0});
    EXPECT_EQ(b.job->state().stylePath, b.home.File(std::string("style/") + kPlainCash));
    EXPECT_TRUE(c.fontEnabled && c.columnEnabled && c.colourEnabled);
    EXPECT_FALSE(c.evenOffsetsShown);
    EXPECT_FALSE(c.kokuyoNegativesEnabled);
    EXPECT_EQ(c.oddOffsetCaption, "全体位置調整");
}

TEST(PrintJobTest, PageStepsSidesAndTheWrapToPageOne) {
    PrintBench b;
    b.WriteStyle(kPlainCash, ThreeRowStyle());
    b.sources.rowsByMonth[4] = MonthRows(6);
    b.job->PrepareLedger();
    EXPECT_EQ(b.job->state().pageSide, 0);

    b.job->NextPage();
    EXPECT_EQ(b.job->state().page, 2);
    EXPECT_EQ(b.job->state().pageSide, 1);
    EXPECT_EQ(b.Texts(), (Lines{"r3", "r4", "   次頁へ続く", "- 2 -"}));

    b.job->NextPage();
    EXPECT_EQ(b.job->state().page, 0);  // the last page
    EXPECT_EQ(b.job->state().pageSide, 0);
    EXPECT_EQ(b.Texts(), (Lines{"r5", "r6", "", "- 3 -"}));

    b.job->NextPage();
    EXPECT_EQ(b.job->state().page, 1);
    EXPECT_EQ(b.job->state().pageSide, 0);
    EXPECT_EQ(b.Texts(), (Lines{"r1", "r2", "   次頁へ続く", "- 1 -"}));

    b.job->SetEvenFirst(true);
    b.job->FirstPage();
    EXPECT_EQ(b.job->state().pageSide, 1);
    b.job->NextPage();
    EXPECT_EQ(b.job->state().pageSide, 0);

    // A month tab of the preview: the view moves, the data are written again, page 1.
    b.sources.rowsByMonth[6] = MonthRows(1, "june");
    b.job->ChoosePreviewTab(2);
    EXPECT_EQ(b.sources.shownMonths, (std::vector<int>{6}));
    EXPECT_EQ(b.job->state().page, 0);
    EXPECT_EQ(b.Texts(), (Lines{"june1", "", "", "- 1 -"}));
}

TEST(PrintJobTest, AMissingStyleIsAskedFor) {
    PrintBench b;
    b.sources.rowsByMonth[4] = MonthRows(2);
    b.job->PrepareLedger();  // no style in the working folder; the dialog is cancelled
    ASSERT_EQ(b.dialogs.fileRequests.size(), 1u);
    const FileDialogRequest& request = b.dialogs.fileRequests[0];
    EXPECT_EQ(request.title, "出納帳スタイルを指定して下さい");
    EXPECT_EQ(request.defaultExtension, "sle");
    EXPECT_EQ(request.filter, "出納帳スタイル|*.sle|すべてのファイル|*.*");
    EXPECT_EQ(request.initialFolder, b.program.File("style"));
    EXPECT_EQ(b.job->state().stylePath, "");
    EXPECT_EQ(b.job->style().Lines(), (Lines{"header;Ver1.1;0;0;0;0;401;100;"}));

    // "→" with no style asks again; the chosen file is loaded.
    const std::string chosen = b.WriteStyle("mine.sle", ThreeRowStyle());
    b.dialogs.openAnswers.push_back(chosen);
    b.job->FirstPage();
    EXPECT_EQ(b.job->state().stylePath, chosen);
    EXPECT_EQ(b.Texts(), (Lines{"r1", "r2", "", "- 1 -"}));

    b.sources.summaryData = {"科　目;"};
    b.job->PrepareMonthlySummary();
    EXPECT_EQ(b.dialogs.fileRequests.back().title, "一覧表スタイルを指定して下さい");
    EXPECT_EQ(b.dialogs.fileRequests.back().filter, "一覧表スタイル|*.slf|すべてのファイル|*.*");
    EXPECT_EQ(b.dialogs.fileRequests.back().defaultExtension, "slf");
}

TEST(PrintJobTest, ConfirmedOffsetsRewriteTheStyleFile) {
    PrintBench b;
    const std::string path = b.WriteStyle(kPlainCash, ThreeRowStyle());
    b.sources.rowsByMonth[4] = MonthRows(6);
    b.job->PrepareLedger();
    b.job->NextPage();

    b.job->SetOffsets(
        {Amount::Parse("1.5"), Amount::Parse("-2"), Amount::FromYen(3), Amount::FromYen(4)});
    b.job->TakeTypedOffsets();  // in memory only
    EXPECT_EQ(b.job->style().Line(0), "header;Ver1.1;1.5;-2;9;0;0;100;3;3;4;0;-1;;");
    EXPECT_EQ(ReadTextLines(path)[0], "header;Ver1.1;1;2;9;0;0;100;3;4;5;0;0;");

    b.job->SetZoom(150);
    b.job->ConfirmOffsets();
    const Lines saved = ReadTextLines(path);
    EXPECT_EQ(saved[0], "header;Ver1.1;1.5;-2;9;0;0;150;3;3;4;0;-1;;");
    TempFolder want;
    WriteCp932(want.File("s.sle"), ThreeRowStyle());
    Lines rest = ReadTextLines(want.File("s.sle"));
    EXPECT_EQ(Lines(saved.begin() + 1, saved.end()), Lines(rest.begin() + 1, rest.end()));
    EXPECT_EQ(b.job->state().page, 1);
    EXPECT_EQ(b.job->panel().offsets.oddX, Amount::Parse("1.5"));

    // An old file is saved whole as the new version: its text items get their second point.
    const std::string old = b.WriteStyle(
        "old.sle",
        "header;Ver1.0;0;0;9;0;0;100;7;\n0;0;0;0;char;10;20;0;0;0;0;F;10;;0;0;0;#ic_01;0;0;0;\n");
    b.dialogs.openAnswers.push_back(old);
    b.job->LoadStylePage("");
    b.job->ConfirmOffsets();
    EXPECT_EQ(ReadTextLines(old),
              (Lines{"header;Ver1.1;0;0;9;0;0;150;7;0;0;0;-1;;",
                     "0;0;0;0;char;10;20;10;20;0;0;0;0;F;10;;0;0;0;#ic_01;0;0;0;"}));
}

TEST(PrintJobTest, PrinterSetupWritesTheChoiceAndTheOptions) {
    PrintBench b(2);
    const std::string path = b.WriteStyle(kPlainCash, ThreeRowStyle());
    b.sources.rowsByMonth[4] = MonthRows(2);
    b.job->PrepareLedger();

    b.job->TakePrinterChoice(std::nullopt);  // cancelled: the options are saved all the same
    EXPECT_FALSE(FileExists(b.home.File("config/2-0.conf")));
    EXPECT_EQ(ReadTextLines(b.home.File("config/note1.conf")),
              (Lines{"[Paper_Sel]=0", "[Font_Sel]=0", "[Kamoku_Sel]=0", "[Color_Sel]=0",
                     "[TrackBar1]=100"}));

    b.device.Settings().paperCode = 12;
    b.device.Settings().copies = 2;
    b.device.ClearCalls();
    b.job->SetZoom(80);
    b.job->TakePrinterChoice(1);
    EXPECT_EQ(ReadTextLines(b.home.File("config/2-0.conf")), (Lines{"[PrinterIndex]=1"}));
    EXPECT_EQ(ReadTextLines(path)[0], "header;Ver1.1;1;2;12;0;0;80;3;4;5;0;1;;");
    EXPECT_EQ(ReadTextLines(b.home.File("config/note1.conf")).back(), "[TrackBar1]=80");
    EXPECT_EQ(b.job->state().printerIndex, 1);
    EXPECT_EQ(b.job->state().copies, 2);
    EXPECT_EQ(b.device.Calls(),
              (Lines{"select 1", "select 1", "paper 12", "source 0", "copies 2", "portrait"}));
    EXPECT_EQ(b.job->metrics().paperWidthMm, 257);
}

TEST(PrintJobTest, TheOptionFileIsReadWhenTheJobIsSetUp) {
    PrintBench b;
    b.WriteStyle(kKokuyoCash, ThreeRowStyle());
    WriteCp932(b.home.File("config/note1.conf"),
               "[Paper_Sel]=1\n[Font_Sel]=x\n[Other]=3\n[Color_Sel]=9\n[TrackBar1]=\n");
    b.sources.rowsByMonth[4] = MonthRows(2);
    b.job->PrepareLedger();
    EXPECT_EQ(b.job->panel().choice, (StyleChoice{1, 0, 0, 0}));
    EXPECT_EQ(b.job->panel().zoom, 50);
    EXPECT_EQ(b.job->state().stylePath, b.home.File(std::string("style/") + kKokuyoCash));
    EXPECT_TRUE(b.job->controls().evenOffsetsShown);
}

}  // namespace
}  // namespace velmora::testing
