#include "core/printstyle/style_list.h"

#include <gtest/gtest.h>

#include "core/util/errors.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

using testing::TempFolder;

TEST(StyleListTest, LoadsCp932LinesAndAMissingFileGivesAnEmptyList) {
    TempFolder folder;
    const std::string path = folder.File("A4現金出納帳.sle");
    testing::WriteCp932(path,
                        "header;Ver1.1;0;0;9;0;0;100;0;;;0;\n"
                        "0;0;0;0;char;10;20;10;20;0;0;0;0;ＭＳ 明朝;10;;0;0;0;現金出納帳;0;0;0\n"
                        "\n"
                        "0;0;0;0;line;1;1;2;2;1;実線;0;0\n");
    const StyleList style = LoadStyleFile(path);
    ASSERT_EQ(style.Count(), 4);
    EXPECT_EQ(style.Line(1),
              "0;0;0;0;char;10;20;10;20;0;0;0;0;ＭＳ 明朝;10;;0;0;0;現金出納帳;0;0;0");
    EXPECT_EQ(style.Line(2), "");
    EXPECT_EQ(style.StyleEnd(), 2);
    EXPECT_EQ(style.SourcePath(), path);

    const StyleList missing = LoadStyleFile(folder.File("none.sle"));
    EXPECT_TRUE(missing.Empty());
    EXPECT_EQ(missing.StyleEnd(), 0);
    EXPECT_THROW(missing.Line(0), ListIndexError);
}

TEST(StyleListTest, NewEmptyStyleIsTheOneHeaderLine) {
    const StyleList style = NewEmptyStyle();
    ASSERT_EQ(style.Count(), 1);
    EXPECT_EQ(style.Line(0), "header;Ver1.1;0;0;0;0;401;100;");
    EXPECT_EQ(style.StyleEnd(), 1);
    EXPECT_EQ(style.SourcePath(), "");
}

TEST(RowsPerPageTest, FirstDirectiveFromLineOneDeclaresRowsAndDrawsNothing) {
    StyleList style({"header;Ver1.1;#maxline=99;", "0;0;0;0;line;1;1;2;2;1;実線;0;0",
                     "0;0;0;0;char;10;20;10;20;0;0;0;0;ＭＳ;10;;0;0;0;#maxline=25;0;0;0",
                     "0;0;0;0;char;10;20;10;20;0;0;0;0;ＭＳ;10;;0;0;0;#maxline=30;0;0;0"});
    EXPECT_EQ(TakeRowsPerPage(style), 25);
    EXPECT_EQ(style.Line(2), "0;0;0;0;char;10;20;10;20;0;0;0;0;ＭＳ;10;;0;0;0;;0;0;0");
    EXPECT_EQ(style.Line(3), "0;0;0;0;char;10;20;10;20;0;0;0;0;ＭＳ;10;;0;0;0;#maxline=30;0;0;0");
    EXPECT_EQ(style.Line(0), "header;Ver1.1;#maxline=99;");
}

TEST(RowsPerPageTest, MissingBadNegativeAndHugeDirectives) {
    StyleList none({"header;Ver1.1;", "0;0;0;0;line;1;1;2;2;1;実線;0;0"});
    EXPECT_EQ(TakeRowsPerPage(none), 0);

    // The text field may be the last piece of the line.
    StyleList last({"header", "0;0;0;0;char;1;2;1;2;0;0;0;0;F;10;;0;0;0;#maxline=12"});
    EXPECT_EQ(TakeRowsPerPage(last), 12);
    EXPECT_EQ(last.Line(1), "0;0;0;0;char;1;2;1;2;0;0;0;0;F;10;;0;0;0;");

    StyleList bad({"header", "0;0;0;0;char;1;2;1;2;0;0;0;0;F;10;;0;0;0;#maxline=x;0"});
    EXPECT_EQ(TakeRowsPerPage(bad), 0);
    StyleList negative({"header", "0;0;0;0;char;1;2;1;2;0;0;0;0;F;10;;0;0;0;#maxline=-3;0"});
    EXPECT_EQ(TakeRowsPerPage(negative), 0);
    StyleList huge({"header", "0;0;0;0;char;1;2;1;2;0;0;0;0;F;10;;0;0;0;#maxline=2000000000;0"});
    EXPECT_EQ(TakeRowsPerPage(huge), kMaxRowsPerPage);
}

}  // namespace
}  // namespace velmora
