#pragma once
// The state of one DrawStyle call, shared by the item drawers: the canvas, the scale and
// the origin (which a "header" item may move in the middle of a page).
#include "core/printstyle/bitmap.h"
#include "core/printstyle/canvas.h"
#include "core/printstyle/draw_context.h"
#include "core/printstyle/style_fields.h"

namespace velmora {

struct PageDrawing {
    PageDrawing(Canvas& canvas, const DrawContext& context, ImageLoader& images);

    Canvas& canvas;
    const DrawContext& context;
    ImageLoader& images;
    const Amount pixelsPerMmX;
    const Amount pixelsPerMmY;
    Amount originX;
    Amount originY;

    Point Map(Amount x, Amount y) const;
    Rect MapBox(Amount x1, Amount y1, Amount x2, Amount y2) const;
    bool IsPrinter() const { return canvas.IsPrinter(); }
    // Items whose preview-only flag is 1 are left out on the printer; the printed lines of a
    // form (flag kFormLineItem) are drawn only where the context asks for them.
    bool SkipsPreviewOnly(int previewOnly) const {
        return previewOnly == kFormLineItem ? !context.formLines : previewOnly == 1 && IsPrinter();
    }
    // The "header" item: the origin goes back to the offsets of the page side.
    void ResetOrigin();
};

struct MmBox {
    Amount x1;
    Amount y1;
    Amount x2;
    Amount y2;
};

// Shape items: each reads its fields from the reader (positioned after the kind field).
void DrawLineItem(PageDrawing& page, FieldReader& fields);
void DrawRectItem(PageDrawing& page, FieldReader& fields);
void DrawRoundRectItem(PageDrawing& page, FieldReader& fields);
void DrawEllipseItem(PageDrawing& page, FieldReader& fields);
void DrawArcItem(PageDrawing& page, FieldReader& fields, bool chord);
void DrawFillRectItem(PageDrawing& page, FieldReader& fields, int itemFlag);
// A "rect" item made from values rather than a line (the frame of an image).
void DrawRectShape(PageDrawing& page, const MmBox& box, int width, PenStyle penStyle, Colour colour,
                   int previewOnly);

void DrawTextItemLine(PageDrawing& page, FieldReader& fields);
void DrawImageItemLine(PageDrawing& page, FieldReader& fields, int itemFlag);

}  // namespace velmora
