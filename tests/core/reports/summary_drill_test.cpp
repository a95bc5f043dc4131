// Drilling down from an account title to its descriptions and going back.
#include <gtest/gtest.h>

#include "core/reports/monthly_summary.h"
#include "summary_ledger.h"
#include "support/scripted_dialogs.h"

namespace velmora::testing {
namespace {

Ledger DrillLedger() {
    Ledger ledger = MakeLedger({{1, "交通費", "バス", "0", "220"},
                                {2, "交通費", "電車", "0", "400"},
                                {1, "売上", "A社", "900", "0"},
                                {1, "文具", "ペン", "0", "100", "小口", "本店", "小口", "本店"}});
    ledger.pettyRegistry.Add("z,小口,本店,0,");
    return ledger;
}

TEST(SummaryDrill, OnlyAnAccountTitleRowDrillsEverythingElseBeeps) {
    // Rows: 1 income heading, 2 売上, 3 total, 4 blank, 5 expense heading, 6 交通費,
    // 7 文具, 8 total, 9 blank, 10 balance, 11.. empty.
    const Ledger ledger = DrillLedger();
    MonthlySummary s;
    s.OpenPage(ledger);
    ASSERT_EQ(s.grid().Cell(kLabelColumn, 6), "交通費");
    ScriptedDialogs dialogs;
    for (int row : {0, 1, 3, 4, 5, 8, 9, 10, 11, 49, 50, -1}) {
        EXPECT_FALSE(s.DrillDownRow(row, ledger, dialogs)) << row;
        EXPECT_EQ(s.drillLevel(), 0);
    }
    EXPECT_EQ(dialogs.Log(), std::vector<std::string>(12, "beep:|"));
    EXPECT_EQ(s.caption(), "月別科目一覧表");

    dialogs.Clear();
    EXPECT_TRUE(s.DrillDownRow(6, ledger, dialogs));
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_EQ(s.drillLevel(), 1);
    EXPECT_EQ(s.selectedTitle(), "交通費");
    EXPECT_EQ(s.caption(), "交通費明細表");
    EXPECT_EQ(s.grid().Cell(kLabelColumn, 2), "バス");
    EXPECT_EQ(s.grid().Cell(kLabelColumn, 3), "電車");

    // On level 1 a double-click does nothing at all, not even a beep.
    EXPECT_FALSE(s.DrillDownRow(2, ledger, dialogs));
    EXPECT_FALSE(s.DrillDownRow(1, ledger, dialogs));
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_EQ(s.selectedTitle(), "交通費");
}

TEST(SummaryDrill, BackGoesUpOneLevelAndRefusesAtTheTopOrInPreview) {
    const Ledger ledger = DrillLedger();
    MonthlySummary s;
    s.OpenPage(ledger);
    ScriptedDialogs dialogs;
    s.GoBack(false, ledger, dialogs);
    EXPECT_EQ(dialogs.Infos(),
              std::vector<std::string>{"確認|現在は科目一覧表示中です、これ以上は戻れません"});

    ASSERT_TRUE(s.DrillDownRow(2, ledger, dialogs));  // 売上
    dialogs.Clear();
    s.GoBack(true, ledger, dialogs);
    EXPECT_EQ(dialogs.Infos(), std::vector<std::string>{"確認|現在印刷プレビュー中です"});
    EXPECT_EQ(s.drillLevel(), 1);
    EXPECT_EQ(s.caption(), "売上明細表");

    dialogs.Clear();
    s.GoBack(false, ledger, dialogs);
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_EQ(s.drillLevel(), 0);
    EXPECT_EQ(s.caption(), "月別科目一覧表");
    EXPECT_EQ(s.grid().Cell(kLabelColumn, 10), "【収　支　計】");
}

TEST(SummaryDrill, ReopeningThePageKeepsTheDrillLevelAndABookChangeResetsIt) {
    const Ledger ledger = DrillLedger();
    MonthlySummary s;
    s.OpenPage(ledger);
    ScriptedDialogs dialogs;
    ASSERT_TRUE(s.DrillDownRow(6, ledger, dialogs));

    s.OpenPage(ledger);  // level 0 is shown, level 1 stays in force
    EXPECT_EQ(s.caption(), "月別科目一覧表");
    EXPECT_EQ(s.drillLevel(), 1);
    EXPECT_FALSE(s.DrillDownRow(6, ledger, dialogs));
    s.RebuildTitleLevel(ledger);
    EXPECT_EQ(s.drillLevel(), 1);
    EXPECT_TRUE(dialogs.Log().empty());

    s.ChooseBook(2, ledger);  // 本店
    EXPECT_EQ(s.drillLevel(), 0);
    EXPECT_EQ(s.selector().itemIndex, 2);
    EXPECT_EQ(s.grid().Cell(kLabelColumn, 2), "文具");
    s.RebuildTitleLevel(ledger);  // the book stays chosen
    EXPECT_EQ(s.grid().Cell(kLabelColumn, 2), "文具");
    s.OpenPage(ledger);  // the selector is refilled: all books again
    EXPECT_EQ(s.selector().itemIndex, 0);
    EXPECT_EQ(s.grid().Cell(kLabelColumn, 2), "売上");
}

}  // namespace
}  // namespace velmora::testing
