#include "core/printstyle/draw_context.h"

namespace velmora {
namespace {

int ZoomedDpi(int dpi, int zoom) {
    return static_cast<int>(static_cast<long long>(dpi) * zoom / 100);
}

}  // namespace

DrawContext PreviewDrawContext(int screenDpiX, int screenDpiY, int zoom) {
    DrawContext context;
    context.previewResolution = ZoomedDpi(screenDpiX, zoom);
    context.resolutionX = Amount::FromYen(context.previewResolution);
    context.resolutionY = Amount::FromYen(ZoomedDpi(screenDpiY, zoom));
    context.zoom = zoom;
    context.screenDpiX = screenDpiX;
    context.screenDpiY = screenDpiY;
    return context;
}

DrawContext PrinterDrawContext(const PrinterMetrics& metrics, int zoom) {
    DrawContext context = PreviewDrawContext(metrics.screenDpiX, metrics.screenDpiY, zoom);
    context.resolutionX = metrics.dpiX;
    context.resolutionY = metrics.dpiY;
    return context;
}

}  // namespace velmora
