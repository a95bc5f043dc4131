#pragma once
// Bringing a style's page set-up to the printer, and reading back the printer metrics that
// the preview sheet and the renderer are laid out with.
#include "core/printstyle/page_setup.h"
#include "core/printstyle/printer.h"
#include "core/util/amount.h"

namespace velmora {

// Selects printerIndex (an index beyond the installed printers means the current one; a
// negative index keeps the current printer) and writes paper code, source, copies and
// orientation (landscape when orientation is non-zero) into its device settings.
void ApplyPageSetup(Printer& printer, int paperCode, int orientation, int paperSource,
                    int printerIndex, int copies);
void ApplyPageSetup(Printer& printer, const PageSetup& setup, int copies);

struct PrinterMetrics {
    Amount dpiX;  // printer dots per inch, fixed-point
    Amount dpiY;
    int offsetXMm = 0;  // physical offset of the printable area, whole mm
    int offsetYMm = 0;
    int paperWidthMm = 0;  // the whole sheet, whole mm
    int paperHeightMm = 0;
    int pageWidthMm = 0;  // the printable area, whole mm
    int pageHeightMm = 0;
    int screenDpiX = 96;
    int screenDpiY = 96;
    bool operator==(const PrinterMetrics&) const = default;
};

// Each length converted to whole millimetres: device units / (dpi / 25.4), the nearest
// whole number with halves to even; 0 when the printer reports no resolution.
PrinterMetrics MeasurePrinter(const Printer& printer);

}  // namespace velmora
