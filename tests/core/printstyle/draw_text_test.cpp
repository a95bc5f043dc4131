#include <gtest/gtest.h>

#include <algorithm>

#include "core/printstyle/text_item.h"
#include "draw_fixture.h"

namespace velmora {
namespace {

using testing::DrawItems;
using testing::kPrinterDpi;
using testing::TenPixelsPerMm;
using Calls = std::vector<std::string>;

// A text item at x, y with the given fields F12..F25 (after the second point and shadow).
std::string TextLine(const std::string& x, const std::string& y, const std::string& rest) {
    return "0;0;0;0;char;" + x + ";" + y + ";" + x + ";" + y + ";" + rest;
}

const std::string kFont10 =
    "font face=\"ＭＳ 明朝\" size=10 res=144 px=20 bold=0 italic=0 color=0x000000";

TEST(TextItemTest, HorizontalTextInOnePiece) {
    EXPECT_EQ(DrawItems({TextLine("10", "20", "0;0;0;0;ＭＳ 明朝;10;太字;0;0;255;abc;0;0;0")},
                        TenPixelsPerMm())
                  .calls,
              (Calls{"font face=\"ＭＳ 明朝\" size=10 res=144 px=20 bold=1 italic=0 color=0x0000ff",
                     "text 100,200 \"abc\""}));
    // "data" items draw the same way; on the printer the font is realised at 600 dpi.
    EXPECT_EQ(DrawItems({"0;0;0;0;data;10;20;0;0;0;0;0;0;ＭＳ 明朝;10;;0;0;0;abc;0;0;0"},
                        TenPixelsPerMm(), kPrinterDpi)
                  .calls,
              (Calls{"font face=\"ＭＳ 明朝\" size=10 res=144 px=83 bold=0 italic=0 color=0x000000",
                     "text 100,200 \"abc\""}));
}

TEST(TextItemTest, NothingIsDrawnAtXZeroForAnEmptyTextOrForPreviewOnlyOnPaper) {
    const Calls none;
    EXPECT_EQ(DrawItems({TextLine("0", "20", "0;0;0;0;ＭＳ 明朝;10;;0;0;0;abc;0;0;0"),
                         TextLine("0", "20", "0.3;0.3;0;0;ＭＳ 明朝;10;;0;0;0;abc;0;0;0;0;0"),
                         TextLine("10", "20", "0;0;0;0;ＭＳ 明朝;10;;0;0;0;;0;0;0")},
                        TenPixelsPerMm())
                  .calls,
              none);
    const std::string previewOnly = TextLine("10", "20", "0;0;0;0;ＭＳ 明朝;10;;0;0;0;abc;1;0;0");
    EXPECT_EQ(DrawItems({previewOnly}, TenPixelsPerMm(), kPrinterDpi).calls, none);
    EXPECT_EQ(DrawItems({previewOnly}, TenPixelsPerMm()).calls.size(), 2u);
}

TEST(TextItemTest, NegativePitchEndsTheTextAtX) {
    EXPECT_EQ(DrawItems({TextLine("50", "20", "0;0;0;0;ＭＳ 明朝;10;;0;-2;0;12345;0;0;0")},
                        TenPixelsPerMm())
                  .calls,
              (Calls{kFont10, "text 400,200 \"1\"", "text 420,200 \"2\"", "text 440,200 \"3\"",
                     "text 460,200 \"4\"", "text 480,200 \"5\""}));
}

TEST(TextItemTest, DigitAlignmentShiftsAFourDigitTextFiveMillimetresLeft) {
    // A 10-point "5" is 10 pixels at 144 dpi: 10 * 25.4 / 144 = 1.76, so d = 2 mm.
    EXPECT_EQ(DrawItems({TextLine("50", "20", "0;0;0;0;ＭＳ 明朝;10;;0;4;0;1234;0;0;1")},
                        TenPixelsPerMm())
                  .calls,
              (Calls{kFont10, "width \"5\" res=144 = 10", "text 450,200 \"1\"",
                     "text 490,200 \"2\"", "text 530,200 \"3\"", "text 570,200 \"4\""}));
}

TEST(TextItemTest, DigitAlignmentTable) {
    auto shift = [](int n, std::int64_t d, int pitchMm, int size) {
        return DigitAlignmentShift(n, d, Amount::FromYen(pitchMm), size).Raw() / Amount::kScale;
    };
    EXPECT_EQ(shift(1, 2, 4, 10), 0);
    EXPECT_EQ(shift(2, 3, 4, 10), -2);  // nearest(1.5)
    EXPECT_EQ(shift(2, 5, 4, 10), -2);  // nearest(2.5)
    EXPECT_EQ(shift(3, 2, 7, 10), -3);  // -2 - trunc(1.75)
    EXPECT_EQ(shift(3, 2, 7, 48), -1);
    EXPECT_EQ(shift(4, 2, 4, 10), -5);
    EXPECT_EQ(shift(5, 2, 8, 10), -6);  // nearest(2.5) = 2
    EXPECT_EQ(shift(5, 2, 4, 10), -6);  // nearest(1.5) = 2
    EXPECT_EQ(shift(6, 2, 2, 10), -6);
    EXPECT_EQ(shift(7, 3, 4, 10), -11);
    EXPECT_EQ(shift(8, 3, 4, 10), -13);
    EXPECT_EQ(shift(9, 3, 4, 10), 0);
}

TEST(TextItemTest, VerticalTextSteps) {
    // Mode 1 with pitch 0 and size 10: 5 mm per character downward.
    EXPECT_EQ(
        DrawItems({TextLine("10", "20", "0;0;0;0;ＭＳ 明朝;10;;1;0;0;縦書き;0;0;0")},
                  TenPixelsPerMm())
            .calls,
        (Calls{kFont10, "text 100,200 \"縦\"", "text 100,250 \"書\"", "text 100,300 \"き\""}));
    EXPECT_EQ(DrawItems({TextLine("10", "20", "0;0;0;0;ＭＳ 明朝;10;;7;-3;0;abc;0;0;0")},
                        TenPixelsPerMm())
                  .calls,
              (Calls{kFont10, "text 100,110 \"a\"", "text 100,140 \"b\"", "text 100,170 \"c\""}));
}

TEST(TextItemTest, AnAngleRotatesWhateverTheMode) {
    const std::string rotated = TextLine("10", "20", "0;0;90;0;ＭＳ 明朝;10;太字;0;0;0;回転;0;0;0");
    EXPECT_EQ(DrawItems({rotated}, TenPixelsPerMm()).calls,
              (Calls{"font face=\"ＭＳ 明朝\" rotated height=14 res=144 px=14 escapement=900 "
                     "color=0x000000",
                     "text 100,200 \"回転\""}));
    DrawContext zoomed = TenPixelsPerMm();
    zoomed.zoom = 150;
    EXPECT_EQ(DrawItems({rotated}, zoomed, kPrinterDpi).calls.front(),
              "font face=\"ＭＳ 明朝\" rotated height=21 res=144 px=88 escapement=900 "
              "color=0x000000");
    // Mode 4 without an angle is upright; the next item gets an upright font again.
    EXPECT_EQ(DrawItems({TextLine("10", "20", "0;0;0;0;ＭＳ 明朝;10;;4;0;0;x;0;0;0"), rotated,
                         TextLine("10", "20", "0;0;0;0;ＭＳ 明朝;10;;0;0;0;y;0;0;0")},
                        TenPixelsPerMm())
                  .calls,
              (Calls{"font face=\"ＭＳ 明朝\" rotated height=14 res=144 px=14 escapement=0 "
                     "color=0x000000",
                     "text 100,200 \"x\"",
                     "font face=\"ＭＳ 明朝\" rotated height=14 res=144 px=14 escapement=900 "
                     "color=0x000000",
                     "text 100,200 \"回転\"", kFont10, "text 100,200 \"y\""}));
}

TEST(TextItemTest, AShadowIsDrawnFirstAndF24F25LimitTheMainText) {
    EXPECT_EQ(DrawItems({TextLine("10", "20",
                                  "0.3;0.3;0;8421504;ＭＳ 明朝;10;;0;0;255;abcdef;0;2;0;4;0")},
                        TenPixelsPerMm())
                  .calls,
              (Calls{"font face=\"ＭＳ 明朝\" size=10 res=144 px=20 bold=0 italic=0 color=0x808080",
                     "text 103,203 \"ab\"",
                     "font face=\"ＭＳ 明朝\" size=10 res=144 px=20 bold=0 italic=0 color=0x0000ff",
                     "text 100,200 \"abcd\""}));
}

TEST(TextItemTest, MaximumLengthCountsUtf16UnitsAndKeepsSurrogatePairsWhole) {
    // U+2000B takes two UTF-16 units.
    auto drawn = [](const std::string& limit) {
        return DrawItems(
                   {TextLine("10", "20", "0;0;0;0;F;10;;0;0;0;a\U0002000Bb;0;" + limit + ";0")},
                   TenPixelsPerMm())
            .calls.back();
    };
    EXPECT_EQ(drawn("2"), "text 100,200 \"a\"");
    EXPECT_EQ(drawn("3"), "text 100,200 \"a\U0002000B\"");
    EXPECT_EQ(drawn("4"), "text 100,200 \"a\U0002000Bb\"");
    EXPECT_EQ(drawn("0"), "text 100,200 \"a\U0002000Bb\"");
}

TEST(TextItemTest, OutlinedTextFillsItsBoxThroughTheTextOutline) {
    const Calls calls = DrawItems({TextLine("10", "20", "0;0;0;0;F;10;斜体;2;0;255;AB;0;0;0"),
                                   "0;0;0;0;fillrect;1;1;2;2;塗潰;0;0;0",
                                   TextLine("10", "20", "0;0;0;0;F;10;;2;0;255;  ;0;0;0")},
                                  TenPixelsPerMm())
                            .calls;
    EXPECT_EQ(calls, (Calls{"font face=\"F\" size=10 res=144 px=20 bold=1 italic=1 color=0x0000ff",
                            "extent \"AB\" = 20x20", "beginpath", "pathtext 100,200 120,220 \"AB\"",
                            "endpath", "pathclip nonempty", "brush style=solid color=0x0000ff",
                            "fillrect 100,200 120,220", "unclip",
                            // the fill after the text keeps the text's brush
                            "fillrect 10,10 20,20",
                            // blanks give an empty outline: no fill
                            "font face=\"F\" size=10 res=144 px=20 bold=1 italic=0 color=0x0000ff",
                            "extent \"  \" = 20x20", "beginpath", "pathtext 100,200 120,220 \"  \"",
                            "endpath", "pathclip empty", "unclip"}));
}

TEST(TextItemTest, GradientTextFillsOnePixelBandsFromTopToBottomColour) {
    // From black to red 200 / blue 10 over a 20-pixel text: 21 bands.
    const Calls calls =
        DrawItems({TextLine("10", "20", "0;0;0;655560;F;10;;3;0;0;AB;0;0;0")}, TenPixelsPerMm())
            .calls;
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const std::string& c) { return c.rfind("fillrect", 0) == 0; }),
              21);
    auto band = [&](const std::string& fill) {
        auto at = std::find(calls.begin(), calls.end(), fill);
        return at == calls.begin() || at == calls.end() ? std::string() : *(at - 1);
    };
    EXPECT_EQ(band("fillrect 100,200 120,201"), "brush style=solid color=0x000000");
    EXPECT_EQ(band("fillrect 100,201 120,202"), "brush style=solid color=0x00000a");
    EXPECT_EQ(band("fillrect 100,203 120,204"), "brush style=solid color=0x02001e");
    EXPECT_EQ(band("fillrect 100,220 120,221"), "brush style=solid color=0x0a00c8");
    EXPECT_EQ(calls.back(), "unclip");
}

}  // namespace
}  // namespace velmora
