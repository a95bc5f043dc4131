#include <gtest/gtest.h>

#include "draw_fixture.h"

namespace velmora {
namespace {

using testing::DrawItems;
using testing::TenPixelsPerMm;
using Calls = std::vector<std::string>;

const std::string kLine = "0;0;0;0;line;1;1;2;1;1;実線;0;0";
const Calls kLineCalls = {"pen style=solid color=0x000000 width=1", "line 10,10 -> 20,10"};

TEST(DrawStyleTest, AFieldThatDoesNotConvertStopsThePageAtItsLine) {
    const auto drawn =
        DrawItems({kLine, "0;0;0;0;line;1;abc;2;1;1;実線;0;0", kLine}, TenPixelsPerMm());
    EXPECT_EQ(drawn.calls, kLineCalls);
    ASSERT_FALSE(drawn.result.Ok());
    EXPECT_EQ(drawn.result.error->File(), "test.sle");
    EXPECT_EQ(drawn.result.error->Line(), 3);
    EXPECT_STREQ(drawn.result.error->what(),
                 "スタイルファイル test.sle の 3 行目: 'abc' は正しい数値ではありません");

    const auto badSize =
        DrawItems({"0;0;0;0;char;1;2;1;2;0;0;0;0;F;ten;;0;0;0;x;0;0;0"}, TenPixelsPerMm());
    EXPECT_TRUE(badSize.calls.empty());
    EXPECT_EQ(badSize.result.error->Detail(), "'ten' は正しい整数ではありません");
    // A preview-only flag must be a number too.
    EXPECT_EQ(
        DrawItems({"0;0;0;0;line;1;1;2;1;1;実線;0;yes;"}, TenPixelsPerMm()).result.error->Line(),
        2);

    RecordingCanvas canvas;
    testing::FakeImageLoader images;
    const DrawResult noFile = DrawStyle(
        canvas, StyleList({"header", "0;0;0;0;rect;1;1;2;2;;実線;0;0"}), TenPixelsPerMm(), images);
    EXPECT_STREQ(noFile.error->what(), "スタイルの 2 行目: '' は正しい整数ではありません");
}

TEST(DrawStyleTest, AnEmptyLineEndsTheStyle) {
    const auto drawn = DrawItems({kLine, "", "0;0;0;0;line;5;5;6;5;1;実線;0;0"}, TenPixelsPerMm());
    EXPECT_EQ(drawn.calls, kLineCalls);
    EXPECT_TRUE(drawn.result.Ok());

    RecordingCanvas canvas;
    testing::FakeImageLoader images;
    EXPECT_TRUE(DrawStyle(canvas, NewEmptyStyle(), TenPixelsPerMm(), images).Ok());
    EXPECT_TRUE(DrawStyle(canvas, StyleList(), TenPixelsPerMm(), images).Ok());
    EXPECT_TRUE(canvas.Lines().empty());
}

TEST(DrawStyleTest, TruncatedLinesReadTheirLastPieceOrFailCleanly) {
    // "line" repeats as every further field and does not convert.
    EXPECT_EQ(DrawItems({"0;0;0;0;line"}, TenPixelsPerMm()).result.error->Line(), 2);
    EXPECT_FALSE(DrawItems({"0;0;0;0;char"}, TenPixelsPerMm()).result.Ok());
    // Every field reads "1": a text at (1, 1) with a shadow offset (1, 1) and an angle of
    // 1 degree, so the shadow and then the text are drawn rotated.
    const auto ones = DrawItems({"1;1;1;1;char;1"}, TenPixelsPerMm());
    EXPECT_TRUE(ones.result.Ok());
    EXPECT_EQ(ones.calls,
              (Calls{"font face=\"1\" rotated height=5 res=144 px=5 escapement=10 color=0x000001",
                     "text 20,20 \"1\"", "text 10,10 \"1\""}));
    EXPECT_TRUE(DrawItems({";;;;", "0;0;0;0;", "\xE3\x81"}, TenPixelsPerMm()).result.Ok());
}

}  // namespace
}  // namespace velmora
