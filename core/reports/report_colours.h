#pragma once
// Colours the report pages draw with, as RGB values for the windows to use.
#include <cstdint>

namespace velmora {

struct RgbColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const RgbColour&) const = default;
};

inline constexpr RgbColour kTextBlack{0, 0, 0};
inline constexpr RgbColour kTextRed{255, 0, 0};
inline constexpr RgbColour kCellWhite{255, 255, 255};

}  // namespace velmora
