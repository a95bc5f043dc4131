#include "core/print/page_draw.h"

#include <cstdint>

#include "core/print/report_kind.h"
#include "core/printstyle/device_mapping.h"

namespace velmora {
namespace {

// mm * dpi / 25.4 * zoom / 100 = mm * dpi * zoom / 2540, exactly.
std::int64_t ScaledNumerator(int mm, int dpi, int zoom) {
    return static_cast<std::int64_t>(mm) * dpi * zoom;
}
constexpr std::int64_t kScaledDenominator = 2540;

int Rounded(int mm, int dpi, int zoom) {
    return ClampPixel(DivideNearestEven(ScaledNumerator(mm, dpi, zoom), kScaledDenominator));
}

int Truncated(int mm, int dpi, int zoom) {
    return ClampPixel(ScaledNumerator(mm, dpi, zoom) / kScaledDenominator);
}

}  // namespace

PrintOffsets OffsetsInUse(int kind, int paperIndex, const PrintOffsets& offsets) {
    if (IsKokuyoPaper(kind, paperIndex)) return offsets;
    return {offsets.oddX, offsets.oddY, offsets.oddX, offsets.oddY};
}

DrawContext PageDrawContext(const DrawContext& base, const PrintOffsets& inUse, int pageSide) {
    DrawContext context = base;
    context.offsets = inUse;
    context.pageSide = pageSide;
    context.originX = pageSide == 1 ? inUse.evenX : inUse.oddX;
    context.originY = pageSide == 1 ? inUse.evenY : inUse.oddY;
    return context;
}

PreviewGeometry ComputePreviewGeometry(const PrinterMetrics& metrics, int zoom) {
    const int dpiX = metrics.screenDpiX;
    const int dpiY = metrics.screenDpiY;
    PreviewGeometry g;
    g.resolutionX = ClampPixel(static_cast<std::int64_t>(dpiX) * zoom / 100);
    g.resolutionY = ClampPixel(static_cast<std::int64_t>(dpiY) * zoom / 100);
    g.sheet = {Rounded(metrics.paperWidthMm, dpiX, zoom),
               Rounded(metrics.paperHeightMm, dpiY, zoom)};
    const int left = Rounded(metrics.offsetXMm, dpiX, zoom);
    const int top = Rounded(metrics.offsetYMm, dpiY, zoom);
    g.area = {left, top, left + Truncated(metrics.pageWidthMm, dpiX, zoom),
              top + Truncated(metrics.pageHeightMm, dpiY, zoom)};
    return g;
}

int PrintedPageSide(int sheet, bool evenFirst) {
    const int position = sheet - 1 + (evenFirst ? 1 : 0);
    return ((position % 2) + 2) % 2;
}

}  // namespace velmora
