#include "core/printstyle/recording_canvas.h"

#include <cstdio>

#include "core/printstyle/device_mapping.h"
#include "core/util/text_length.h"

namespace velmora {
namespace {

std::string Hex(Colour colour) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%06x", static_cast<unsigned>(colour));
    return buffer;
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02x", byte);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string At(Point p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

std::string Box(const Rect& r) {
    return At({r.left, r.top}) + " " + At({r.right, r.bottom});
}

// The code point of one UTF-8 character (its bytes as SplitCharacters gives them).
char32_t CodePointOf(std::string_view c) {
    const auto lead = static_cast<unsigned char>(c.front());
    if (c.size() == 1) return lead;
    char32_t value = lead & (0x7F >> c.size());
    for (std::size_t i = 1; i < c.size(); ++i)
        value = (value << 6) | (static_cast<unsigned char>(c[i]) & 0x3F);
    return value;
}

bool IsHalfWidth(std::string_view c) {
    const char32_t cp = CodePointOf(c);
    return cp < 0x80 || (cp >= 0xFF61 && cp <= 0xFF9F);
}

bool HasInk(std::string_view text) {
    for (char c : text)
        if (c != ' ') return true;
    return false;
}

}  // namespace

std::string RecordingCanvas::Text() const {
    std::string text;
    for (const auto& line : lines_) text += line + "\n";
    return text;
}

int RecordingCanvas::FontPixelsAt(const Font& font, int resolution) const {
    return RealisedFontPixels(font, resolution);
}

int RecordingCanvas::FontPixels(const Font& font) const {
    return FontPixelsAt(font, IsPrinter() ? printerDpi_ : font.resolution);
}

int RecordingCanvas::TextAdvance(std::string_view text, int pixels) {
    std::vector<std::string_view> chars;
    SplitCharacters(text, chars);
    std::int64_t advance = 0;
    for (std::string_view c : chars) advance += IsHalfWidth(c) ? pixels / 2 : pixels;
    return ClampPixel(advance);
}

void RecordingCanvas::ApplyPen(const Pen& pen) {
    lines_.push_back("pen style=" + std::string(PenStyleName(pen.style)) +
                     " color=" + Hex(pen.colour) + " width=" + std::to_string(pen.width));
}

void RecordingCanvas::ApplyBrush(const Brush& brush) {
    lines_.push_back("brush style=" + std::string(BrushStyleName(brush.style)) +
                     " color=" + Hex(brush.colour));
}

void RecordingCanvas::ApplyFont(const Font& font) {
    std::string line = "font face=" + Quoted(font.face);
    if (font.rotated) {
        line += " rotated height=" + std::to_string(font.cellHeight) +
                " res=" + std::to_string(font.resolution) +
                " px=" + std::to_string(FontPixels(font)) +
                " escapement=" + std::to_string(font.escapement);
    } else {
        line += " size=" + std::to_string(font.points) + " res=" + std::to_string(font.resolution) +
                " px=" + std::to_string(FontPixels(font)) +
                " bold=" + (font.style.bold ? "1" : "0") +
                " italic=" + (font.style.italic ? "1" : "0");
    }
    lines_.push_back(line + " color=" + Hex(font.colour));
}

void RecordingCanvas::DeviceLine(Point from, Point to) {
    lines_.push_back("line " + At(from) + " -> " + At(to));
}

void RecordingCanvas::DeviceRoundRect(const Rect& box, Size corner) {
    lines_.push_back("roundrect " + Box(box) + " corner=" + std::to_string(corner.width) + "," +
                     std::to_string(corner.height));
}

void RecordingCanvas::DeviceEllipse(const Rect& box) {
    lines_.push_back("ellipse " + Box(box));
}

void RecordingCanvas::DeviceArc(const Rect& box, Point start, Point end) {
    lines_.push_back("arc " + Box(box) + " start=" + At(start) + " end=" + At(end));
}

void RecordingCanvas::DeviceChord(const Rect& box, Point start, Point end) {
    lines_.push_back("chord " + Box(box) + " start=" + At(start) + " end=" + At(end));
}

void RecordingCanvas::DeviceFillRect(const Rect& box) {
    lines_.push_back("fillrect " + Box(box));
}

void RecordingCanvas::DeviceTextOut(Point at, std::string_view text) {
    lines_.push_back("text " + At(at) + " " + Quoted(text));
}

Size RecordingCanvas::DeviceTextExtent(std::string_view text) {
    const int pixels = FontPixels(CurrentFont());
    const Size extent{TextAdvance(text, pixels), pixels};
    lines_.push_back("extent " + Quoted(text) + " = " + std::to_string(extent.width) + "x" +
                     std::to_string(extent.height));
    return extent;
}

int RecordingCanvas::DeviceTextWidthAt(std::string_view text, int resolution) {
    const int width = TextAdvance(text, FontPixelsAt(CurrentFont(), resolution));
    lines_.push_back("width " + Quoted(text) + " res=" + std::to_string(resolution) + " = " +
                     std::to_string(width));
    return width;
}

void RecordingCanvas::DeviceBeginPath() {
    pathHasInk_ = false;
    lines_.emplace_back("beginpath");
}

void RecordingCanvas::DevicePathText(const Rect& box, std::string_view text) {
    if (HasInk(text) && FontPixels(CurrentFont()) > 0) pathHasInk_ = true;
    lines_.push_back("pathtext " + Box(box) + " " + Quoted(text));
}

void RecordingCanvas::DeviceEndPath() {
    lines_.emplace_back("endpath");
}

bool RecordingCanvas::DevicePathToClip() {
    lines_.emplace_back(pathHasInk_ ? "pathclip nonempty" : "pathclip empty");
    return pathHasInk_;
}

void RecordingCanvas::DeviceRemoveClip() {
    pathHasInk_ = false;
    lines_.emplace_back("unclip");
}

void RecordingCanvas::DeviceDrawBitmap(const Rect& box, const Bitmap& bitmap) {
    lines_.push_back("bitmap " + Quoted(bitmap.Source()) + " " + std::to_string(bitmap.Width()) +
                     "x" + std::to_string(bitmap.Height()) + " -> " + Box(box));
}

}  // namespace velmora
