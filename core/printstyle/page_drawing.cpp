#include "core/printstyle/page_drawing.h"

#include "core/printstyle/device_mapping.h"

namespace velmora {

PageDrawing::PageDrawing(Canvas& targetCanvas, const DrawContext& drawContext,
                         ImageLoader& imageLoader)
    : canvas(targetCanvas),
      context(drawContext),
      images(imageLoader),
      pixelsPerMmX(PixelsPerMm(drawContext.resolutionX)),
      pixelsPerMmY(PixelsPerMm(drawContext.resolutionY)),
      originX(drawContext.originX),
      originY(drawContext.originY) {}

Point PageDrawing::Map(Amount x, Amount y) const {
    return {MmToPixel(x, originX, pixelsPerMmX), MmToPixel(y, originY, pixelsPerMmY)};
}

Rect PageDrawing::MapBox(Amount x1, Amount y1, Amount x2, Amount y2) const {
    Point topLeft = Map(x1, y1);
    Point bottomRight = Map(x2, y2);
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void PageDrawing::ResetOrigin() {
    const bool even = context.pageSide == 1;
    originX = even ? context.offsets.evenX : context.offsets.oddX;
    originY = even ? context.offsets.evenY : context.offsets.oddY;
}

}  // namespace velmora
