#include "core/printstyle/recording_canvas.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using Calls = std::vector<std::string>;

TEST(RecordingCanvasTest, StateReachesTheLogOnlyWhenUsedAndChanged) {
    RecordingCanvas canvas;
    canvas.SetPenColour(0x123456);
    canvas.SetPenWidth(4);
    canvas.SetBrushStyle(BrushStyle::kClear);
    canvas.DrawLine({1, 2}, {3, 4});
    canvas.SetPenWidth(4);
    canvas.DrawLine({5, 6}, {7, 8});
    canvas.SetBrushColour(0x0000FF);  // a clear brush given a colour turns solid
    canvas.Ellipse({0, 0, 10, 10});
    canvas.SetPenColour(0);
    canvas.FillRect({1, 1, 2, 2});
    EXPECT_EQ(canvas.Lines(),
              (Calls{"pen style=solid color=0x123456 width=4", "line 1,2 -> 3,4", "line 5,6 -> 7,8",
                     "brush style=solid color=0x0000ff", "ellipse 0,0 10,10", "fillrect 1,1 2,2"}));
    EXPECT_EQ(canvas.Text().substr(0, 41), "pen style=solid color=0x123456 width=4\nli");
}

TEST(RecordingCanvasTest, FontsMeasurementAndQuoting) {
    RecordingCanvas preview;
    preview.SetFontFace("Gothic \"P\"");
    preview.SetFontSize(10, 96);  // 96 * 10 / 72 = 13.3
    EXPECT_EQ(preview.TextExtent("aｱ亜"), (Size{6 + 6 + 13, 13}));
    EXPECT_EQ(preview.TextWidthAt("55", 144), 20);
    preview.TextOut({-1, 2}, "a\\b\"\t");
    EXPECT_EQ(preview.Lines(),
              (Calls{"font face=\"Gothic \\\"P\\\"\" size=10 res=96 px=13 bold=0 italic=0 "
                     "color=0x000000",
                     "extent \"aｱ亜\" = 25x13", "width \"55\" res=144 = 20",
                     "text -1,2 \"a\\\\b\\\"\\x09\""}));

    RecordingCanvas printer(600);
    EXPECT_TRUE(printer.IsPrinter());
    EXPECT_FALSE(preview.IsPrinter());
    Font font;
    font.points = 9;
    font.resolution = 96;
    EXPECT_EQ(printer.FontPixels(font), 75);  // 600 * 9 / 72
    EXPECT_EQ(preview.FontPixels(font), 12);
    font.rotated = true;
    font.cellHeight = 14;
    EXPECT_EQ(printer.FontPixels(font), 88);  // 14 * 600 / 96 = 87.5
    EXPECT_EQ(preview.FontPixels(font), 14);
}

TEST(RecordingCanvasTest, PathsClipsAndBitmaps) {
    RecordingCanvas canvas;
    canvas.SetFontSize(0, 96);
    canvas.BeginPath();
    canvas.PathText({0, 0, 5, 5}, "x");
    canvas.EndPath();
    EXPECT_FALSE(canvas.PathToClip());  // a font of no height draws no outline
    canvas.RemoveClip();
    canvas.SetFontSize(12, 96);
    canvas.BeginPath();
    canvas.PathText({0, 0, 5, 5}, " x");
    canvas.EndPath();
    EXPECT_TRUE(canvas.PathToClip());
    Bitmap bitmap("p.bmp", 3, 2);
    canvas.DrawBitmap({1, 2, 7, 6}, bitmap);
    EXPECT_EQ(canvas.Lines().back(), "bitmap \"p.bmp\" 3x2 -> 1,2 7,6");
    EXPECT_EQ(canvas.Lines()[2], "pathtext 0,0 5,5 \"x\"");
    EXPECT_EQ(canvas.Lines()[5], "unclip");
}

}  // namespace
}  // namespace velmora
