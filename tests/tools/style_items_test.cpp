// The item lines the generator writes: field order, number forms and the header line.
#include <gtest/gtest.h>

#include "tools/make_styles/style_items.h"
#include "tools/make_styles/style_sheet.h"
#include "tools/shipped_styles.h"

namespace velmora::testing {
namespace {

TEST(StyleItems, MillimetresArePlainDecimalsToTheHundredth) {
    EXPECT_EQ(MmText(12.5), "12.5");
    EXPECT_EQ(MmText(-1.6), "-1.6");
    EXPECT_EQ(MmText(0), "0");
    EXPECT_EQ(MmText(193), "193");
    EXPECT_EQ(MmText(49.98611), "49.99");
    EXPECT_EQ(MmText(11.87), "11.87");
    EXPECT_EQ(MmText(0.004), "0");
    EXPECT_EQ(MmText(-0.004), "0");  // never "-0"
    EXPECT_EQ(MmText(-8), "-8");
}

TEST(StyleItems, HeaderLineCarriesPaperOrientationAndEvenPageOffsets) {
    EXPECT_EQ(HeaderLine({.paperCode = 9}), "header;Ver1.1;0;0;9;0;0;100;0;0;0;0;0;");
    EXPECT_EQ(HeaderLine({.paperCode = 12, .landscape = true}),
              "header;Ver1.1;0;0;12;1;0;100;0;0;0;0;0;");
    EXPECT_EQ(HeaderLine({.paperCode = 13, .evenOffsetX = -8, .evenOffsetY = 1.5}),
              "header;Ver1.1;0;0;13;0;0;100;0;-8;1.5;0;0;");
}

TEST(StyleItems, TextLineHasTheTwentyThreeFieldsOfATextItem) {
    EXPECT_EQ(
        TextLine({.x = 142,
                  .y = 49.99,
                  .font = "IPAexGothic",
                  .points = 10,
                  .text = "#id_01",
                  .pitch = -1.9,
                  .holdsPlaceholder = true}),
        "0;0;0;0;data;142;49.99;142;49.99;0;0;0;0;IPAexGothic;10;標準;0;-1.9;0;#id_01;0;0;0;");
    EXPECT_EQ(TextLine({.x = 12.1,
                        .y = 10,
                        .font = "IPAexMincho",
                        .points = 18,
                        .text = "日付",
                        .weight = FontWeight::kBold,
                        .maxLength = 8,
                        .colour = 255}),
              "0;0;0;0;char;12.1;10;12.1;10;0;0;0;0;IPAexMincho;18;太字;0;0;255;日付;0;8;0;");
}

TEST(StyleItems, LinesBoxesAndFilledBoxes) {
    EXPECT_EQ(LineLine({9, 55.5, 193, 55.5}, 0, kDottedPen),
              "0;0;0;0;line;9;55.5;193;55.5;0;点線;0;0;");
    EXPECT_EQ(RectLine({9, 40, 193, 273}, 3), "0;0;0;0;rect;9;40;193;273;3;実線;0;0;");
    // A filled box is a square-cornered rounded rectangle: its brush colour fills it.
    EXPECT_EQ(FilledBoxLine({9, 40, 193, 48}, Rgb(217, 217, 217)),
              "0;0;0;0;rrect;9;40;193;48;0;0;0;実線;14277081;塗潰;14277081;0;");
    EXPECT_EQ(Rgb(255, 0, 0), 255);
    EXPECT_EQ(Rgb(0, 0, 255), 0xFF0000);
}

TEST(StyleItems, SheetStartsWithItsHeaderAndDeclaresRowsAtXZero) {
    StyleSheet sheet(PageSetup{.paperCode = 9});
    sheet.AddRowsPerPage(30, "IPAexGothic");
    ASSERT_EQ(sheet.Lines().size(), 2u);
    const std::vector<std::string> fields = StyleFields(sheet.Lines()[1]);
    EXPECT_EQ(fields[5], "0");
    EXPECT_EQ(fields[19], "#maxline=30");
    EXPECT_EQ(TwoDigits(7), "07");
    EXPECT_EQ(TwoDigits(30), "30");
    EXPECT_EQ(TwoDigits(100), "100");
}

TEST(StyleItems, EstimatedWidthCountsJapaneseAsOneEmAndAsciiAsHalf) {
    EXPECT_DOUBLE_EQ(EmOf(72), 25.4);
    EXPECT_DOUBLE_EQ(EstimatedWidth("作成日", 72), 3 * 25.4);
    EXPECT_DOUBLE_EQ(EstimatedWidth("2099/12/31", 72), 5 * 25.4);
    EXPECT_DOUBLE_EQ(EstimatedWidth("頁　99", 72), 3 * 25.4);
    EXPECT_DOUBLE_EQ(EstimatedWidth("", 10), 0);
}

}  // namespace
}  // namespace velmora::testing
