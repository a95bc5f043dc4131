#include "core/print/page_draw.h"

#include <gtest/gtest.h>

#include "core/print/print_job.h"
#include "core/printstyle/image_headers.h"
#include "core/printstyle/recording_canvas.h"
#include "print_fixture.h"

namespace velmora::testing {
namespace {

std::string PreviewLine(const PrintJob& job) {
    RecordingCanvas canvas;
    HeaderImageLoader images;
    EXPECT_TRUE(job.DrawPage(canvas, images, PreviewDrawContext(96, 96, 100), true).Ok());
    for (const auto& call : canvas.Lines())
        if (call.rfind("line ", 0) == 0) return call;
    return "";
}

constexpr const char* kAtOrigin = "line 38,38 -> 76,38";
constexpr const char* kOdd = "line 42,45 -> 79,45";   // offsets (1, 2) mm
constexpr const char* kEven = "line 53,57 -> 91,57";  // offsets (4, 5) mm

TEST(PageDrawTest, KokuyoPagesAlternateOffsetsPlainPaperKeepsTheOddOnes) {
    PrintBench b;
    b.WriteStyle("コクヨ金銭出納帳_リ-101.sle", ThreeRowStyle());
    b.WriteStyle("A4現金出納帳_月分1_ゴシックG.sle", ThreeRowStyle());
    b.sources.rowsByMonth[4] = MonthRows(6);
    b.job->PrepareLedger();
    b.job->ChooseStyle({1, 0, 0, 0});

    EXPECT_EQ(PreviewLine(*b.job), kAtOrigin);  // the preview leaves offsets out
    b.job->SetOffsetPreview(true);
    EXPECT_EQ(PreviewLine(*b.job), kOdd);
    b.job->NextPage();
    EXPECT_EQ(PreviewLine(*b.job), kEven);

    b.job->SetEvenFirst(true);
    b.job->FirstPage();
    EXPECT_EQ(PreviewLine(*b.job), kEven);
    b.job->NextPage();
    EXPECT_EQ(PreviewLine(*b.job), kOdd);

    b.job->ChooseStyle({0, 0, 0, 0});
    EXPECT_EQ(PreviewLine(*b.job), kOdd);
    b.job->NextPage();
    EXPECT_EQ(b.job->state().pageSide, 0);
    b.job->NextPage();
    EXPECT_EQ(b.job->state().pageSide, 1);
    EXPECT_EQ(PreviewLine(*b.job), kOdd);
}

TEST(PageDrawTest, OffsetsInUseAndHeaderItems) {
    const PrintOffsets offsets{Amount::FromYen(1), Amount::FromYen(2), Amount::FromYen(4),
                               Amount::FromYen(5)};
    EXPECT_EQ(OffsetsInUse(2, 1, offsets), offsets);
    EXPECT_EQ(OffsetsInUse(2, 0, offsets), (PrintOffsets{Amount::FromYen(1), Amount::FromYen(2),
                                                         Amount::FromYen(1), Amount::FromYen(2)}));
    EXPECT_EQ(OffsetsInUse(5, 1, offsets).evenX, Amount::FromYen(1));  // B4 is no form
    const DrawContext even = PageDrawContext(DrawContext{}, offsets, 1);
    EXPECT_EQ(even.originX, Amount::FromYen(4));
    EXPECT_EQ(even.originY, Amount::FromYen(5));
    EXPECT_EQ(even.pageSide, 1);
    EXPECT_EQ(even.offsets, offsets);

    EXPECT_EQ(PrintedPageSide(1, false), 0);
    EXPECT_EQ(PrintedPageSide(2, false), 1);
    EXPECT_EQ(PrintedPageSide(1, true), 1);
    EXPECT_EQ(PrintedPageSide(4, true), 0);
}

TEST(PageDrawTest, PreviewSheetAndAreaAtZoom) {
    RecordingPrintDevice device(600, 4);
    const PrinterMetrics metrics = MeasurePrinter(device);
    EXPECT_EQ(ComputePreviewGeometry(metrics, 100),
              (PreviewGeometry{96, 96, {794, 1123}, {15, 15, 778, 1107}}));
    EXPECT_EQ(ComputePreviewGeometry(metrics, 5),
              (PreviewGeometry{4, 4, {40, 56}, {1, 1, 39, 55}}));
    EXPECT_EQ(ComputePreviewGeometry(metrics, 200),
              (PreviewGeometry{192, 192, {1587, 2245}, {30, 30, 1556, 2214}}));

    PrintBench b;
    b.WriteStyle("A4現金出納帳_月分1_ゴシックG.sle", ThreeRowStyle());
    b.sources.rowsByMonth[4] = MonthRows(1);
    b.job->PrepareLedger();
    b.job->SetZoom(5);
    RecordingCanvas canvas;
    HeaderImageLoader images;
    ASSERT_TRUE(b.job->PaintPreview(canvas, images).Ok());
    ASSERT_GE(canvas.Lines().size(), 2u);
    EXPECT_EQ(canvas.Lines()[0], "brush style=solid color=0xffffff");
    EXPECT_EQ(canvas.Lines()[1], "fillrect 0,0 38,54");
    EXPECT_EQ(b.job->previewGeometry().sheet, (Size{40, 56}));
}

// Lines drawn, as the recording canvas logs them.
std::vector<std::string> DrawnLines(const RecordingCanvas& canvas) {
    std::vector<std::string> lines;
    for (const std::string& line : canvas.Lines())
        if (line.rfind("line ", 0) == 0) lines.push_back(line);
    return lines;
}

TEST(PageDrawTest, AFormsPrintedLinesShowInThePreviewOnlyWhenAskedAndNeverPrint) {
    PrintBench b;
    // The style's own rule, and a line of the form's grid (preview-only flag 2).
    b.WriteStyle("A4現金出納帳_月分1_ゴシックG.sle",
                 ThreeRowStyle() + "0;0;0;0;line;10;20;50;20;0;実線;0;2;\n");
    b.sources.rowsByMonth[4] = MonthRows(1);
    b.job->PrepareLedger();
    HeaderImageLoader images;
    auto preview = [&] {
        RecordingCanvas canvas;
        EXPECT_TRUE(b.job->PaintPreview(canvas, images).Ok());
        return DrawnLines(canvas);
    };
    EXPECT_EQ(preview(), (std::vector<std::string>{"line 38,38 -> 76,38"}));
    b.job->SetFormLines(true);
    EXPECT_TRUE(b.job->panel().formLines);
    EXPECT_EQ(preview(), (std::vector<std::string>{"line 38,38 -> 76,38", "line 38,76 -> 189,76"}));

    // A print run leaves the form's lines out, ticked or not.
    b.job->SetMonthChecked(0, true);
    ASSERT_FALSE(b.job->Print().error);
    ASSERT_EQ(b.device.Pages().size(), 1u);
    std::vector<std::string> printed;
    for (const std::string& line : b.device.Pages()[0])
        if (line.rfind("line ", 0) == 0) printed.push_back(line);
    EXPECT_EQ(printed, (std::vector<std::string>{"line 260,283 -> 496,283"}));
}

}  // namespace
}  // namespace velmora::testing
