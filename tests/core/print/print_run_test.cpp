#include <gtest/gtest.h>

#include <filesystem>

#include "core/print/print_job.h"
#include "print_fixture.h"

namespace velmora::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kPlainCash = "A4現金出納帳_月分1_ゴシックG.sle";

Lines DocumentCalls(const RecordingPrintDevice& device) {
    Lines out;
    for (const auto& call : device.Calls())
        if (call == "begin" || call == "newpage" || call == "end" || call == "abort")
            out.push_back(call);
    return out;
}

Lines Drawn(const Lines& page, const std::string& prefix) {
    Lines out;
    for (const auto& call : page)
        if (call.rfind(prefix, 0) == 0) out.push_back(call);
    return out;
}

// Two months of three pages each (4 and 5) with the cash ledger set up on month 4.
void TwoMonthsOfThreePages(PrintBench& b) {
    b.WriteStyle(kPlainCash, ThreeRowStyle());
    b.sources.rowsByMonth[4] = MonthRows(6, "r");
    b.sources.rowsByMonth[5] = MonthRows(6, "s");
    b.job->PrepareLedger();
    b.job->SetMonthChecked(1, true);
    b.device.ClearCalls();
}

TEST(PrintRunTest, OddPagesOverTwoMonths) {
    PrintBench b;
    TwoMonthsOfThreePages(b);
    b.job->SetPageFilter(PageFilter::kOdd);
    const PrintRunResult run = b.job->Print();
    EXPECT_FALSE(run.nothingToPrint || run.cancelled || run.error);
    EXPECT_EQ(run.sheets, (std::vector<PrintedSheet>{{1, 4, 1, 0}, {3, 4, 3, 0}, {5, 5, 2, 0}}));
    EXPECT_EQ(DocumentCalls(b.device), (Lines{"begin", "newpage", "newpage", "end"}));

    ASSERT_EQ(b.device.Pages().size(), 3u);
    // Plain paper at 600 dpi with the odd-page offsets (1, 2) mm.
    const Lines& third = b.device.Pages()[2];
    EXPECT_EQ(Drawn(third, "text "),
              (Lines{"text 732,992 \"s3\"", "text 732,992 \"s4\"", "text 732,992 \"   次頁へ続く\"",
                     "text 732,992 \"- 2 -\""}));
    EXPECT_EQ(Drawn(third, "line "), (Lines{"line 260,283 -> 496,283"}));
    EXPECT_EQ(Drawn(b.device.Pages()[0], "text ")[0], "text 732,992 \"r1\"");

    // Afterwards the month to print is shown again, and page loads leave the printer alone.
    EXPECT_EQ(b.sources.shownMonths, (std::vector<int>{4, 5, 4, 5, 4}));
    EXPECT_TRUE(b.job->state().documentOpen);
    EXPECT_EQ(b.job->state().page, 1);
    EXPECT_TRUE(b.job->controls().sheetShown);
    b.device.ClearCalls();
    b.job->NextPage();
    EXPECT_EQ(b.device.Calls(), Lines{});
}

TEST(PrintRunTest, ProgressIsToldOfEverySheetAndCanStopTheRun) {
    PrintBench b;
    TwoMonthsOfThreePages(b);
    std::vector<std::pair<int, int>> told;
    PrintRunResult run = b.job->Print([&](int drawn, int total) {
        told.emplace_back(drawn, total);
        return true;
    });
    EXPECT_FALSE(run.stopped);
    EXPECT_EQ(run.sheets.size(), 6u);
    // Told first as the run begins, with none drawn.
    EXPECT_EQ(told, (std::vector<std::pair<int, int>>{
                        {0, 6}, {1, 6}, {2, 6}, {3, 6}, {4, 6}, {5, 6}, {6, 6}}));

    // Stopped after the second sheet: the document is dropped, nothing reaches the printer.
    b.device.ClearCalls();
    const std::size_t printedBefore = b.device.Pages().size();
    told.clear();
    run = b.job->Print([&](int drawn, int total) {
        told.emplace_back(drawn, total);
        return drawn < 2;
    });
    EXPECT_TRUE(run.stopped);
    EXPECT_EQ(run.sheets, (std::vector<PrintedSheet>{{1, 4, 1, 0}}));
    EXPECT_EQ(told, (std::vector<std::pair<int, int>>{{0, 6}, {1, 6}, {2, 6}}));
    EXPECT_EQ(DocumentCalls(b.device), (Lines{"begin", "newpage", "abort"}));
    EXPECT_EQ(b.device.Pages().size(), printedBefore);
    EXPECT_TRUE(b.job->controls().sheetShown);
    EXPECT_EQ(b.job->controls().printingCaption, "");
}

TEST(PrintRunTest, TypedOffsetsPrintWithoutBeingConfirmedAndStayInTheBoxes) {
    PrintBench b;
    TwoMonthsOfThreePages(b);
    b.job->SetMonthChecked(1, false);
    // The style's own offsets are (1, 2) mm; 3 mm to the right typed, never confirmed.
    const PrintOffsets typed{Amount::FromYen(4), Amount::FromYen(2), {}, {}};
    b.job->SetOffsets(typed);
    b.job->Print();
    ASSERT_EQ(b.device.Pages().size(), 3u);
    // 3 mm at 600 dpi: 71 dots further right on every sheet, the first as the third.
    for (const Lines& page : b.device.Pages())
        EXPECT_EQ(Drawn(page, "line "), (Lines{"line 331,283 -> 567,283"}));
    EXPECT_EQ(b.job->panel().offsets, typed);
    b.job->NextPage();
    EXPECT_EQ(b.job->panel().offsets, typed);
}

TEST(PrintRunTest, EvenPagesAndEvenFirst) {
    PrintBench b;
    TwoMonthsOfThreePages(b);
    b.job->SetPageFilter(PageFilter::kEven);
    EXPECT_EQ(b.job->Print().sheets,
              (std::vector<PrintedSheet>{{2, 4, 2, 1}, {4, 5, 1, 1}, {6, 5, 3, 1}}));

    b.job->SetPageFilter(PageFilter::kAll);
    b.job->SetEvenFirst(true);
    b.job->SetMonthChecked(1, false);
    EXPECT_EQ(b.job->Print().sheets,
              (std::vector<PrintedSheet>{{1, 4, 1, 1}, {2, 4, 2, 0}, {3, 4, 3, 1}}));
}

TEST(PrintRunTest, OnePageHasNoEvenPage) {
    PrintBench b;
    b.WriteStyle(kPlainCash, ThreeRowStyle());
    b.sources.rowsByMonth[4] = MonthRows(2);
    b.job->PrepareLedger();
    b.job->SetPageFilter(PageFilter::kEven);
    b.device.ClearCalls();
    const PrintRunResult run = b.job->Print();
    EXPECT_TRUE(run.nothingToPrint);
    EXPECT_TRUE(run.sheets.empty());
    EXPECT_EQ(b.dialogs.Infos(),
              (Lines{"確認|偶数ページには印刷ページはありません。\r\n印　刷(現金出納帳)設定で全て"
                     "のページにチェックを入れてください。"}));
    EXPECT_EQ(DocumentCalls(b.device), Lines{});
    EXPECT_TRUE(b.job->controls().sheetShown);
    EXPECT_EQ(b.job->controls().printingCaption, "");

    // The same for a one-page print of all months under an account-title search.
    PrintBench all;
    all.WriteStyle("A4現金出納帳_科目指定_ゴシックG.sle", ThreeRowStyle());
    all.sources.page.accountFilter = "交通費";
    all.sources.currentMonth = 13;
    all.sources.rowsByMonth[13] = MonthRows(1);
    all.job->PrepareLedger();
    all.job->SetPageFilter(PageFilter::kEven);
    EXPECT_TRUE(all.job->Print().nothingToPrint);
    EXPECT_EQ(all.dialogs.Infos().size(), 1u);
}

TEST(PrintRunTest, ListsPrintEveryPageAndFixedReportsTheLoadedOne) {
    PrintBench b;
    b.WriteStyle("A4月別一覧表_科目_ゴシックG.slf",
                 "header;Ver1.1;0;0;9;0;0;100;0;0;0;0;0;\n"
                 "0;0;0;0;data;30;40;30;40;0;0;0;0;F;10;標準;0;0;0;#maxline=2;0;0;0;\n"
                 "0;0;0;0;data;30;40;30;40;0;0;0;0;F;10;標準;0;0;0;#ka_01;0;0;0;\n");
    b.sources.summaryData = {"科　目;", "a;", "b;", "c;", "d;"};
    b.job->PrepareMonthlySummary();
    b.device.ClearCalls();
    PrintRunResult run = b.job->Print();
    EXPECT_EQ(run.sheets, (std::vector<PrintedSheet>{{1, 0, 1, 0}, {2, 0, 2, 1}}));
    EXPECT_EQ(DocumentCalls(b.device), (Lines{"begin", "newpage", "end"}));
    ASSERT_EQ(b.device.Pages().size(), 2u);
    EXPECT_EQ(Drawn(b.device.Pages()[1], "text "), (Lines{"text 709,945 \"c\""}));

    b.WriteStyle("入出金集計表.sle",
                 "header;Ver1.1;0;0;9;0;0;100;0;0;0;0;0;\n"
                 "0;0;0;0;line;10;10;20;10;1;実線;0;0;\n");
    b.job->PrepareIncomeExpense();
    b.device.ClearCalls();
    run = b.job->Print();
    EXPECT_EQ(run.sheets, (std::vector<PrintedSheet>{{1, 0, 1, 0}}));
    EXPECT_EQ(DocumentCalls(b.device), (Lines{"begin", "end"}));
    EXPECT_EQ(Drawn(b.device.Pages().back(), "line "), (Lines{"line 236,236 -> 472,236"}));
}

TEST(PrintRunTest, ABrokenPageOrAMissingStyleDropsTheDocument) {
    PrintBench b;
    const std::string path = b.WriteStyle(kPlainCash, ThreeRowStyle());
    b.sources.rowsByMonth[4] = MonthRows(6);
    b.job->PrepareLedger();
    b.WriteStyle(kPlainCash, ThreeRowStyle() + "0;0;0;0;line;x;10;20;10;1;実線;0;0;\n");
    b.device.ClearCalls();
    PrintRunResult run = b.job->Print();
    ASSERT_TRUE(run.error.has_value());
    EXPECT_EQ(run.error->Line(), 8);
    EXPECT_TRUE(run.sheets.empty());
    EXPECT_EQ(DocumentCalls(b.device), (Lines{"begin", "abort"}));
    EXPECT_TRUE(b.device.Pages().empty());

    std::filesystem::remove(path);
    b.device.ClearCalls();
    run = b.job->Print();  // the style dialog is cancelled
    EXPECT_TRUE(run.cancelled);
    EXPECT_EQ(DocumentCalls(b.device), Lines{});
}

}  // namespace
}  // namespace velmora::testing
