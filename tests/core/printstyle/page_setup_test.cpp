#include "core/printstyle/page_setup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/printstyle/style_error.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

using testing::TempFolder;

Amount Mm(const char* text) {
    return Amount::Parse(text);
}

TEST(StyleVersionTest, Version10TextLinesGetTheirSecondPointInMemory) {
    StyleList style({"header;Ver1.0;1;2;9;0;0;100;0;",
                     "1;0;0;0;char;10;20;0;0;0;0;ＭＳ;10;;0;0;0;abc;0;0;0",
                     "0;0;0;0;data;5.5;6;0;0;0;0;ＭＳ;10;;0;0;0;#PY;0;0;0",
                     "0;0;0;0;line;10;20;30;20;1;実線;0;0", "",
                     "0;0;0;0;char;1;2;0;0;0;0;ＭＳ;10;;0;0;0;after;0;0;0"});
    UpgradeStyleVersion(style);
    EXPECT_EQ(style.Line(0), "header;Ver1.1;1;2;9;0;0;100;0;");
    EXPECT_EQ(style.Line(1), "1;0;0;0;char;10;20;10;20;0;0;0;0;ＭＳ;10;;0;0;0;abc;0;0;0");
    EXPECT_EQ(style.Line(2), "0;0;0;0;data;5.5;6;5.5;6;0;0;0;0;ＭＳ;10;;0;0;0;#PY;0;0;0");
    EXPECT_EQ(style.Line(3), "0;0;0;0;line;10;20;30;20;1;実線;0;0");
    // Lines after the end of the style are not part of it.
    EXPECT_EQ(style.Line(5), "0;0;0;0;char;1;2;0;0;0;0;ＭＳ;10;;0;0;0;after;0;0;0");

    StyleList current(
        {"header;Ver1.1;1;2;9;0;0;100;0;", "0;0;0;0;char;10;20;0;0;0;0;ＭＳ;10;;0;0;0;abc;0;0;0"});
    const StyleList before = current;
    UpgradeStyleVersion(current);
    EXPECT_EQ(current.Lines(), before.Lines());
}

TEST(PageSetupTest, ReadsOffsetsPaperOrientationAndSourceFromTheHeader) {
    const StyleList style({"header;Ver1.1;1.5;-2;9;1;0;100;0;3.25;;7;4;"}, "a.sle");
    const PageSetup setup = ReadPageSetup(style);
    EXPECT_EQ(setup.offsets, (PrintOffsets{Mm("1.5"), Mm("-2"), Mm("3.25"), Mm("0")}));
    EXPECT_EQ(setup.paperCode, 9);
    EXPECT_EQ(setup.orientation, 1);
    EXPECT_EQ(setup.paperSource, 7);
    EXPECT_EQ(setup.printerIndex, -1);

    // The new empty style: paper code 0, portrait, no offsets.
    EXPECT_EQ(ReadPageSetup(NewEmptyStyle()), PageSetup{});
    EXPECT_EQ(ReadPageSetup(StyleList()), PageSetup{});
}

TEST(PageSetupTest, AHeaderFieldThatDoesNotConvertNamesFileAndLine) {
    const StyleList style({"header;Ver1.1;1x;0;9;0;0;100;0;;;0;"}, "/s/A4.sle");
    try {
        ReadPageSetup(style);
        FAIL();
    } catch (const StyleError& error) {
        EXPECT_EQ(error.File(), "/s/A4.sle");
        EXPECT_EQ(error.Line(), 1);
        EXPECT_STREQ(error.what(),
                     "スタイルファイル /s/A4.sle の 1 行目: '1x' は正しい数値ではありません");
    }
    EXPECT_THROW(ReadPageSetup(StyleList({"header;Ver1.1;0;0;A4;0;"})), StyleError);
    EXPECT_THROW(ReadPageSetup(StyleList({"header;Ver1.1;0;0;9;0;0;100;0;x;"})), StyleError);
}

TEST(PrinterChoiceTest, PathAndPrinterIndexLine) {
    TempFolder folder;
    EXPECT_EQ(PrinterChoicePath(folder.Path(), 2, 1), folder.Path() + "/config/2-1.conf");
    const std::string path = PrinterChoicePath(folder.Path(), 2, 1);
    EXPECT_EQ(ReadPrinterChoice(path), -1);

    std::filesystem::create_directories(folder.Path() + "/config");
    testing::WriteCp932(path, "[Other]=5\n[PrinterIndex]\n[PrinterIndex]=3\n");
    EXPECT_EQ(ReadPrinterChoice(path), 3);
    testing::WriteCp932(path, "[PrinterIndex]=abc\n");
    EXPECT_EQ(ReadPrinterChoice(path), 0);
    testing::WriteCp932(path, "[Paper_Sel]=1\n");
    EXPECT_EQ(ReadPrinterChoice(path), -1);
}

TEST(ApplyStyleHeaderTest, UpgradesReadsTheSetUpAndThePrinterChoice) {
    TempFolder folder;
    std::filesystem::create_directories(folder.Path() + "/config");
    const std::string choice = PrinterChoicePath(folder.Path(), 9, 0);
    testing::WriteCp932(choice, "[PrinterIndex]=2\n");
    StyleList style({"header;Ver1.0;0;0;12;1;0;100;0;;;0;",
                     "0;0;0;0;char;10;20;0;0;0;0;ＭＳ;10;;0;0;0;abc;0;0;0"});
    const PageSetup setup = ApplyStyleHeader(style, choice);
    EXPECT_EQ(style.Line(0), "header;Ver1.1;0;0;12;1;0;100;0;;;0;");
    EXPECT_EQ(style.Line(1), "0;0;0;0;char;10;20;10;20;0;0;0;0;ＭＳ;10;;0;0;0;abc;0;0;0");
    EXPECT_EQ(setup.paperCode, 12);
    EXPECT_EQ(setup.orientation, 1);
    EXPECT_EQ(setup.printerIndex, 2);
}

TEST(StyleHeaderLineTest, RewritesTheHeaderFromTheSettings) {
    PageSetup setup;
    setup.offsets = {Mm("1.5"), Mm("-2"), Mm("3.25"), Mm("0")};
    setup.paperCode = 9;
    setup.orientation = 1;
    setup.paperSource = 7;
    setup.printerIndex = 2;
    const std::string line = StyleHeaderLine(setup, 80, 3);
    EXPECT_EQ(line, "header;Ver1.1;1.5;-2;9;1;0;80;3;3.25;0;7;2;;");
    // What the rewrite writes reads back as the same set-up.
    PageSetup back = ReadPageSetup(StyleList({line}));
    back.printerIndex = 2;
    EXPECT_EQ(back, setup);
}

}  // namespace
}  // namespace velmora
