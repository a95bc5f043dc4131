#include "core/printstyle/canvas.h"

#include <cstdlib>

#include "core/printstyle/device_mapping.h"

namespace velmora {

int RealisedFontPixels(const Font& font, int resolution) {
    if (font.rotated) {
        if (font.resolution <= 0 || resolution == font.resolution) return font.cellHeight;
        return ClampPixel(DivideNearestEven(static_cast<std::int64_t>(font.cellHeight) * resolution,
                                            font.resolution));
    }
    return ClampPixel(
        std::llabs(DivideNearestAway(static_cast<std::int64_t>(font.points) * resolution, 72)));
}

void Canvas::SetBrushColour(Colour colour) {
    brush_.colour = colour;
    if (brush_.style == BrushStyle::kClear) brush_.style = BrushStyle::kSolid;
}

void Canvas::SetFontFace(std::string face) {
    font_.face = std::move(face);
    font_.rotated = false;
}

void Canvas::SetFontStyle(FontStyle style) {
    font_.style = style;
    font_.rotated = false;
}

void Canvas::SetFontSize(int points, int resolution) {
    font_.points = points;
    font_.resolution = resolution;
    font_.rotated = false;
}

void Canvas::SetRotatedFont(std::string face, int cellHeight, int resolution, int escapement) {
    font_.face = std::move(face);
    font_.style = {};
    font_.resolution = resolution;
    font_.rotated = true;
    font_.cellHeight = cellHeight;
    font_.escapement = escapement;
}

void Canvas::UsePen() {
    if (penApplied_ && appliedPen_ == pen_) return;
    ApplyPen(pen_);
    appliedPen_ = pen_;
    penApplied_ = true;
}

void Canvas::UseBrush() {
    if (brushApplied_ && appliedBrush_ == brush_) return;
    ApplyBrush(brush_);
    appliedBrush_ = brush_;
    brushApplied_ = true;
}

void Canvas::UseFont() {
    if (!font_.rotated) {
        // Rotation figures of an upright font mean nothing; keep them from telling two
        // equal fonts apart.
        font_.cellHeight = 0;
        font_.escapement = 0;
    }
    if (fontApplied_ && appliedFont_ == font_) return;
    ApplyFont(font_);
    appliedFont_ = font_;
    fontApplied_ = true;
}

void Canvas::DrawLine(Point from, Point to) {
    UsePen();
    DeviceLine(from, to);
}

void Canvas::RoundRect(const Rect& box, Size corner) {
    UsePen();
    UseBrush();
    DeviceRoundRect(box, corner);
}

void Canvas::Ellipse(const Rect& box) {
    UsePen();
    UseBrush();
    DeviceEllipse(box);
}

void Canvas::Arc(const Rect& box, Point start, Point end) {
    UsePen();
    DeviceArc(box, start, end);
}

void Canvas::Chord(const Rect& box, Point start, Point end) {
    UsePen();
    UseBrush();
    DeviceChord(box, start, end);
}

void Canvas::FillRect(const Rect& box) {
    UseBrush();
    DeviceFillRect(box);
}

void Canvas::TextOut(Point at, std::string_view text) {
    UseFont();
    DeviceTextOut(at, text);
}

void Canvas::PlacedTextOut(const std::vector<PlacedCharacter>& characters) {
    UseFont();
    DevicePlacedTextOut(characters);
}

void Canvas::DevicePlacedTextOut(const std::vector<PlacedCharacter>& characters) {
    for (const PlacedCharacter& c : characters) DeviceTextOut(c.at, c.text);
}

Size Canvas::TextExtent(std::string_view text) {
    UseFont();
    return DeviceTextExtent(text);
}

int Canvas::TextWidthAt(std::string_view text, int resolution) {
    UseFont();
    return DeviceTextWidthAt(text, resolution);
}

void Canvas::BeginPath() {
    DeviceBeginPath();
}

void Canvas::PathText(const Rect& box, std::string_view text) {
    UseFont();
    DevicePathText(box, text);
}

void Canvas::EndPath() {
    DeviceEndPath();
}

bool Canvas::PathToClip() {
    return DevicePathToClip();
}

void Canvas::RemoveClip() {
    DeviceRemoveClip();
}

void Canvas::DrawBitmap(const Rect& box, const Bitmap& bitmap) {
    DeviceDrawBitmap(box, bitmap);
}

}  // namespace velmora
