#include "core/printstyle/device_mapping.h"

#include <algorithm>
#include <limits>

namespace velmora {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

struct FloorDivision {
    std::int64_t quotient;
    std::int64_t remainder;  // 0 <= remainder < den
};

FloorDivision DivideFloor(std::int64_t num, std::int64_t den) {
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) {
        q -= 1;
        r += den;
    }
    return {q, r};
}

}  // namespace

std::int64_t DivideNearestEven(std::int64_t num, std::int64_t den) {
    auto [q, r] = DivideFloor(num, den);
    const std::int64_t rest = den - r;
    if (r > rest || (r == rest && q % 2 != 0)) return q + 1;
    return q;
}

std::int64_t DivideNearestAway(std::int64_t num, std::int64_t den) {
    auto [q, r] = DivideFloor(num, den);
    const std::int64_t rest = den - r;
    if (r > rest || (r == rest && q >= 0)) return q + 1;
    return q;
}

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) return b > 0 ? kMax : kMin;
    return sum;
}

std::int64_t SaturatingMultiply(std::int64_t a, std::int64_t b) {
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product)) return (a < 0) == (b < 0) ? kMax : kMin;
    return product;
}

int ClampPixel(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, -kPixelLimit, kPixelLimit));
}

Amount PixelsPerMm(Amount dpi) {
    // dpi / 25.4 = dpi * 10 / 254, kept in ten-thousandths
    return Amount::FromRaw(DivideNearestEven(SaturatingMultiply(dpi.Raw(), 10), 254));
}

int MmToPixel(Amount mm, Amount origin, Amount pixelsPerMm) {
    const std::int64_t position = SaturatingAdd(mm.Raw(), origin.Raw());
    const std::int64_t scaled = SaturatingMultiply(position, pixelsPerMm.Raw());
    return ClampPixel(DivideNearestEven(scaled, Amount::kScale * Amount::kScale));
}

int WholeMmToPixel(std::int64_t wholeMm, Amount pixelsPerMm) {
    return ClampPixel(
        DivideNearestEven(SaturatingMultiply(wholeMm, pixelsPerMm.Raw()), Amount::kScale));
}

}  // namespace velmora
