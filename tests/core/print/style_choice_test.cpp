#include "core/print/style_choice.h"

#include <gtest/gtest.h>

#include "core/platform/file_io.h"
#include "core/print/report_kind.h"

namespace velmora {
namespace {

TEST(StyleChoiceTest, NamesFromPaperColumnFontAndColour) {
    EXPECT_EQ(StyleFileName(3, {0, 0, 0, 3}), "A4現金出納帳_科目指定_ゴシック.sle");
    EXPECT_EQ(StyleFileName(6, {1, 0, 0, 2}), "B4月別一覧表_摘要_ゴシックP.slf");
    EXPECT_EQ(StyleFileName(2, {0, 1, 0, 1}), "A4現金出納帳_月分1_明朝B.sle");
    EXPECT_EQ(StyleFileName(7, {0, 0, 1, 0}), "A4経費明細帳_月分2_ゴシックG.sle");
    EXPECT_EQ(StyleFileName(10, {0, 1, 1, 3}), "A4銀行勘定帳_科目指定_明朝.sle");
    // KOKUYO forms and the fixed reports take no parts.
    EXPECT_EQ(StyleFileName(2, {1, 1, 1, 1}), "コクヨ金銭出納帳_リ-101.sle");
    EXPECT_EQ(StyleFileName(9, {1, 0, 0, 0}), "コクヨ銀行勘定帳_リ-108.sle");
    EXPECT_EQ(StyleFileName(9, {2, 0, 0, 0}), "コクヨ経費明細帳_リ-113.sle");
    EXPECT_EQ(StyleFileName(30, {0, 1, 1, 1}), "月別帳簿別残高一覧表.sle");
    // Items out of range count as item 0; unknown kinds have no style.
    EXPECT_EQ(StyleFileName(5, {7, -1, 0, 9}), "A4月別一覧表_科目_ゴシックG.slf");
    EXPECT_EQ(StyleFileName(4, {}), "");
    EXPECT_EQ(StyleFilePath("/w", 4, {}), "");
    EXPECT_EQ(StyleFilePath("/w", 20, {}), "/w/style/入出金集計表.sle");
}

TEST(StyleChoiceTest, EveryChoiceNamesAShippedStyle) {
    int names = 0;
    for (const ReportKindInfo& info : AllReportKinds())
        for (int paper = 0; paper < static_cast<int>(info.paperItems.size()); ++paper)
            for (int font = 0; font < 2; ++font)
                for (int column = 0; column < 2; ++column)
                    for (int colour = 0; colour < 4; ++colour) {
                        const std::string name =
                            StyleFileName(info.kind, {paper, font, column, colour});
                        EXPECT_TRUE(FileExists(std::string(VELMORA_DATA_DIR) + "/style/" + name))
                            << name;
                        ++names;
                    }
    EXPECT_EQ(names, 16 * (6 * 3 + 2 * 2 + 3));
}

TEST(ReportKindTest, KindsOfTheLedgerCommandAndTheirFamilies) {
    EXPECT_EQ(LedgerReportFor("現金", false), 2);
    EXPECT_EQ(LedgerReportFor("全帳簿", false), 2);
    EXPECT_EQ(LedgerReportFor("全帳簿", true), 3);
    EXPECT_EQ(LedgerReportFor("小口", false), 7);
    EXPECT_EQ(LedgerReportFor("小口", true), 8);
    EXPECT_EQ(LedgerReportFor("預金", false), 9);
    EXPECT_EQ(LedgerReportFor("預金", true), 10);
    EXPECT_TRUE(IsMonthWalkReport(9));
    EXPECT_FALSE(IsMonthWalkReport(10));
    EXPECT_TRUE(IsKokuyoPaper(10, 2));
    EXPECT_FALSE(IsKokuyoPaper(5, 1));  // B4 paper of the summary
    EXPECT_EQ(FindReportKind(6)->optionFile, "config/table1.conf");
    EXPECT_EQ(FindReportKind(40)->optionFile, "config/total3.conf");
    EXPECT_EQ(FindReportKind(9)->paperItems[1], "コクヨ勘定帳");
    EXPECT_EQ(FindReportKind(7)->paperItems[1], "コクヨ出納帳");
    EXPECT_EQ(FindReportKind(11), nullptr);
}

}  // namespace
}  // namespace velmora
