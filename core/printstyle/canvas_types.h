#pragma once
// The values a Canvas works with: device-pixel geometry and the pen, brush and font state.
#include <string>

#include "core/printstyle/named_styles.h"
#include "core/printstyle/style_fields.h"

namespace velmora {

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// Device pixels; right and bottom are exclusive, as in the platform's shapes and fills.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

struct Pen {
    PenStyle style = PenStyle::kSolid;
    Colour colour = kBlack;
    int width = 1;  // device pixels
    bool operator==(const Pen&) const = default;
};

struct Brush {
    BrushStyle style = BrushStyle::kSolid;
    Colour colour = kWhite;
    bool operator==(const Brush&) const = default;
};

// A font is described at a resolution: an upright font by its point size, realised on the
// preview at `resolution` and on a printer at the printer's own resolution (the same
// physical size); a rotated font by its cell height in pixels at `resolution`, which a
// canvas of another resolution scales to its own.
struct Font {
    std::string face;
    FontStyle style;
    Colour colour = kBlack;
    int points = 10;
    int resolution = 96;
    bool rotated = false;
    int cellHeight = 0;  // rotated fonts only: pixels at `resolution`
    int escapement = 0;  // rotated fonts only: tenths of a degree, counter-clockwise
    bool operator==(const Font&) const = default;
};

}  // namespace velmora
