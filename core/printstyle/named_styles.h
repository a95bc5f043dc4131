#pragma once
// The named pen, brush and font styles of style lines. Names outside the tables give the
// plain style (solid pen, solid brush, regular font).
#include <string_view>

namespace velmora {

enum class PenStyle { kSolid, kDash, kDot, kDashDot, kDashDotDot, kInsideFrame };

enum class BrushStyle {
    kSolid,
    kClear,
    kHorizontal,
    kVertical,
    kForwardDiagonal,
    kBackwardDiagonal,
    kCross,
    kDiagonalCross,
};

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool operator==(const FontStyle&) const = default;
};

// "実線", "破線", "点線", "一点鎖線", "二点鎖線", "立体線".
PenStyle PenStyleOf(std::string_view name);
// Either the English or the Japanese name: "SolidBrush"/"塗潰", "ClearBrush"/"枠", ...
BrushStyle BrushStyleOf(std::string_view name);
// "太字", "斜体", "太字斜体".
FontStyle FontStyleOf(std::string_view name);

// Short stable names for logs: "solid", "dash", "inside-frame", "clear", "fdiagonal" ...
std::string_view PenStyleName(PenStyle style);
std::string_view BrushStyleName(BrushStyle style);

}  // namespace velmora
