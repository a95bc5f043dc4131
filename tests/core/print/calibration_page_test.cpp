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

    // The numbers in the cells right of and below the first 10 mm line across (8 mm down),
    // the instruction with the offsets one cell further.
    const std::vector<CalibrationLabel> labels{
        {Mm("14"), Mm("20.5"), std::string(kCalibrationInstruction) + "  X 1.5 mm  Y -2 mm"},
        {Mm("4"), Mm("10.5"), "0"},
        {Mm("14"), Mm("10.5"), "10"},
        {Mm("24"), Mm("10.5"), "20"}};
    EXPECT_EQ(s.labels, labels);
}

// A number's box at 6 pt (2.12 mm high, 1.06 mm a digit) against a line of the grid, in
// ten-thousandths of a millimetre.
bool Crosses(const CalibrationLabel& label, const CalibrationLine& line) {
    const std::int64_t x = label.x.Raw(), y = label.y.Raw();
    const std::int64_t right = x + 10600 * static_cast<std::int64_t>(label.text.size());
    const std::int64_t bottom = y + 21200;
    const std::int64_t x1 = std::min(line.x1.Raw(), line.x2.Raw());
    const std::int64_t x2 = std::max(line.x1.Raw(), line.x2.Raw());
    const std::int64_t y1 = std::min(line.y1.Raw(), line.y2.Raw());
    const std::int64_t y2 = std::max(line.y1.Raw(), line.y2.Raw());
    return x1 <= right && x2 >= x && y1 <= bottom && y2 >= y;
}

TEST(CalibrationPageTest, NoNumberTouchesALineOrATick) {
    for (const auto& [dx, dy] : {std::pair{"0", "0"}, {"1.5", "-2"}, {"-7.3", "4.6"}}) {
        const CalibrationSheet s = LayOutCalibration(202, 289, Mm(dx), Mm(dy));
        ASSERT_GT(s.labels.size(), 40u);
        for (std::size_t i = 1; i < s.labels.size(); ++i)
            for (const CalibrationLine& line : s.lines)
                ASSERT_FALSE(Crosses(s.labels[i], line))
                    << dx << "," << dy << " " << s.labels[i].text << " at "
                    << s.labels[i].x.PlainText() << "," << s.labels[i].y.PlainText();
    }
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
    const auto caption = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.rfind("text 140,205 \"使い方", 0) == 0;
    });
    ASSERT_NE(caption, lines.end());
    EXPECT_EQ(caption->substr(caption->size() - 18), "X 1.5 mm  Y -2 mm\"");
    EXPECT_EQ(caption[-1].rfind("fillrect 140,205 ", 0), 0u);
    EXPECT_EQ(lines.back(), "text 240,105 \"20\"");
    EXPECT_EQ(lines[lines.size() - 2], "fillrect 240,105 260,126");
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
    EXPECT_NE(std::find_if(grid.begin(), grid.end(),
                           [](const std::string& l) {
                               return l.rfind("text ", 0) == 0 &&
                                      l.find("X 1 mm  Y 2 mm") != std::string::npos;
                           }),
              grid.end());

    // On the printer in use nothing is asked.
    b.device.ClearCalls();
    EXPECT_EQ(b.job->PrintOnChosenPrinter().sheets.size(), 3u);
    EXPECT_TRUE(b.dialogs.fileRequests.empty());

    // To PDF: the file asked for, the PDF printer for the run, the printer in use again after.
    b.dialogs.saveFileAnswers = {"/tmp/out.pdf", std::nullopt};
    b.sources.outputFolder = "/ledgers";
    b.device.ClearCalls();
    const std::size_t pages = b.device.Pages().size();
    PrintRunResult run = b.job->SaveAsPdf();
    EXPECT_FALSE(run.noFile);
    EXPECT_EQ(run.sheets.size(), 3u);
    ASSERT_EQ(b.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(b.dialogs.fileRequests[0].title, "PDFに保存");
    EXPECT_EQ(b.dialogs.fileRequests[0].fileName, "現金出納帳_2014年04月.pdf");
    EXPECT_EQ(b.dialogs.fileRequests[0].initialFolder, "/ledgers");  // the ledger's
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

    // The name offered for the monthly list and for a fixed report: the fiscal year.
    b.sources.summaryData = {"科　目;"};
    b.job->PrepareMonthlySummary();
    b.job->SaveAsPdf();
    EXPECT_EQ(b.dialogs.fileRequests.back().fileName, "月別一覧表_2014年度.pdf");
    b.job->PrepareBookBalances();
    b.job->SaveAsPdf();
    EXPECT_EQ(b.dialogs.fileRequests.back().fileName, "月別帳簿別残高一覧表_2014年度.pdf");

    EXPECT_EQ(PrintProgressText(3, 12), "印刷中 3 / 12 ページ");
}

}  // namespace
}  // namespace velmora::testing
