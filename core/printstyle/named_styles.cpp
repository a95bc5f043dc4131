#include "core/printstyle/named_styles.h"

#include <array>
#include <utility>

namespace velmora {
namespace {

struct BrushName {
    std::string_view english;
    std::string_view japanese;
    BrushStyle style;
};

constexpr std::array<BrushName, 8> kBrushNames{{
    {"SolidBrush", "塗潰", BrushStyle::kSolid},
    {"ClearBrush", "枠", BrushStyle::kClear},
    {"HorizontalBrush", "水平", BrushStyle::kHorizontal},
    {"VerticalBrush", "垂直", BrushStyle::kVertical},
    {"FDiagonalBrush", "右斜線", BrushStyle::kForwardDiagonal},
    {"BDiagonalBrush", "左斜線", BrushStyle::kBackwardDiagonal},
    {"CrossBrush", "垂直十字", BrushStyle::kCross},
    {"DiagCrossBrush", "斜十字", BrushStyle::kDiagonalCross},
}};

constexpr std::array<std::pair<std::string_view, PenStyle>, 6> kPenNames{{
    {"実線", PenStyle::kSolid},
    {"破線", PenStyle::kDash},
    {"点線", PenStyle::kDot},
    {"一点鎖線", PenStyle::kDashDot},
    {"二点鎖線", PenStyle::kDashDotDot},
    {"立体線", PenStyle::kInsideFrame},
}};

}  // namespace

PenStyle PenStyleOf(std::string_view name) {
    for (const auto& [text, style] : kPenNames)
        if (text == name) return style;
    return PenStyle::kSolid;
}

BrushStyle BrushStyleOf(std::string_view name) {
    for (const auto& entry : kBrushNames)
        if (entry.english == name || entry.japanese == name) return entry.style;
    return BrushStyle::kSolid;
}

FontStyle FontStyleOf(std::string_view name) {
    if (name == "太字") return {true, false};
    if (name == "斜体") return {false, true};
    if (name == "太字斜体") return {true, true};
    return {};
}

std::string_view PenStyleName(PenStyle style) {
    switch (style) {
        case PenStyle::kSolid:
            return "solid";
        case PenStyle::kDash:
            return "dash";
        case PenStyle::kDot:
            return "dot";
        case PenStyle::kDashDot:
            return "dashdot";
        case PenStyle::kDashDotDot:
            return "dashdotdot";
        case PenStyle::kInsideFrame:
            return "insideframe";
    }
    return "solid";
}

std::string_view BrushStyleName(BrushStyle style) {
    switch (style) {
        case BrushStyle::kSolid:
            return "solid";
        case BrushStyle::kClear:
            return "clear";
        case BrushStyle::kHorizontal:
            return "horizontal";
        case BrushStyle::kVertical:
            return "vertical";
        case BrushStyle::kForwardDiagonal:
            return "fdiagonal";
        case BrushStyle::kBackwardDiagonal:
            return "bdiagonal";
        case BrushStyle::kCross:
            return "cross";
        case BrushStyle::kDiagonalCross:
            return "diagcross";
    }
    return "solid";
}

}  // namespace velmora
