// The outlined and filled shapes: "line", "rect", "rrect", "Ellipse", "Arc", "Chord" and
// "fillrect". Each reads all its fields before it touches the canvas, so a field that does
// not convert leaves the canvas as the previous item left it.
#include "core/printstyle/device_mapping.h"
#include "core/printstyle/page_drawing.h"
#include "core/printstyle/pen_brush.h"

namespace velmora {
namespace {

MmBox ReadBox(FieldReader& fields) {
    MmBox box;
    box.x1 = fields.Mm();
    box.y1 = fields.Mm();
    box.x2 = fields.Mm();
    box.y2 = fields.Mm();
    return box;
}

struct Outline {
    int width = 0;
    PenStyle penStyle = PenStyle::kSolid;
    Colour penColour = kBlack;
};

Outline ReadOutline(FieldReader& fields) {
    Outline outline;
    outline.width = fields.Int();
    outline.penStyle = PenStyleOf(fields.Text());
    outline.penColour = fields.ColourField();
    return outline;
}

struct Fill {
    BrushStyle style = BrushStyle::kSolid;
    Colour colour = kWhite;
};

Fill ReadFill(FieldReader& fields) {
    Fill fill;
    fill.style = BrushStyleOf(fields.Text());
    fill.colour = fields.ColourField();
    return fill;
}

void SetPen(PageDrawing& page, const Outline& outline) {
    page.canvas.SetPenStyle(outline.penStyle);
    page.canvas.SetPenColour(outline.penColour);
}

// The brush colour comes after the style, so that a clear brush given a colour fills.
void SetBrush(PageDrawing& page, const Fill& fill) {
    page.canvas.SetBrushStyle(fill.style);
    page.canvas.SetBrushColour(fill.colour);
}

void SetPenWidth(PageDrawing& page, const Outline& outline, ShapeKind kind) {
    page.canvas.SetPenWidth(PenWidthOf(outline.width, kind, outline.penStyle, page.IsPrinter(),
                                       page.context.previewResolution));
}

void DrawEdges(PageDrawing& page, const MmBox& box) {
    const Rect r = page.MapBox(box.x1, box.y1, box.x2, box.y2);
    page.canvas.DrawLine({r.left, r.top}, {r.right, r.top});
    page.canvas.DrawLine({r.left, r.bottom}, {r.right, r.bottom});
    page.canvas.DrawLine({r.left, r.top}, {r.left, r.bottom});
    page.canvas.DrawLine({r.right, r.top}, {r.right, r.bottom});
}

Rect MapBox(const PageDrawing& page, const MmBox& box) {
    return page.MapBox(box.x1, box.y1, box.x2, box.y2);
}

}  // namespace

void DrawLineItem(PageDrawing& page, FieldReader& fields) {
    const MmBox box = ReadBox(fields);
    const Outline outline = ReadOutline(fields);
    const int previewOnly = fields.IntT();
    SetPen(page, outline);
    if (page.SkipsPreviewOnly(previewOnly)) return;
    SetPenWidth(page, outline, ShapeKind::kLine);
    page.canvas.DrawLine(page.Map(box.x1, box.y1), page.Map(box.x2, box.y2));
    ResetPenBrush(page.canvas);
}

void DrawRectShape(PageDrawing& page, const MmBox& box, int width, PenStyle penStyle, Colour colour,
                   int previewOnly) {
    const Outline outline{width, penStyle, colour};
    SetPen(page, outline);
    if (page.SkipsPreviewOnly(previewOnly)) return;
    SetPenWidth(page, outline, ShapeKind::kRect);
    DrawEdges(page, box);
    ResetPenBrush(page.canvas);
}

void DrawRectItem(PageDrawing& page, FieldReader& fields) {
    const MmBox box = ReadBox(fields);
    const Outline outline = ReadOutline(fields);
    const int previewOnly = fields.IntT();
    DrawRectShape(page, box, outline.width, outline.penStyle, outline.penColour, previewOnly);
}

void DrawRoundRectItem(PageDrawing& page, FieldReader& fields) {
    const MmBox box = ReadBox(fields);
    const int cornerWidthMm = fields.Int();
    const int cornerHeightMm = fields.Int();
    const Outline outline = ReadOutline(fields);
    const Fill fill = ReadFill(fields);
    const int previewOnly = fields.IntT();
    SetPen(page, outline);
    SetBrush(page, fill);
    if (page.SkipsPreviewOnly(previewOnly)) return;
    SetPenWidth(page, outline, ShapeKind::kRoundRect);
    // Both corner figures use the vertical scale.
    const Size corner{WholeMmToPixel(cornerWidthMm, page.pixelsPerMmY),
                      WholeMmToPixel(cornerHeightMm, page.pixelsPerMmY)};
    page.canvas.RoundRect(MapBox(page, box), corner);
    ResetPenBrush(page.canvas);
}

void DrawEllipseItem(PageDrawing& page, FieldReader& fields) {
    const MmBox box = ReadBox(fields);
    const Outline outline = ReadOutline(fields);
    const Fill fill = ReadFill(fields);
    const int previewOnly = fields.IntT();
    SetPen(page, outline);
    SetBrush(page, fill);
    if (page.SkipsPreviewOnly(previewOnly)) return;
    SetPenWidth(page, outline, ShapeKind::kEllipse);
    page.canvas.Ellipse(MapBox(page, box));
    ResetPenBrush(page.canvas);
}

void DrawArcItem(PageDrawing& page, FieldReader& fields, bool chord) {
    const MmBox box = ReadBox(fields);
    const int startXMm = fields.Int();
    const int startYMm = fields.Int();
    const int endX = fields.Int();
    const int endY = fields.Int();
    const Outline outline = ReadOutline(fields);
    const Fill fill = ReadFill(fields);
    const int previewOnly = fields.IntT();
    SetPen(page, outline);
    SetBrush(page, fill);
    if (page.SkipsPreviewOnly(previewOnly)) return;
    SetPenWidth(page, outline, chord ? ShapeKind::kChord : ShapeKind::kArc);
    // The start point is whole millimetres on the vertical scale, without the origin; the
    // end point is taken as device pixels.
    const Point start{WholeMmToPixel(startXMm, page.pixelsPerMmY),
                      WholeMmToPixel(startYMm, page.pixelsPerMmY)};
    const Point end{endX, endY};
    if (chord)
        page.canvas.Chord(MapBox(page, box), start, end);
    else
        page.canvas.Arc(MapBox(page, box), start, end);
    ResetPenBrush(page.canvas);
}

void DrawFillRectItem(PageDrawing& page, FieldReader& fields, int itemFlag) {
    const MmBox box = ReadBox(fields);
    const BrushStyle brushStyle = BrushStyleOf(fields.Text());
    const Colour outlineColour = fields.ColourField();
    fields.Skip(1);
    const int previewOnly = fields.IntT();
    page.canvas.SetBrushStyle(brushStyle);
    page.canvas.SetPenColour(outlineColour);
    if (page.SkipsPreviewOnly(previewOnly)) return;
    // The line carries no fill colour: the brush fills in whatever colour it holds.
    page.canvas.FillRect(MapBox(page, box));
    page.canvas.SetBrushStyle(BrushStyle::kClear);
    if (itemFlag == 1) DrawEdges(page, box);
    ResetPenBrush(page.canvas);
}

}  // namespace velmora
