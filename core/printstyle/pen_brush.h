#pragma once
// Pen widths of shape items and the pen and brush they leave behind.
#include "core/printstyle/canvas.h"

namespace velmora {

enum class ShapeKind { kLine, kRect, kRoundRect, kEllipse, kArc, kChord, kFillRect };

// Device pixels of a pen whose width field is `width` (1/144 inch at the preview
// resolution P). On the printer a line is 2 wider and the outlined shapes 4 wider; then
// P * width / 144, halves away from zero. Never below 1, and always 1 for the broken pen
// styles (dash, dot, dash-dot, dash-dot-dot).
int PenWidthOf(int width, ShapeKind kind, PenStyle style, bool printer, int previewResolution);

// Pen solid white, brush solid white: what every shape item leaves behind.
void ResetPenBrush(Canvas& canvas);

}  // namespace velmora
