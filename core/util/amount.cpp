#include "core/util/amount.h"

#include <algorithm>
#include <limits>

#include "core/util/errors.h"

namespace velmora {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::optional<std::int64_t> ParseRaw(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    if (b == e) return 0;  // an empty text reads as 0
    bool negative = false;
    if (text[b] == '-' || text[b] == '+') {
        negative = text[b] == '-';
        ++b;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t whole = 0;
    bool anyDigit = false;
    std::size_t i = b;
    for (; i < e && text[i] >= '0' && text[i] <= '9'; ++i) {
        anyDigit = true;
        int digit = text[i] - '0';
        if (whole > (kMax / Amount::kScale - digit) / 10) return std::nullopt;
        whole = whole * 10 + digit;
    }
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    if (i < e && text[i] == '.') {
        ++i;
        for (; i < e && text[i] >= '0' && text[i] <= '9'; ++i) {
            anyDigit = true;
            if (fractionDigits < 4) {
                fraction = fraction * 10 + (text[i] - '0');
                ++fractionDigits;
            } else if (fractionDigits == 4) {
                roundUp = text[i] >= '5';  // halves away from zero
                ++fractionDigits;
            }
        }
    }
    if (!anyDigit || i != e) return std::nullopt;
    for (int k = std::min(fractionDigits, 4); k < 4; ++k) fraction *= 10;
    fraction += roundUp ? 1 : 0;
    // The whole part alone may fit while whole and fraction together do not.
    if (whole * Amount::kScale > kMax - fraction) return std::nullopt;
    std::int64_t raw = whole * Amount::kScale + fraction;
    return negative ? -raw : raw;
}

}  // namespace

Amount Amount::Parse(std::string_view text) {
    auto raw = ParseRaw(text);
    if (!raw) throw ConversionError("'" + std::string(text) + "' は正しい数値ではありません");
    return Amount(*raw);
}

std::optional<Amount> Amount::TryParse(std::string_view text) {
    auto raw = ParseRaw(text);
    if (!raw) return std::nullopt;
    return Amount(*raw);
}

std::int64_t Amount::RoundedYen() const {
    std::int64_t whole = raw_ / kScale;
    std::int64_t rest = raw_ % kScale;
    if (rest >= kScale / 2) ++whole;
    if (rest <= -kScale / 2) --whole;
    return whole;
}

std::string Amount::PlainText() const {
    // Unsigned, so that the most negative amount has a magnitude too.
    const std::uint64_t magnitude =
        raw_ < 0 ? 0 - static_cast<std::uint64_t>(raw_) : static_cast<std::uint64_t>(raw_);
    const std::uint64_t scale = kScale;
    std::string text = raw_ < 0 ? "-" : "";
    text += std::to_string(magnitude / scale);
    const std::uint64_t fraction = magnitude % scale;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction + scale).substr(1);
        while (!digits.empty() && digits.back() == '0') digits.pop_back();
        text += '.';
        text += digits;
    }
    return text;
}

std::string GroupThousands(std::int64_t value) {
    bool negative = value < 0;
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    std::string out;
    out.reserve(digits.size() + digits.size() / 3 + 1);
    if (negative) out += '-';
    std::size_t lead = digits.size() % 3;
    if (lead == 0) lead = 3;
    out.append(digits, 0, lead);
    for (std::size_t i = lead; i < digits.size(); i += 3) {
        out += ',';
        out.append(digits, i, 3);
    }
    return out;
}

std::string Amount::YenText() const {
    return GroupThousands(RoundedYen());
}

std::string Amount::CurrencyText() const {
    return "\\" + GroupThousands(RoundedYen());
}

}  // namespace velmora
