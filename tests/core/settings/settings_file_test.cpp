#include "core/settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

TEST(SettingsFile, FlagLinesMatchOnlyAsWholeLines) {
    Settings s = ParseSettingsLines(
        {"[OPTION1]=2", "[OPTION2]=TRUE", "[OPTION3]=2", "[FONT_SIZE]=12", "[Start_Opt_1]=2"},
        true);
    EXPECT_EQ(s.useTypeOption, 2);
    EXPECT_TRUE(s.negativeInRed);
    EXPECT_EQ(s.fontType, 2);
    EXPECT_EQ(s.fontSize, 12);
    EXPECT_EQ(s.startOption, 2);

    EXPECT_EQ(ParseSettingsLines({"[FONT_SIZE]=9"}, true).fontSize, 9);
    EXPECT_EQ(ParseSettingsLines({"[FONT_SIZE]=11"}, true).fontSize, 11);

    // A trailing blank, another value or another case is no match: the defaults stay.
    s = ParseSettingsLines(
        {"[OPTION2]=TRUE ", "[OPTION3]=3", "[FONT_SIZE]=13", "[FONT_SIZE]=1", "[FONT_SIZE]=100",
         "[Start_Opt_1]= 2", "[start_opt_1]=2", "[OPTION1]=3"},
        true);
    EXPECT_EQ(s, Settings{});
}

TEST(SettingsFile, TextValuesSplitAtTheFirstEqualsSign) {
    const Lines lines = {"[FILE_DIR]=  /home/u/a=b.exv  ",
                         "[COMPANY_NAME]=\t山田商店 ",
                         "[PRINT_STYLE1]= x ",
                         "[PRINT_STYLE2]=y",
                         "[FILE_DIR] =/ignored",
                         "[UNKNOWN]=1",
                         "no equals sign"};
    Settings trimmed = ParseSettingsLines(lines, true);
    EXPECT_EQ(trimmed.fileDir, "/home/u/a=b.exv");
    EXPECT_EQ(trimmed.companyName, "山田商店");
    EXPECT_EQ(trimmed.printStyle1, "x");
    EXPECT_EQ(trimmed.printStyle2, "y");
    EXPECT_EQ(trimmed.startOption, 1);

    Settings shown = ParseSettingsLines(lines, false);
    EXPECT_EQ(shown.fileDir, "  /home/u/a=b.exv  ");
    EXPECT_EQ(shown.companyName, "\t山田商店 ");
}

TEST(SettingsFile, WritesItsLinesAndReadsThemBack) {
    Settings s;
    s.fileDir = "/home/u/帳簿.exv";
    s.companyName = "山田商店";
    s.negativeInRed = true;
    s.fontType = 2;
    s.fontSize = 9;
    s.startOption = 2;
    s.showNationalHolidays = false;
    EXPECT_EQ(SettingsFileLines(s), (Lines{"[FILE_DIR]=/home/u/帳簿.exv", "[COMPANY_NAME]=山田商店",
                                           "[OPTION2]=TRUE", "[OPTION3]=2", "[FONT_SIZE]=9",
                                           "[Start_Opt_1]=2", "[NATIONAL_HOLIDAYS]=FALSE"}));
    EXPECT_EQ(SettingsFileLines(Settings{}),
              (Lines{"[FILE_DIR]=", "[COMPANY_NAME]=", "[OPTION2]=FALSE", "[OPTION3]=1",
                     "[FONT_SIZE]=10", "[Start_Opt_1]=1", "[NATIONAL_HOLIDAYS]=TRUE"}));
    EXPECT_EQ(ParseSettingsLines(SettingsFileLines(s), true), s);

    testing::TempFolder folder;
    const std::string path = folder.File("velmora.conf");
    EXPECT_EQ(ReadSettingsFile(path, true), Settings{});
    testing::WriteCp932(path, "[COMPANY_NAME]=山田商店\n[Start_Opt_1]=2\n");
    Settings read = ReadSettingsFile(path, true);
    EXPECT_EQ(read.companyName, "山田商店");
    EXPECT_EQ(read.startOption, 2);
    // A file of the time before the national holidays, or of the Windows program: on.
    EXPECT_TRUE(read.showNationalHolidays);
}

}  // namespace
}  // namespace velmora
