#pragma once
// Millimetres to device pixels. Positions are fixed-point millimetres (Amount, four
// decimals); every rounding is exact integer arithmetic. Arithmetic saturates instead of
// overflowing, and pixel results are held within +-kPixelLimit, so that absurd figures in
// a damaged style draw far off the page instead of failing.
#include <cstdint>

#include "core/util/amount.h"

namespace velmora {

inline constexpr int kPixelLimit = 1 << 24;

// num / den (den > 0) to the nearest whole number, halves to even.
std::int64_t DivideNearestEven(std::int64_t num, std::int64_t den);
// num / den (den > 0) to the nearest whole number, halves away from zero.
std::int64_t DivideNearestAway(std::int64_t num, std::int64_t den);

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b);
std::int64_t SaturatingMultiply(std::int64_t a, std::int64_t b);
int ClampPixel(std::int64_t value);

inline Amount AddMm(Amount a, Amount b) {
    return Amount::FromRaw(SaturatingAdd(a.Raw(), b.Raw()));
}
inline Amount MultiplyMm(Amount a, std::int64_t factor) {
    return Amount::FromRaw(SaturatingMultiply(a.Raw(), factor));
}

// Pixels per millimetre of a resolution in dots per inch: dpi / 25.4, rounded to four
// decimals (halves to even).
Amount PixelsPerMm(Amount dpi);

// nearest((mm + origin) * pixelsPerMm), halves to even.
int MmToPixel(Amount mm, Amount origin, Amount pixelsPerMm);
// nearest(wholeMm * pixelsPerMm), halves to even; no origin.
int WholeMmToPixel(std::int64_t wholeMm, Amount pixelsPerMm);

}  // namespace velmora

namespace velmora {

// |mm|, saturating.
inline Amount AbsMm(Amount mm) {
    return mm.Raw() >= 0 ? mm : Amount::FromRaw(SaturatingMultiply(mm.Raw(), -1));
}

}  // namespace velmora
