#include "core/printstyle/named_styles.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(NamedStylesTest, PenNamesAndTheSolidFallback) {
    EXPECT_EQ(PenStyleOf("実線"), PenStyle::kSolid);
    EXPECT_EQ(PenStyleOf("破線"), PenStyle::kDash);
    EXPECT_EQ(PenStyleOf("点線"), PenStyle::kDot);
    EXPECT_EQ(PenStyleOf("一点鎖線"), PenStyle::kDashDot);
    EXPECT_EQ(PenStyleOf("二点鎖線"), PenStyle::kDashDotDot);
    EXPECT_EQ(PenStyleOf("立体線"), PenStyle::kInsideFrame);
    EXPECT_EQ(PenStyleOf("psDash"), PenStyle::kSolid);
    EXPECT_EQ(PenStyleOf(""), PenStyle::kSolid);
}

TEST(NamedStylesTest, BrushNamesInBothLanguagesAndTheSolidFallback) {
    const std::pair<const char*, const char*> names[] = {
        {"SolidBrush", "塗潰"},     {"ClearBrush", "枠"},         {"HorizontalBrush", "水平"},
        {"VerticalBrush", "垂直"},  {"FDiagonalBrush", "右斜線"}, {"BDiagonalBrush", "左斜線"},
        {"CrossBrush", "垂直十字"}, {"DiagCrossBrush", "斜十字"},
    };
    const BrushStyle styles[] = {
        BrushStyle::kSolid,    BrushStyle::kClear,           BrushStyle::kHorizontal,
        BrushStyle::kVertical, BrushStyle::kForwardDiagonal, BrushStyle::kBackwardDiagonal,
        BrushStyle::kCross,    BrushStyle::kDiagonalCross,
    };
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(BrushStyleOf(names[i].first), styles[i]) << names[i].first;
        EXPECT_EQ(BrushStyleOf(names[i].second), styles[i]) << names[i].second;
    }
    EXPECT_EQ(BrushStyleOf("clearbrush"), BrushStyle::kSolid);
    EXPECT_EQ(BrushStyleOf("なし"), BrushStyle::kSolid);
}

TEST(NamedStylesTest, FontStyleNamesAndTheRegularFallback) {
    EXPECT_EQ(FontStyleOf("太字"), (FontStyle{true, false}));
    EXPECT_EQ(FontStyleOf("斜体"), (FontStyle{false, true}));
    EXPECT_EQ(FontStyleOf("太字斜体"), (FontStyle{true, true}));
    EXPECT_EQ(FontStyleOf("標準"), FontStyle{});
    EXPECT_EQ(FontStyleOf("Bold"), FontStyle{});
}

}  // namespace
}  // namespace velmora
