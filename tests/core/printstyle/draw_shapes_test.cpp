#include <gtest/gtest.h>

#include "core/printstyle/pen_brush.h"
#include "draw_fixture.h"

namespace velmora {
namespace {

using testing::DrawItems;
using testing::kPrinterDpi;
using testing::TenPixelsPerMm;
using Calls = std::vector<std::string>;

PrinterMetrics Printer600() {
    PrinterMetrics metrics;
    metrics.dpiX = Amount::FromYen(600);
    metrics.dpiY = Amount::FromYen(600);
    return metrics;
}

TEST(PenWidthTest, PreviewAndPrinterWidthsOnA96DpiScreen) {
    const DrawContext preview = PreviewDrawContext(96, 96, 100);
    const DrawContext printer = PrinterDrawContext(Printer600(), 100);
    const std::string line = "0;0;0;0;line;10;10;20;10;1;実線;255;0";
    const std::string rect = "0;0;0;0;rect;10;10;20;20;1;実線;0;0";

    // 96 * 1 / 144 rounds to 1 on the preview; 96 * 3 / 144 = 2 on the printer.
    EXPECT_EQ(DrawItems({line}, preview).calls,
              (Calls{"pen style=solid color=0x0000ff width=1", "line 38,38 -> 76,38"}));
    EXPECT_EQ(
        DrawItems({line, rect}, printer, kPrinterDpi).calls,
        (Calls{"pen style=solid color=0x0000ff width=2", "line 236,236 -> 472,236",
               // a rect of width 1: 96 * 5 / 144 = 3.3
               "pen style=solid color=0x000000 width=3", "line 236,236 -> 472,236",
               "line 236,472 -> 472,472", "line 236,236 -> 236,472", "line 472,236 -> 472,472"}));

    // A dashed pen is one pixel wide whatever its width field.
    EXPECT_EQ(DrawItems({"0;0;0;0;line;10;10;20;10;5;破線;0;0"}, printer, kPrinterDpi).calls,
              (Calls{"pen style=dash color=0x000000 width=1", "line 236,236 -> 472,236"}));
}

TEST(PenWidthTest, RoundsHalvesAwayFromZeroAndNeverBelowOne) {
    EXPECT_EQ(PenWidthOf(1, ShapeKind::kLine, PenStyle::kSolid, false, 360), 3);  // 2.5
    EXPECT_EQ(PenWidthOf(1, ShapeKind::kLine, PenStyle::kSolid, true, 72), 2);    // 1.5
    EXPECT_EQ(PenWidthOf(0, ShapeKind::kEllipse, PenStyle::kSolid, false, 96), 1);
    EXPECT_EQ(PenWidthOf(-9, ShapeKind::kRect, PenStyle::kSolid, true, 96), 1);
    EXPECT_EQ(PenWidthOf(2, ShapeKind::kArc, PenStyle::kInsideFrame, true, 144), 6);
    EXPECT_EQ(PenWidthOf(2, ShapeKind::kFillRect, PenStyle::kSolid, true, 144), 2);
    for (PenStyle broken :
         {PenStyle::kDash, PenStyle::kDot, PenStyle::kDashDot, PenStyle::kDashDotDot})
        EXPECT_EQ(PenWidthOf(40, ShapeKind::kChord, broken, true, 144), 1);
}

TEST(ShapeItemsTest, PositionsRoundToTheNearestPixelWithHalvesToEven) {
    EXPECT_EQ(DrawItems({"0;0;0;0;line;0.25;0.35;1.45;1.55;1;実線;0;0"}, TenPixelsPerMm()).calls,
              (Calls{"pen style=solid color=0x000000 width=1", "line 2,4 -> 14,16"}));
}

TEST(ShapeItemsTest, RoundRectCornersUseTheVerticalScale) {
    DrawContext context = TenPixelsPerMm();
    context.resolutionY = Amount::FromYen(508);
    context.originX = Amount::FromYen(1);  // the corners take no origin
    EXPECT_EQ(DrawItems({"0;0;0;0;rrect;1;1;5;4;3;2;1;点線;255;SolidBrush;65280;0"}, context).calls,
              (Calls{"pen style=dot color=0x0000ff width=1", "brush style=solid color=0x00ff00",
                     "roundrect 20,20 60,80 corner=60,40"}));
}

TEST(ShapeItemsTest, AColourGivenToAClearBrushFillsButFillRectLeavesItClear) {
    EXPECT_EQ(
        DrawItems(
            {"0;0;0;0;Ellipse;1;2;3;4;2;実線;0;枠;255;0", "0;0;0;0;fillrect;1;2;3;4;枠;255;0;0"},
            TenPixelsPerMm())
            .calls,
        (Calls{"pen style=solid color=0x000000 width=2", "brush style=solid color=0x0000ff",
               "ellipse 10,20 30,40", "brush style=clear color=0xffffff", "fillrect 10,20 30,40"}));
}

TEST(ShapeItemsTest, FillRectFillsWithTheBrushTheLastShapeLeftAndOutlinesOnlyWithFlag1) {
    EXPECT_EQ(
        DrawItems({"0;0;0;0;Ellipse;1;1;2;2;1;実線;0;塗潰;255;0", "0;0;0;0;rect;1;1;2;2;3;実線;0;0",
                   "0;0;0;0;fillrect;1;2;3;4;塗潰;16711680;0;0",
                   "1;0;0;0;fillrect;5;6;7;8;塗潰;16711680;0;0"},
                  TenPixelsPerMm())
            .calls,
        (Calls{"pen style=solid color=0x000000 width=1", "brush style=solid color=0x0000ff",
               "ellipse 10,10 20,20", "pen style=solid color=0x000000 width=3",
               "line 10,10 -> 20,10", "line 10,20 -> 20,20", "line 10,10 -> 10,20",
               "line 20,10 -> 20,20",
               // white: the shapes before reset the brush
               "brush style=solid color=0xffffff", "fillrect 10,20 30,40", "fillrect 50,60 70,80",
               // the outline: colour F11, width as the rect left it
               "pen style=solid color=0xff0000 width=3", "line 50,60 -> 70,60",
               "line 50,80 -> 70,80", "line 50,60 -> 50,80", "line 70,60 -> 70,80"}));
}

TEST(ShapeItemsTest, ArcStartPointIgnoresTheOriginAndTheEndPointIsInPixels) {
    DrawContext context = TenPixelsPerMm();
    context.originX = Amount::FromYen(5);
    context.originY = Amount::FromYen(5);
    EXPECT_EQ(DrawItems({"0;0;0;0;Arc;1;1;3;3;10;10;100;200;1;実線;0;枠;0;0",
                         "0;0;0;0;Chord;1;1;3;3;2;3;7;8;1;実線;0;枠;65280;0"},
                        context)
                  .calls,
              (Calls{"pen style=solid color=0x000000 width=1",
                     "arc 60,60 80,80 start=100,100 end=100,200",
                     "brush style=solid color=0x00ff00", "chord 60,60 80,80 start=20,30 end=7,8"}));
}

TEST(ShapeItemsTest, PreviewOnlyItemsAreLeftOutOnThePrinterWithoutTheReset) {
    const std::vector<std::string> items = {
        // The flag is an integer field that needs its ";": without one it reads as 0.
        "0;0;0;0;line;1;1;2;1;1;実線;0;1;",
        "0;0;0;0;line;1;5;2;5;1;実線;0;1",
        "0;0;0;0;Ellipse;1;1;2;2;1;実線;0;塗潰;255;1;",
        "0;0;0;0;fillrect;1;2;3;4;塗潰;0;0;0",
    };
    EXPECT_EQ(
        DrawItems(items, TenPixelsPerMm()).calls,
        (Calls{"pen style=solid color=0x000000 width=1", "line 10,10 -> 20,10",
               "line 10,50 -> 20,50", "brush style=solid color=0x0000ff", "ellipse 10,10 20,20",
               "brush style=solid color=0xffffff", "fillrect 10,20 30,40"}));
    // On paper the skipped ellipse leaves its red brush for the fill.
    EXPECT_EQ(DrawItems(items, TenPixelsPerMm(), kPrinterDpi).calls,
              (Calls{"pen style=solid color=0x000000 width=3", "line 10,50 -> 20,50",
                     "brush style=solid color=0x0000ff", "fillrect 10,20 30,40"}));
}

TEST(ShapeItemsTest, HeaderItemMovesTheOriginToTheOffsetsOfThePageSide) {
    DrawContext context = TenPixelsPerMm();
    context.offsets = {Amount::FromYen(1), Amount::FromYen(2), Amount::FromYen(3),
                       Amount::FromYen(4)};
    const std::vector<std::string> items = {"0;0;0;0;line;1;1;2;1;1;実線;0;0", "0;0;0;0;header",
                                            "0;0;0;0;line;1;1;2;1;1;実線;0;0"};
    context.pageSide = 1;
    EXPECT_EQ(DrawItems(items, context).calls,
              (Calls{"pen style=solid color=0x000000 width=1", "line 10,10 -> 20,10",
                     "line 40,50 -> 50,50"}));
    context.pageSide = 0;
    EXPECT_EQ(DrawItems(items, context).calls.back(), "line 20,30 -> 30,30");
}

TEST(ShapeItemsTest, UnknownKindsAndTheHeaderLineDrawNothing) {
    const Calls none;
    EXPECT_EQ(DrawItems({"0;0;0;0;LINE;1;1;2;1;1;実線;0;0", "0;0;0;0;circle;1;1;2;2",
                         "0;0;0;0;9;0;0", "header;Ver1.1;0;0;9;0;0;100;0;;;0;"},
                        TenPixelsPerMm())
                  .calls,
              none);
}

TEST(ShapeItemsTest, AbsurdPositionsDrawFarOffThePageInsteadOfOverflowing) {
    EXPECT_EQ(DrawItems({"0;0;0;0;line;900000000000000;-900000000000000;1;1;2147483647;実線;0;0"},
                        TenPixelsPerMm())
                  .calls,
              (Calls{"pen style=solid color=0x000000 width=16777216",
                     "line 16777216,-16777216 -> 10,10"}));
}

}  // namespace
}  // namespace velmora
