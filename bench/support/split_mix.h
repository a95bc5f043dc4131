#pragma once
// A small seeded generator (splitmix64): the same seed gives the same ledger on every
// machine and standard library, which std::mt19937 with the standard distributions does not.
#include <cstdint>

namespace velmora::bench {

class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A whole number in [low, high]; the modulo bias is far below what a benchmark notices.
    std::int64_t Between(std::int64_t low, std::int64_t high) {
        const auto span = static_cast<std::uint64_t>(high - low) + 1;
        return low + static_cast<std::int64_t>(Next() % span);
    }

    // True with the given chance in percent.
    bool Chance(int percent) { return Between(0, 99) < percent; }

    template <typename Container>
    const auto& Pick(const Container& items) {
        return items[static_cast<std::size_t>(
            Between(0, static_cast<std::int64_t>(items.size()) - 1))];
    }

private:
    std::uint64_t state_;
};

}  // namespace velmora::bench
