#pragma once
// The drawing surface of the renderer: the preview sheet or a printer page, in device pixels.
//
// The canvas keeps the pen, the brush and the font, which persist from item to item and
// from page to page. The renderer changes them piece by piece (as the style's items do);
// a change reaches the device only when a drawing or measuring call uses it, through the
// Apply... hooks, so a device sees whole, consistent pens, brushes and fonts.
//
// Implementations (the Qt canvas in gui/, RecordingCanvas here) override the protected
// hooks. Geometry follows the platform's conventions: a line leaves out its end pixel;
// rectangles exclude their right and bottom edges.
#include <string>
#include <string_view>
#include <vector>

#include "core/printstyle/bitmap.h"
#include "core/printstyle/canvas_types.h"

namespace velmora {

// The pixel height of a font realised at a resolution: an upright font's em height
// points * resolution / 72 (halves away from zero), a rotated font's cell height scaled from
// the resolution it was given at (halves to even).
int RealisedFontPixels(const Font& font, int resolution);

class Canvas {
public:
    virtual ~Canvas() = default;
    Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // True for a printer page (preview-only items are left out there).
    virtual bool IsPrinter() const = 0;

    void SetPenStyle(PenStyle style) { pen_.style = style; }
    void SetPenColour(Colour colour) { pen_.colour = colour; }
    void SetPenWidth(int pixels) { pen_.width = pixels; }
    void SetBrushStyle(BrushStyle style) { brush_.style = style; }
    // A colour given to a clear brush makes it a solid brush of that colour.
    void SetBrushColour(Colour colour);
    // Face, style and size each leave a rotated font and give an upright one.
    void SetFontFace(std::string face);
    void SetFontStyle(FontStyle style);
    void SetFontSize(int points, int resolution);
    void SetFontColour(Colour colour) { font_.colour = colour; }
    // A rotated font of the given face, cell height (pixels at resolution) and escapement
    // (tenths of a degree), neither bold nor italic.
    void SetRotatedFont(std::string face, int cellHeight, int resolution, int escapement);

    const Pen& CurrentPen() const { return pen_; }
    const Brush& CurrentBrush() const { return brush_; }
    const Font& CurrentFont() const { return font_; }

    void DrawLine(Point from, Point to);
    void RoundRect(const Rect& box, Size corner);
    void Ellipse(const Rect& box);
    void Arc(const Rect& box, Point start, Point end);
    void Chord(const Rect& box, Point start, Point end);
    void FillRect(const Rect& box);
    // Text with its top-left corner (a rotated font: its reference point) at the point, in
    // the font colour, without background.
    void TextOut(Point at, std::string_view text);
    // One character (a UTF-8 sequence) drawn at a place of its own, as TextOut draws it.
    struct PlacedCharacter {
        Point at;
        std::string_view text;
    };
    // Characters each at its own place along a line (the boxes of a form), that make one
    // text: a printed PDF gives them back as one word ("46,300"), however the gaps between
    // them differ.
    void PlacedTextOut(const std::vector<PlacedCharacter>& characters);
    // Width and height of the text in device pixels.
    Size TextExtent(std::string_view text);
    // Width in pixels of the text in the current font realised at another resolution.
    int TextWidthAt(std::string_view text, int resolution);

    // Clipping to a text outline: between BeginPath and EndPath, PathText records the
    // outline of the text on one line, centred in the box, instead of drawing it.
    // PathToClip makes the recorded path the clipping region and tells whether the region
    // is not empty; RemoveClip drops the clipping.
    void BeginPath();
    void PathText(const Rect& box, std::string_view text);
    void EndPath();
    bool PathToClip();
    void RemoveClip();

    // The bitmap stretched into the box.
    void DrawBitmap(const Rect& box, const Bitmap& bitmap);

protected:
    virtual void ApplyPen(const Pen& pen) = 0;
    virtual void ApplyBrush(const Brush& brush) = 0;
    virtual void ApplyFont(const Font& font) = 0;

    virtual void DeviceLine(Point from, Point to) = 0;
    virtual void DeviceRoundRect(const Rect& box, Size corner) = 0;
    virtual void DeviceEllipse(const Rect& box) = 0;
    virtual void DeviceArc(const Rect& box, Point start, Point end) = 0;
    virtual void DeviceChord(const Rect& box, Point start, Point end) = 0;
    virtual void DeviceFillRect(const Rect& box) = 0;
    virtual void DeviceTextOut(Point at, std::string_view text) = 0;
    // By default each character as DeviceTextOut draws it.
    virtual void DevicePlacedTextOut(const std::vector<PlacedCharacter>& characters);
    virtual Size DeviceTextExtent(std::string_view text) = 0;
    virtual int DeviceTextWidthAt(std::string_view text, int resolution) = 0;
    virtual void DeviceBeginPath() = 0;
    virtual void DevicePathText(const Rect& box, std::string_view text) = 0;
    virtual void DeviceEndPath() = 0;
    virtual bool DevicePathToClip() = 0;
    virtual void DeviceRemoveClip() = 0;
    virtual void DeviceDrawBitmap(const Rect& box, const Bitmap& bitmap) = 0;

private:
    void UsePen();
    void UseBrush();
    void UseFont();

    Pen pen_;
    Brush brush_;
    Font font_;
    // What the device has been given; a fresh device gets everything on first use.
    bool penApplied_ = false;
    bool brushApplied_ = false;
    bool fontApplied_ = false;
    Pen appliedPen_;
    Brush appliedBrush_;
    Font appliedFont_;
};

}  // namespace velmora
