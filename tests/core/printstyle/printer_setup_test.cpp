#include "core/printstyle/printer_setup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

// A printer that records the set-up calls and reports fixed metrics.
class FakePrinter final : public Printer {
public:
    int count = 2;
    int current = 0;
    std::vector<std::string> calls;

    int PrinterCount() const override { return count; }
    int CurrentIndex() const override { return current; }
    void SelectPrinter(int index) override {
        current = index;
        calls.push_back("select " + std::to_string(index));
    }
    void SetPaperCode(int code) override { calls.push_back("paper " + std::to_string(code)); }
    void SetPaperSource(int source) override {
        calls.push_back("source " + std::to_string(source));
    }
    void SetCopies(int copies) override { calls.push_back("copies " + std::to_string(copies)); }
    void SetOrientation(Orientation orientation) override {
        calls.push_back(orientation == Orientation::kLandscape ? "landscape" : "portrait");
    }
    int DpiX() const override { return 600; }
    int DpiY() const override { return 1200; }
    int PhysicalOffsetX() const override { return 100; }
    int PhysicalOffsetY() const override { return 300; }
    int PhysicalWidth() const override { return 4960; }
    int PhysicalHeight() const override { return 14032; }
    int PageWidth() const override { return 4760; }
    int PageHeight() const override { return 13432; }
    int ScreenDpiX() const override { return 96; }
    int ScreenDpiY() const override { return 120; }
};

TEST(ApplyPageSetupTest, SelectsThePrinterAndWritesTheDeviceSettings) {
    FakePrinter printer;
    ApplyPageSetup(printer, 9, 1, 7, 1, 3);
    EXPECT_EQ(printer.calls, (std::vector<std::string>{"select 1", "paper 9", "source 7",
                                                       "copies 3", "landscape"}));

    // An index beyond the installed printers falls back to the current one; -1 keeps it.
    printer.calls.clear();
    ApplyPageSetup(printer, 12, 0, 0, 5, 1);
    EXPECT_EQ(printer.calls, (std::vector<std::string>{"select 1", "paper 12", "source 0",
                                                       "copies 1", "portrait"}));
    printer.calls.clear();
    PageSetup setup;
    setup.paperCode = 300;  // passed on unchanged
    setup.orientation = 2;
    ApplyPageSetup(printer, setup, 2);
    EXPECT_EQ(printer.calls,
              (std::vector<std::string>{"paper 300", "source 0", "copies 2", "landscape"}));

    FakePrinter none;
    none.count = 0;
    none.current = -1;
    ApplyPageSetup(none, 9, 0, 0, 0, 1);
    EXPECT_EQ(none.calls.front(), "paper 9");
}

TEST(MeasurePrinterTest, LengthsInWholeMillimetres) {
    FakePrinter printer;
    const PrinterMetrics metrics = MeasurePrinter(printer);
    EXPECT_EQ(metrics.dpiX, Amount::FromYen(600));
    EXPECT_EQ(metrics.dpiY, Amount::FromYen(1200));
    EXPECT_EQ(metrics.offsetXMm, 4);        // 100 / 23.622 = 4.23
    EXPECT_EQ(metrics.offsetYMm, 6);        // 300 / 47.244 = 6.35
    EXPECT_EQ(metrics.paperWidthMm, 210);   // 209.97
    EXPECT_EQ(metrics.paperHeightMm, 297);  // 297.01
    EXPECT_EQ(metrics.pageWidthMm, 202);    // 201.51
    EXPECT_EQ(metrics.pageHeightMm, 284);   // 284.31
    EXPECT_EQ(metrics.screenDpiX, 96);
    EXPECT_EQ(metrics.screenDpiY, 120);
}

}  // namespace
}  // namespace velmora
