#include "core/printstyle/draw_style.h"

#include "core/printstyle/page_drawing.h"

namespace velmora {
namespace {

void DrawItem(PageDrawing& page, const std::string& line) {
    FieldReader fields(line);
    const int flag = fields.Int0();
    fields.Skip(3);
    const std::string kind = fields.Text();
    if (kind == "line") {
        DrawLineItem(page, fields);
    } else if (kind == "rect") {
        DrawRectItem(page, fields);
    } else if (kind == "rrect") {
        DrawRoundRectItem(page, fields);
    } else if (kind == "Ellipse") {
        DrawEllipseItem(page, fields);
    } else if (kind == "Arc" || kind == "Chord") {
        DrawArcItem(page, fields, kind == "Chord");
    } else if (kind == "fillrect") {
        DrawFillRectItem(page, fields, flag);
    } else if (kind == "char" || kind == "data") {
        DrawTextItemLine(page, fields);
    } else if (kind == "image") {
        DrawImageItemLine(page, fields, flag);
    } else if (kind == "header") {
        page.ResetOrigin();
    }
}

}  // namespace

DrawResult DrawStyle(Canvas& canvas, const StyleList& style, const DrawContext& context,
                     ImageLoader& images) {
    PageDrawing page(canvas, context, images);
    const int end = style.StyleEnd();
    for (int i = 0; i < end; ++i) {
        try {
            DrawItem(page, style.Line(i));
        } catch (const ConversionError& error) {
            return {StyleError(style.SourcePath(), i + 1, error.what())};
        }
    }
    return {};
}

}  // namespace velmora
