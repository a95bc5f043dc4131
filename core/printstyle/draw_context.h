#pragma once
// What one DrawStyle call needs to know about the canvas it draws on.
#include "core/printstyle/print_offsets.h"
#include "core/printstyle/printer_setup.h"
#include "core/util/amount.h"

namespace velmora {

// The preview-only flag of the items that stand for a pre-printed form's own lines.
inline constexpr int kFormLineItem = 2;

struct DrawContext {
    Amount resolutionX = Amount::FromYen(96);  // dots per inch of the canvas
    Amount resolutionY = Amount::FromYen(96);
    Amount originX;  // print offsets of this page, mm
    Amount originY;
    int pageSide = 0;            // 0 odd page, 1 even page: which offsets a "header" item takes
    PrintOffsets offsets;        // the offsets a "header" item resets the origin to
    int previewResolution = 96;  // P: pen widths and fonts are realised at this resolution
    int zoom = 100;              // preview zoom percent
    int screenDpiX = 96;
    int screenDpiY = 96;
    bool formLines = false;  // items flagged kFormLineItem are drawn (a preview on request)
};

// The preview at a zoom: P = trunc(screen dpi x * zoom / 100) horizontally, and
// trunc(screen dpi y * zoom / 100) vertically.
DrawContext PreviewDrawContext(int screenDpiX, int screenDpiY, int zoom);

// A printer page at the printer's resolution. Pen widths and fonts still follow the
// preview resolution of the same zoom.
DrawContext PrinterDrawContext(const PrinterMetrics& metrics, int zoom);

}  // namespace velmora
