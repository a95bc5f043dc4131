#include "core/print/calibration_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/printstyle/recording_canvas.h"
#include "print_fixture.h"

namespace velmora::testing {
namespace {

using Lines = std::vector<std::string>;

Amount Mm(const char* text) {
    return Amount::Parse(text);
}

bool Has(const std::vector<CalibrationLine>& lines, const CalibrationLine& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(CalibrationPageTest, GridWithinThePrintableAreaFromTheOffsets) {
    // 23 x 12 mm with the origin 1.5 mm right and 2 mm up: millimetres -1..21 across and
    // 2..14 down lie on the area.
    const CalibrationSheet s = LayOutCalibration(23, 12, Mm("1.5"), Mm("-2"));
    ASSERT_EQ(s.lines.size(), 4u + 20u + 3u * 12u);
    EXPECT_EQ(s.lines[0], (CalibrationLine{Mm("1.5"), Mm("0"), Mm("1.5"), Mm("12"), 3}));
    EXPECT_EQ(s.lines[1], (CalibrationLine{Mm("11.5"), Mm("0"), Mm("11.5"), Mm("12"), 2}));
    EXPECT_EQ(s.lines[2], (CalibrationLine{Mm("21.5"), Mm("0"), Mm("21.5"), Mm("12"), 2}));
    EXPECT_EQ(s.lines[3], (CalibrationLine{Mm("0"), Mm("8"), Mm("23"), Mm("8"), 2}));
    // 1 mm ticks, 2 mm at every 5 mm, cut at the area's edge.
    EXPECT_TRUE(Has(s.lines, {Mm("0.5"), Mm("8"), Mm("0.5"), Mm("9"), 1}));
    EXPECT_TRUE(Has(s.lines, {Mm("6.5"), Mm("8"), Mm("6.5"), Mm("10"), 1}));
    EXPECT_TRUE(Has(s.lines, {Mm("1.5"), Mm("12"), Mm("2.5"), Mm("12"), 1}));
    EXPECT_TRUE(Has(s.lines, {Mm("21.5"), Mm("3"), Mm("23"), Mm("3"), 1}));
    EXPECT_FALSE(Has(s.lines, {Mm("-0.5"), Mm("8"), Mm("-0.5"), Mm("9"), 1}));

    const std::vector<CalibrationLabel> labels{{Mm("12.5"), Mm("10"), "X 1.5 mm  Y -2 mm"},
                                               {Mm("2"), Mm("0.5"), "0"},
                                               {Mm("12"), Mm("0.5"), "10"},
                                               {Mm("22"), Mm("0.5"), "20"},
                                               {Mm("0.5"), Mm("8.5"), "10"}};
    EXPECT_EQ(s.labels, labels);
}

TEST(CalibrationPageTest, DrawnInDevicePixels) {
    RecordingCanvas canvas(254);  // 10 pixels a millimetre
    DrawCalibration(canvas, LayOutCalibration(23, 12, Mm("1.5"), Mm("-2")), 254, 254);
    const Lines& lines = canvas.Lines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "pen style=solid color=0x000000 width=4");
    EXPECT_EQ(lines[1], "line 15,0 -> 15,120");
    EXPECT_EQ(lines[2], "pen style=solid color=0x000000 width=2");
    EXPECT_EQ(lines[3], "line 115,0 -> 115,120");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "line 215,30 -> 230,30"), lines.end());
    // Texts on white boxes of their measured size (the recording canvas: px / 2 a digit).
    const auto caption =
        std::find(lines.begin(), lines.end(), "text 125,100 \"X 1.5 mm  Y -2 mm\"");
    ASSERT_NE(caption, lines.end());
    EXPECT_EQ(*(caption - 1), "fillrect 125,100 295,121");
    EXPECT_EQ(lines.back(), "text 5,85 \"10\"");
    EXPECT_EQ(lines[lines.size() - 2], "fillrect 5,85 25,106");
}

// The calibration sheet, "PDFに保存…" and the progress text of the print page.
TEST(CalibrationPageTest, PrintPageRunsOnThePrinterAndToPdf) {
    PrintBench b(2);
    b.device.SetPdfPrinter(1);
    b.WriteStyle("A4現金出納帳_月分1_ゴシックG.sle", ThreeRowStyle());
    b.sources.rowsByMonth[4] = MonthRows(6, "r");
    b.job->PrepareLedger();
    b.device.ClearCalls();

    // The grid from the odd-page offsets (1, 2) mm of the style, at 600 dpi over the
    // printable area of A4 within the printer's 4 mm margins: 289 mm down.
    b.job->PrintCalibration();
    EXPECT_EQ(b.device.Calls(), (Lines{"begin", "end"}));
    const Lines& grid = b.device.Pages().back();
    ASSERT_GE(grid.size(), 2u);
    EXPECT_EQ(grid[1], "line 24,0 -> 24,6827");
    EXPECT_NE(std::find(grid.begin(), grid.end(), "text 283,331 \"X 1 mm  Y 2 mm\""), grid.end());

    // On the printer in use nothing is asked.
    b.device.ClearCalls();
    EXPECT_EQ(b.job->PrintOnChosenPrinter().sheets.size(), 3u);
    EXPECT_TRUE(b.dialogs.fileRequests.empty());

    // To PDF: the file asked for, the PDF printer for the run, the printer in use again after.
    b.dialogs.saveFileAnswers = {"/tmp/out.pdf", std::nullopt};
    b.device.ClearCalls();
    const std::size_t pages = b.device.Pages().size();
    PrintRunResult run = b.job->SaveAsPdf();
    EXPECT_FALSE(run.noFile);
    EXPECT_EQ(run.sheets.size(), 3u);
    ASSERT_EQ(b.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(b.dialogs.fileRequests[0].title, "PDFに保存");
    EXPECT_EQ(b.dialogs.fileRequests[0].fileName, "A4現金出納帳_月分1_ゴシックG.pdf");
    const Lines& calls = b.device.Calls();
    const auto begin = std::find(calls.begin(), calls.end(), "begin");
    ASSERT_NE(begin, calls.end());
    EXPECT_EQ(calls[0], "pdf /tmp/out.pdf");
    EXPECT_EQ(*std::find_if(std::make_reverse_iterator(begin), calls.rend(),
                            [](const std::string& c) { return c.rfind("select", 0) == 0; }),
              "select 1");
    EXPECT_EQ(*std::find_if(calls.rbegin(), calls.rend(),
                            [](const std::string& c) { return c.rfind("select", 0) == 0; }),
              "select 0");
    EXPECT_EQ(b.device.CurrentIndex(), 0);
    EXPECT_EQ(b.device.Pages().size(), pages + 3);

    // No file chosen: nothing printed.
    b.device.ClearCalls();
    run = b.job->SaveAsPdf();
    EXPECT_TRUE(run.noFile);
    EXPECT_EQ(std::count(b.device.Calls().begin(), b.device.Calls().end(), "begin"), 0);

    EXPECT_EQ(PrintProgressText(3, 12), "印刷中 3 / 12 ページ");
}

}  // namespace
}  // namespace velmora::testing
