#include "qtprint/qt_canvas.h"

#include <QFile>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/printstyle/image_file.h"
#include "qtprint/print_fonts.h"
#include "qtprint/qt_text.h"

namespace velmora::gui {
namespace {

QColor ToQColor(Colour c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

// Dash patterns in pen widths, as long at every resolution as a one-pixel pen draws them at
// 96 dpi.
QList<qreal> DashPattern(PenStyle style, qreal scale) {
    QList<qreal> pattern;
    switch (style) {
        case PenStyle::kDash:
            pattern = {18, 6};
            break;
        case PenStyle::kDot:
            pattern = {3, 3};
            break;
        case PenStyle::kDashDot:
            pattern = {9, 6, 3, 6};
            break;
        case PenStyle::kDashDotDot:
            pattern = {9, 3, 3, 3, 3, 3};
            break;
        default:
            break;
    }
    for (qreal& length : pattern) length *= scale;
    return pattern;
}

bool IsBroken(PenStyle style) {
    return style == PenStyle::kDash || style == PenStyle::kDot || style == PenStyle::kDashDot ||
           style == PenStyle::kDashDotDot;
}

// The parametric angle (degrees) of the point where the ray from the centre of an ellipse
// with half axes a, b through p meets it, as QPainterPath::arcTo takes angles.
qreal ParametricAngle(const QRectF& box, Point p) {
    const QPointF c = box.center();
    const qreal dx = p.x - c.x();
    const qreal dy = c.y() - p.y;
    const qreal a = box.width() / 2;
    const qreal b = box.height() / 2;
    if (a <= 0 || b <= 0) return 0;
    return std::atan2(dy * a, dx * b) * 180 / std::numbers::pi;
}

}  // namespace

std::unique_ptr<Bitmap> QtImageLoader::Load(const std::string& path) {
    const ImageKind kind = ImageKindOf(path);
    if (kind == ImageKind::kOther) return nullptr;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    QImage image;
    if (kind == ImageKind::kBitmap) {
        image.loadFromData(file.readAll(), "BMP");
    } else {
        const std::int64_t start = FindJpegStart(path);
        if (start < 0 || !file.seek(start)) return nullptr;
        image.loadFromData(file.readAll(), "JPEG");
    }
    if (image.isNull()) return nullptr;
    return std::make_unique<QtBitmap>(path, std::move(image));
}

QtCanvas::QtCanvas(QPainter& painter, int resolution, bool printer)
    : painter_(painter), resolution_(resolution > 0 ? resolution : 96), printer_(printer) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

const QString& QtCanvas::Family(const std::string& face) {
    auto found = families_.find(face);
    if (found == families_.end()) found = families_.emplace(face, PrintFamily(face)).first;
    return found->second;
}

QFont QtCanvas::MakeFont(const Font& font, int pixels) {
    QFont q(Family(font.face));
    q.setPixelSize(std::max(1, pixels));
    q.setHintingPreference(QFont::PreferNoHinting);
    q.setStyleStrategy(QFont::PreferOutline);
    if (!font.rotated) {
        q.setBold(font.style.bold);
        q.setItalic(font.style.italic);
    }
    return q;
}

void QtCanvas::ApplyPen(const Pen& pen) {
    pen_ = pen;
}

void QtCanvas::ApplyBrush(const Brush& brush) {
    brush_ = brush;
}

void QtCanvas::ApplyFont(const Font& font) {
    const int pixels = RealisedFontPixels(font, printer_ ? resolution_ : font.resolution);
    font_ = MakeFont(font, pixels);
    if (font.rotated && pixels > 0) {
        // A rotated font is given by its cell height (ascent + descent), not its em.
        const QFontMetricsF cell(font_);
        const qreal height = cell.ascent() + cell.descent();
        if (height > 0) font_.setPixelSize(std::max(1, qRound(pixels * pixels / height)));
    }
    fontColour_ = ToQColor(font.colour);
    ascent_ = QFontMetricsF(font_).ascent();
    layers_ = nullptr;
    if (printer_) {
        const QString key = font_.key();
        auto found = facesByFont_.find(key);
        if (found == facesByFont_.end())
            found = facesByFont_.emplace(key, TextLayerFace::Of(font_)).first;
        layers_ = found->second;
        layerFont_ = layers_ ? layers_->LayerFont(font_, 0) : font_;
    }
    escapement_ = font.rotated ? font.escapement : 0;
}

void QtCanvas::DeviceLine(Point from, Point to) {
    if (from == to) return;
    const int w = std::max(1, pen_.width);
    const QColor colour = ToQColor(pen_.colour);
    const bool horizontal = from.y == to.y;
    const bool vertical = from.x == to.x;
    if ((horizontal || vertical) && !IsBroken(pen_.style)) {
        const int across = horizontal ? from.y : from.x;
        const int a = horizontal ? from.x : from.y;
        const int b = horizontal ? to.x : to.y;
        const int first = (a < b ? a : b + 1) - w / 2;
        const int last = (a < b ? b - 1 : a) + w / 2;
        const int side = across - w / 2;
        const QRect band = horizontal ? QRect(first, side, last - first + 1, w)
                                      : QRect(side, first, w, last - first + 1);
        painter_.fillRect(band, colour);
        return;
    }
    QPen pen(colour, w, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (IsBroken(pen_.style))
        pen.setDashPattern(DashPattern(pen_.style, std::max<qreal>(1, resolution_ / 96.0) / w));
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, !(horizontal || vertical));
    painter_.setPen(pen);
    // Pixel centres: the line runs from the centre of its first pixel to the edge before
    // its end pixel.
    const QPointF p(from.x + 0.5, from.y + 0.5);
    QPointF q(to.x + 0.5, to.y + 0.5);
    const qreal length = std::hypot(q.x() - p.x(), q.y() - p.y());
    if (length > 0) q -= (q - p) * (0.5 / length);
    painter_.drawLine(p, q);
    painter_.restore();
}

QRectF QtCanvas::ShapeBox(const Rect& box) const {
    // The outline runs through the centres of the outermost pixels of the box.
    QRectF r(box.left + 0.5, box.top + 0.5, box.right - box.left - 1, box.bottom - box.top - 1);
    if (pen_.style == PenStyle::kInsideFrame && pen_.width > 1) {
        const qreal inset = (pen_.width - 1) / 2.0;
        r.adjust(inset, inset, -inset, -inset);
    }
    return r.normalized();
}

void QtCanvas::Hatch(const QRectF& bounds) {
    // Whole pixels at every resolution, so that the lines cover the same share of the area.
    const int step = std::max(2, qRound(8.0 * resolution_ / 96.0));
    const int width = std::max(1, qRound(resolution_ / 96.0));
    const QColor colour = ToQColor(brush_.colour);
    const QRect area = bounds.toAlignedRect();
    const int left = area.left() - area.left() % step - step;
    const int top = area.top() - area.top() % step - step;
    const bool horizontal =
        brush_.style == BrushStyle::kHorizontal || brush_.style == BrushStyle::kCross;
    const bool vertical =
        brush_.style == BrushStyle::kVertical || brush_.style == BrushStyle::kCross;
    const bool forward =
        brush_.style == BrushStyle::kForwardDiagonal || brush_.style == BrushStyle::kDiagonalCross;
    const bool backward =
        brush_.style == BrushStyle::kBackwardDiagonal || brush_.style == BrushStyle::kDiagonalCross;
    if (horizontal)
        for (int y = top; y <= area.bottom(); y += step)
            painter_.fillRect(QRect(area.left(), y, area.width(), width), colour);
    if (vertical)
        for (int x = left; x <= area.right(); x += step)
            painter_.fillRect(QRect(x, area.top(), width, area.height()), colour);
    if (!forward && !backward) return;
    // A diagonal line covers its width times the square root of two along a row.
    painter_.setPen(
        QPen(colour, width > 1 ? width / std::numbers::sqrt2 : 1.0, Qt::SolidLine, Qt::FlatCap));
    const int span = area.height() + 2 * step;
    for (int x = left - span; x <= area.right() + step; x += step) {
        const QPointF low(x, area.bottom() + step);
        const QPointF high(x + span, area.bottom() + step - span);
        if (forward) painter_.drawLine(low, high);  // rising to the right
        if (backward) painter_.drawLine(QPointF(x, low.y() - span), QPointF(x + span, low.y()));
    }
}

void QtCanvas::FillPath(const QPainterPath& path) {
    switch (brush_.style) {
        case BrushStyle::kClear:
            return;
        case BrushStyle::kSolid:
            painter_.fillPath(path, ToQColor(brush_.colour));
            return;
        default:
            break;
    }
    painter_.save();
    painter_.setClipPath(path, Qt::IntersectClip);
    Hatch(path.boundingRect());
    painter_.restore();
}

void QtCanvas::StrokePath(const QPainterPath& path) {
    const int w = std::max(1, pen_.width);
    QPen pen(ToQColor(pen_.colour), w, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (IsBroken(pen_.style))
        pen.setDashPattern(DashPattern(pen_.style, std::max<qreal>(1, resolution_ / 96.0) / w));
    painter_.strokePath(path, pen);
}

void QtCanvas::DeviceRoundRect(const Rect& box, Size corner) {
    QPainterPath path;
    path.addRoundedRect(ShapeBox(box), corner.width / 2.0, corner.height / 2.0);
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, corner.width > 0 && corner.height > 0);
    FillPath(path);
    StrokePath(path);
    painter_.restore();
}

void QtCanvas::DeviceEllipse(const Rect& box) {
    QPainterPath path;
    path.addEllipse(ShapeBox(box));
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    FillPath(path);
    StrokePath(path);
    painter_.restore();
}

QPainterPath QtCanvas::ArcPath(const Rect& box, Point start, Point end, bool closed) const {
    // Counter-clockwise from the start radial to the end radial; equal radials: the whole
    // ellipse.
    const QRectF r = ShapeBox(box);
    const qreal from = ParametricAngle(r, start);
    qreal sweep = ParametricAngle(r, end) - from;
    while (sweep <= 0) sweep += 360;
    QPainterPath path;
    path.arcMoveTo(r, from);
    path.arcTo(r, from, sweep);
    if (closed) path.closeSubpath();
    return path;
}

void QtCanvas::DeviceArc(const Rect& box, Point start, Point end) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    StrokePath(ArcPath(box, start, end, false));
    painter_.restore();
}

void QtCanvas::DeviceChord(const Rect& box, Point start, Point end) {
    const QPainterPath path = ArcPath(box, start, end, true);
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    FillPath(path);
    StrokePath(path);
    painter_.restore();
}

void QtCanvas::DeviceFillRect(const Rect& box) {
    const QRect r(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
    if (r.isEmpty()) return;
    if (brush_.style == BrushStyle::kSolid) {
        painter_.fillRect(r, ToQColor(brush_.colour));
        return;
    }
    if (brush_.style == BrushStyle::kClear) return;
    painter_.save();
    painter_.setClipRect(r, Qt::IntersectClip);
    Hatch(QRectF(r));
    painter_.restore();
}

void QtCanvas::DrawRuns(QPointF origin, const QString& text, const QColor& colour) {
    painter_.setPen(colour);
    if (layers_ == nullptr) {
        painter_.setFont(font_);
        painter_.drawText(origin, text);
        return;
    }
    for (const TextLayerFace::Run& run : layers_->Runs(text)) {
        const QFont font = run.layer == 0 ? layerFont_ : layers_->LayerFont(font_, run.layer);
        painter_.setFont(font);
        painter_.drawText(origin, run.text);
        origin.rx() += QFontMetricsF(font).horizontalAdvance(run.text);
    }
}

qreal QtCanvas::Advance(const QString& text) {
    if (layers_ == nullptr) return QFontMetricsF(font_).horizontalAdvance(text);
    qreal advance = 0;
    for (const TextLayerFace::Run& run : layers_->Runs(text)) {
        const QFont font = run.layer == 0 ? layerFont_ : layers_->LayerFont(font_, run.layer);
        advance += QFontMetricsF(font).horizontalAdvance(run.text);
    }
    return advance;
}

void QtCanvas::DeviceTextOut(Point at, std::string_view text) {
    // Upright text needs no saved painter state (every other drawing sets its own pen), so
    // a PDF page does not get a state push and pop around each of its many texts.
    if (escapement_ == 0) {
        DrawRuns(QPointF(at.x, at.y + ascent_), Q(text), fontColour_);
        return;
    }
    painter_.save();
    painter_.translate(at.x, at.y);
    painter_.rotate(-escapement_ / 10.0);
    DrawRuns(QPointF(0, ascent_), Q(text), fontColour_);
    painter_.restore();
}

void QtCanvas::DevicePlacedTextOut(const std::vector<PlacedCharacter>& characters) {
    // A PDF reader takes a gap wider than the others, after a narrow "," or "-", for a word
    // space. Characters of one width have even gaps and are drawn as they are.
    const QFontMetricsF metrics(font_);
    qreal narrowest = 0, widest = 0;
    for (const PlacedCharacter& c : characters) {
        const qreal advance = metrics.horizontalAdvance(Q(c.text));
        narrowest = &c == &characters.front() ? advance : std::min(narrowest, advance);
        widest = std::max(widest, advance);
    }
    if (!printer_ || escapement_ != 0 || widest - narrowest < 0.5) {
        Canvas::DevicePlacedTextOut(characters);
        return;
    }
    // Otherwise on paper the characters are their outlines, each at its place, and the text
    // layer holds them as one run from the first place, drawn without ink.
    QPainterPath ink;
    QString text;
    for (const PlacedCharacter& c : characters) {
        ink.addText(QPointF(c.at.x, c.at.y + ascent_), font_, Q(c.text));
        text += Q(c.text);
    }
    painter_.fillPath(ink, fontColour_);
    const Point first = characters.front().at;
    DrawRuns(QPointF(first.x, first.y + ascent_), text, Qt::transparent);
}

Size QtCanvas::DeviceTextExtent(std::string_view text) {
    const QFontMetricsF metrics(font_);
    return {static_cast<int>(std::lround(Advance(Q(text)))),
            static_cast<int>(std::ceil(metrics.ascent() + metrics.descent()))};
}

int QtCanvas::DeviceTextWidthAt(std::string_view text, int resolution) {
    const Font& font = CurrentFont();
    const QFont at = MakeFont(font, RealisedFontPixels(font, resolution));
    return static_cast<int>(std::lround(QFontMetricsF(at).horizontalAdvance(Q(text))));
}

void QtCanvas::DeviceBeginPath() {
    path_ = QPainterPath();
    inPath_ = true;
}

void QtCanvas::DevicePathText(const Rect& box, std::string_view text) {
    if (!inPath_) return;
    const QFontMetricsF metrics(font_);
    const QString q = Q(text);
    const qreal width = metrics.horizontalAdvance(q);
    const qreal height = metrics.ascent() + metrics.descent();
    const qreal x = box.left + (box.right - box.left - width) / 2;
    const qreal y = box.top + (box.bottom - box.top - height) / 2 + metrics.ascent();
    path_.addText(QPointF(x, y), font_, q);
}

void QtCanvas::DeviceEndPath() {
    inPath_ = false;
}

bool QtCanvas::DevicePathToClip() {
    const bool inked = !path_.isEmpty() && !path_.boundingRect().isEmpty();
    if (inked) painter_.setClipPath(path_);
    path_ = QPainterPath();
    return inked;
}

void QtCanvas::DeviceRemoveClip() {
    painter_.setClipping(false);
}

void QtCanvas::DeviceDrawBitmap(const Rect& box, const Bitmap& bitmap) {
    const auto* picture = dynamic_cast<const QtBitmap*>(&bitmap);
    if (picture == nullptr) return;
    painter_.drawImage(QRect(box.left, box.top, box.right - box.left, box.bottom - box.top),
                       picture->Image());
}

}  // namespace velmora::gui
