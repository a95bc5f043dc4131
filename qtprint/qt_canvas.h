#pragma once
// The Canvas on a QPainter: the preview sheet (a QImage or widget at the zoomed
// resolution) or a printer page (QPrinter, PDF). The painter's coordinates are device
// pixels of the printable area.
//
// Pixel rules, as the recording canvas logs them:
// - A line leaves out its end pixel. A solid horizontal or vertical line of width w covers
//   the rows (columns) c - w/2 .. c - w/2 + w - 1 across its course and reaches w/2 pixels
//   beyond its start and w/2 - 1 + 1 before its excluded end on each side, so that the four
//   lines of a frame meet at the corners; a line of width 1 covers exactly from its start
//   pixel up to the pixel before its end.
// - Shapes take the box with its right and bottom edges excluded; the pen is centred on the
//   outline, inside the box for an inside-frame pen. Widths are device pixels, never a
//   cosmetic pen.
// - Hatch brushes are drawn as lines inside a clip, 8 pixels apart and 1 pixel wide at
//   96 dpi and as far apart in millimetres at any other resolution.
// - Text is placed by the top-left corner of its cell; fonts are realised at the device's
//   resolution (the preview: the resolution they were set with).
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <map>
#include <memory>
#include <string>

#include "core/printstyle/bitmap.h"
#include "core/printstyle/canvas.h"
#include "qtprint/text_layer_fonts.h"

namespace velmora::gui {

// A picture the Qt canvas can draw.
class QtBitmap final : public Bitmap {
public:
    QtBitmap(std::string source, QImage image)
        : Bitmap(std::move(source), image.width(), image.height()), image_(std::move(image)) {}
    const QImage& Image() const { return image_; }

private:
    QImage image_;
};

// Loads ".bmp" files and JPEG files from the start marker the core finds.
class QtImageLoader final : public ImageLoader {
public:
    std::unique_ptr<Bitmap> Load(const std::string& path) override;
};

class QtCanvas : public Canvas {
public:
    // resolution: dots per inch of the painter's device. printer: a printer page, where
    // fonts are realised at that resolution; otherwise a preview, where they are realised at
    // the resolution they are set with.
    QtCanvas(QPainter& painter, int resolution, bool printer);

    bool IsPrinter() const override { return printer_; }
    int Resolution() const { return resolution_; }

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
    void DevicePlacedTextOut(const std::vector<PlacedCharacter>& characters) override;
    Size DeviceTextExtent(std::string_view text) override;
    int DeviceTextWidthAt(std::string_view text, int resolution) override;
    void DeviceBeginPath() override;
    void DevicePathText(const Rect& box, std::string_view text) override;
    void DeviceEndPath() override;
    bool DevicePathToClip() override;
    void DeviceRemoveClip() override;
    void DeviceDrawBitmap(const Rect& box, const Bitmap& bitmap) override;

private:
    QFont MakeFont(const Font& font, int pixels);
    const QString& Family(const std::string& face);
    // Fills the path with the current brush (hatches drawn as lines) and outlines it.
    void FillPath(const QPainterPath& path);
    void StrokePath(const QPainterPath& path);
    void Hatch(const QRectF& bounds);
    QRectF ShapeBox(const Rect& box) const;
    QPainterPath ArcPath(const Rect& box, Point start, Point end, bool closed) const;
    // Draws text with its baseline start at origin: on a printer in the runs of the face's
    // text layers, so that a PDF's text layer names the characters drawn.
    void DrawRuns(QPointF origin, const QString& text, const QColor& colour);
    qreal Advance(const QString& text);

    QPainter& painter_;
    int resolution_;
    bool printer_;
    Pen pen_;
    Brush brush_;
    QFont font_;
    // On a printer: the text layers of font_'s face (nullptr: none), and font_ in layer 0.
    const TextLayerFace* layers_ = nullptr;
    QFont layerFont_;
    std::map<QString, const TextLayerFace*> facesByFont_;
    QColor fontColour_;
    qreal ascent_ = 0;
    int escapement_ = 0;
    QPainterPath path_;
    bool inPath_ = false;
    std::map<std::string, QString, std::less<>> families_;
};

}  // namespace velmora::gui
