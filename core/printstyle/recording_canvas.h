#pragma once
// A canvas that draws nothing and writes one text line per device call instead, in device
// pixels, so that tests and velmora-cli can check exactly what a page would draw.
//
// Pen, brush and font lines appear when a drawing or measuring call first uses a changed
// pen, brush or font (a canvas hands them to its device only then). The lines:
//
//   pen style=<pen> color=0xBBGGRR width=<px>
//   brush style=<brush> color=0xBBGGRR
//   font face="<face>" size=<pt> res=<dpi> px=<px> bold=<0|1> italic=<0|1> color=0xBBGGRR
//   font face="<face>" rotated height=<cell px> res=<dpi> px=<px> escapement=<tenths>
//        color=0xBBGGRR                                         (one line; rotated fonts)
//   line <x1>,<y1> -> <x2>,<y2>                    (the end pixel is not drawn)
//   roundrect <l>,<t> <r>,<b> corner=<w>,<h>
//   ellipse <l>,<t> <r>,<b>
//   arc <l>,<t> <r>,<b> start=<x>,<y> end=<x>,<y>
//   chord <l>,<t> <r>,<b> start=<x>,<y> end=<x>,<y>
//   fillrect <l>,<t> <r>,<b>                       (right and bottom excluded)
//   text <x>,<y> "<text>"
//   extent "<text>" = <w>x<h>                      (a measurement)
//   width "<text>" res=<dpi> = <w>                 (a measurement at another resolution)
//   beginpath | endpath | unclip
//   pathtext <l>,<t> <r>,<b> "<text>"              (outline recorded, centred in the box)
//   pathclip nonempty | pathclip empty
//   bitmap "<source>" <w>x<h> -> <l>,<t> <r>,<b>   (picture size, then destination box)
//
// <pen> is solid, dash, dot, dashdot, dashdotdot or insideframe; <brush> is solid, clear,
// horizontal, vertical, fdiagonal, bdiagonal, cross or diagcross. Inside quotes a double
// quote is written \" and a backslash \\; control characters are written \xNN.
//
// Fonts are realised at the resolution they are set with on the preview, and at the
// printer's resolution on a printer: px = points * dpi / 72 (halves away from zero). Text
// is measured with a fixed advance: px / 2 for ASCII and half-width katakana, px for every
// other character; the height of a text is px. A path is not empty when it holds a
// character other than a blank and its font has a height.
#include <string>
#include <vector>

#include "core/printstyle/canvas.h"

namespace velmora {

class RecordingCanvas final : public Canvas {
public:
    static constexpr int kPreview = 0;

    // printerDpi 0: a preview; otherwise a printer page of that resolution.
    explicit RecordingCanvas(int printerDpi = kPreview) : printerDpi_(printerDpi) {}

    bool IsPrinter() const override { return printerDpi_ != kPreview; }

    const std::vector<std::string>& Lines() const { return lines_; }
    // The lines, each followed by "\n".
    std::string Text() const;
    void ClearLines() { lines_.clear(); }

    // Pixel height of a font as this canvas realises it.
    int FontPixels(const Font& font) const;
    // The advance of the text in a font of the given pixel height.
    static int TextAdvance(std::string_view text, int pixels);

protected:
    void ApplyPen(const Pen& pen) override;
    void ApplyBrush(const Brush& brush) override;
    void ApplyFont(const Font& font) override;

    void DeviceLine(Point from, Point to) override;
    void DeviceRoundRect(const Rect& box, Size corner) override;
    void DeviceEllipse(const Rect& box) override;
    void DeviceArc(const Rect& box, Point start, Point end) override;
    void DeviceChord(const Rect& box, Point start, Point end) override;
    void DeviceFillRect(const Rect& box) override;
    void DeviceTextOut(Point at, std::string_view text) override;
    Size DeviceTextExtent(std::string_view text) override;
    int DeviceTextWidthAt(std::string_view text, int resolution) override;
    void DeviceBeginPath() override;
    void DevicePathText(const Rect& box, std::string_view text) override;
    void DeviceEndPath() override;
    bool DevicePathToClip() override;
    void DeviceRemoveClip() override;
    void DeviceDrawBitmap(const Rect& box, const Bitmap& bitmap) override;

private:
    int FontPixelsAt(const Font& font, int resolution) const;

    int printerDpi_;
    std::vector<std::string> lines_;
    bool pathHasInk_ = false;
};

}  // namespace velmora
