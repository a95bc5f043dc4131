#pragma once
// Amounts of money: 64-bit integers of ten-thousandths of a yen. All parsing and
// formatting of amounts goes through this type.
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

class Amount {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Amount() = default;
    static constexpr Amount FromRaw(std::int64_t tenThousandths) { return Amount(tenThousandths); }
    static constexpr Amount FromYen(std::int64_t yen) { return Amount(yen * kScale); }

    // The plain decimal form of ledger fields: "1500", "-300", "12.5"; an empty text is 0.
    // Leading and trailing blanks are allowed; more than four decimals round to the
    // nearest ten-thousandth. Throws ConversionError for anything else.
    static Amount Parse(std::string_view text);
    static std::optional<Amount> TryParse(std::string_view text);

    constexpr std::int64_t Raw() const { return raw_; }
    constexpr bool IsZero() const { return raw_ == 0; }
    // Whole yen, the fraction cut toward zero.
    constexpr std::int64_t TruncatedYen() const { return raw_ / kScale; }
    // Whole yen, halves away from zero.
    std::int64_t RoundedYen() const;

    // "1500", "-300", "12.5": no separators, decimals only when not zero.
    std::string PlainText() const;
    // "#,##0": whole yen (halves away from zero) with thousands separators.
    std::string YenText() const;
    // The currency form "%m": "\" + "#,##0", negative as "\-1,234".
    std::string CurrencyText() const;

    constexpr Amount operator+(Amount o) const { return Amount(raw_ + o.raw_); }
    constexpr Amount operator-(Amount o) const { return Amount(raw_ - o.raw_); }
    constexpr Amount operator-() const { return Amount(-raw_); }
    constexpr Amount& operator+=(Amount o) {
        raw_ += o.raw_;
        return *this;
    }
    constexpr Amount& operator-=(Amount o) {
        raw_ -= o.raw_;
        return *this;
    }
    constexpr auto operator<=>(const Amount&) const = default;

private:
    constexpr explicit Amount(std::int64_t raw) : raw_(raw) {}
    std::int64_t raw_ = 0;
};

// Thousands separators into a whole number: 1234567 -> "1,234,567", -5 -> "-5".
std::string GroupThousands(std::int64_t value);

}  // namespace velmora
