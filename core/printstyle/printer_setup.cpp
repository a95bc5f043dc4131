#include "core/printstyle/printer_setup.h"

#include "core/printstyle/device_mapping.h"

namespace velmora {
namespace {

int DeviceUnitsToMm(int units, int dpi) {
    if (dpi <= 0) return 0;
    // units / (dpi / 25.4) = units * 254 / (dpi * 10)
    return ClampPixel(DivideNearestEven(static_cast<std::int64_t>(units) * 254,
                                        static_cast<std::int64_t>(dpi) * 10));
}

}  // namespace

void ApplyPageSetup(Printer& printer, int paperCode, int orientation, int paperSource,
                    int printerIndex, int copies) {
    if (printerIndex >= printer.PrinterCount()) printerIndex = printer.CurrentIndex();
    if (printerIndex >= 0) printer.SelectPrinter(printerIndex);
    printer.SetPaperCode(paperCode);
    printer.SetPaperSource(paperSource);
    printer.SetCopies(copies);
    printer.SetOrientation(orientation != 0 ? Orientation::kLandscape : Orientation::kPortrait);
}

void ApplyPageSetup(Printer& printer, const PageSetup& setup, int copies) {
    ApplyPageSetup(printer, setup.paperCode, setup.orientation, setup.paperSource,
                   setup.printerIndex, copies);
}

PrinterMetrics MeasurePrinter(const Printer& printer) {
    const int dpiX = printer.DpiX();
    const int dpiY = printer.DpiY();
    PrinterMetrics metrics;
    metrics.dpiX = Amount::FromYen(dpiX);
    metrics.dpiY = Amount::FromYen(dpiY);
    metrics.offsetXMm = DeviceUnitsToMm(printer.PhysicalOffsetX(), dpiX);
    metrics.offsetYMm = DeviceUnitsToMm(printer.PhysicalOffsetY(), dpiY);
    metrics.paperWidthMm = DeviceUnitsToMm(printer.PhysicalWidth(), dpiX);
    metrics.paperHeightMm = DeviceUnitsToMm(printer.PhysicalHeight(), dpiY);
    metrics.pageWidthMm = DeviceUnitsToMm(printer.PageWidth(), dpiX);
    metrics.pageHeightMm = DeviceUnitsToMm(printer.PageHeight(), dpiY);
    metrics.screenDpiX = printer.ScreenDpiX();
    metrics.screenDpiY = printer.ScreenDpiY();
    return metrics;
}

}  // namespace velmora
