#include "core/printstyle/pen_brush.h"

#include <algorithm>

#include "core/printstyle/device_mapping.h"

namespace velmora {
namespace {

int PrinterWidening(ShapeKind kind) {
    switch (kind) {
        case ShapeKind::kLine:
            return 2;
        case ShapeKind::kRect:
        case ShapeKind::kRoundRect:
        case ShapeKind::kEllipse:
        case ShapeKind::kArc:
        case ShapeKind::kChord:
            return 4;
        case ShapeKind::kFillRect:
            return 0;
    }
    return 0;
}

bool IsBroken(PenStyle style) {
    return style == PenStyle::kDash || style == PenStyle::kDot || style == PenStyle::kDashDot ||
           style == PenStyle::kDashDotDot;
}

}  // namespace

int PenWidthOf(int width, ShapeKind kind, PenStyle style, bool printer, int previewResolution) {
    if (IsBroken(style)) return 1;
    const std::int64_t widened =
        static_cast<std::int64_t>(width) + (printer ? PrinterWidening(kind) : 0);
    const std::int64_t pixels =
        DivideNearestAway(SaturatingMultiply(previewResolution, widened), 144);
    return pixels <= 0 ? 1 : ClampPixel(pixels);
}

void ResetPenBrush(Canvas& canvas) {
    canvas.SetPenStyle(PenStyle::kSolid);
    canvas.SetPenColour(kWhite);
    canvas.SetBrushStyle(BrushStyle::kSolid);
    canvas.SetBrushColour(kWhite);
}

}  // namespace velmora
