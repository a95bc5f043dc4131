#include "core/entry/numeric_field.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>
#include <vector>

#include "core/util/text_length.h"

namespace velmora {
namespace {

constexpr long double kTwoTo63 = 9223372036854775808.0L;
constexpr std::int64_t kMaxHex32 = 0xFFFFFFFF;

// Eighteen significant digits: as many as a long double gives back unchanged, and few
// enough that the noise of binary arithmetic (0.1 + 0.2) stays out of sight.
constexpr int kSignificantDigits = 18;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool IsSign(char c) {
    return c == '+' || c == '-';
}

// The code point of a UTF-8 sequence (valid sequences only; the bytes come from the toolkit).
char32_t DecodeUtf8(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (bytes.size() == 1) return lead;
    char32_t c = lead & (0x7Fu >> bytes.size());
    for (std::size_t i = 1; i < bytes.size(); ++i)
        c = (c << 6) | (static_cast<unsigned char>(bytes[i]) & 0x3Fu);
    return c;
}

// A number in decimal digits: sign, whole part without leading zeros ("0" at least),
// fraction without trailing zeros.
struct DecimalDigits {
    bool negative = false;
    std::string whole = "0";
    std::string fraction;

    bool IsZero() const {
        return whole.find_first_not_of('0') == std::string::npos &&
               fraction.find_first_not_of('0') == std::string::npos;
    }

    void Normalise() {
        whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
        if (whole.empty()) whole = "0";
        fraction.erase(fraction.find_last_not_of('0') + 1);
        if (IsZero()) negative = false;
    }

    std::string Plain() const {
        return (negative ? "-" : "") + whole + (fraction.empty() ? "" : "." + fraction);
    }
};

// The value in plain digits; an exponent form is never produced.
DecimalDigits DigitsOf(long double value) {
    DecimalDigits d;
    if (value == 0 || !std::isfinite(value)) return d;
    d.negative = value < 0;
    const long double magnitude = std::fabs(value);
    // Whole numbers within 64 bits are exact in a long double: print every digit.
    if (magnitude < kTwoTo63 && std::truncl(magnitude) == magnitude) {
        d.whole = std::to_string(static_cast<std::uint64_t>(magnitude));
        return d;
    }
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = text.find('e');
    std::string mantissa;
    for (char c : text.substr(0, e))
        if (IsDigit(c)) mantissa += c;
    int exponent = 0;
    std::string_view exponentText = text.substr(e + 1);
    if (!exponentText.empty() && exponentText[0] == '+') exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    const int wholeDigits = exponent + 1;
    if (wholeDigits <= 0) {
        d.whole = "0";
        d.fraction = std::string(static_cast<std::size_t>(-wholeDigits), '0') + mantissa;
    } else if (wholeDigits >= static_cast<int>(mantissa.size())) {
        d.whole = mantissa + std::string(wholeDigits - mantissa.size(), '0');
    } else {
        d.whole = mantissa.substr(0, static_cast<std::size_t>(wholeDigits));
        d.fraction = mantissa.substr(static_cast<std::size_t>(wholeDigits));
    }
    d.Normalise();
    return d;
}

// Cuts the fraction to figure places. Rounding works on the digits, so 1.235 rounds to
// 1.24 although no binary number equals 1.235; a carry may run into the whole part.
void RoundDigits(DecimalDigits& d, int figure, RoundMode mode) {
    if (figure < 0 || static_cast<int>(d.fraction.size()) <= figure) return;
    const std::string dropped = d.fraction.substr(static_cast<std::size_t>(figure));
    d.fraction.resize(static_cast<std::size_t>(figure));
    bool up = false;
    if (mode == RoundMode::kRound) up = dropped[0] >= '5';
    if (mode == RoundMode::kUp) up = dropped.find_first_not_of('0') != std::string::npos;
    if (up) {
        std::string all = d.whole + d.fraction;
        int i = static_cast<int>(all.size()) - 1;
        for (; i >= 0 && all[i] == '9'; --i) all[i] = '0';
        if (i >= 0)
            ++all[i];
        else
            all.insert(all.begin(), '1');
        d.whole = all.substr(0, all.size() - d.fraction.size());
        d.fraction = all.substr(d.whole.size());
    }
    d.Normalise();
}

std::optional<long double> ReadLongDouble(std::string_view text) {
    long double value = 0;
    auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

long double ValueOf(const DecimalDigits& d) {
    return ReadLongDouble(d.Plain()).value_or(0);
}

std::string GroupDigits(std::string_view digits) {
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

std::string HexText(std::int64_t value) {
    const bool negative = value < 0;
    std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789ABCDEF"[magnitude % 16]);
        magnitude /= 16;
    } while (magnitude != 0);
    return (negative ? "-" : "") + digits;
}

std::int64_t ToInt64(long double value) {
    const long double whole = std::truncl(value);
    if (std::isnan(whole)) return 0;
    if (whole >= kTwoTo63) return std::numeric_limits<std::int64_t>::max();
    if (whole < -kTwoTo63) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(whole);
}

bool IsSignOnly(std::string_view text) {
    return text.empty() || text == "-" || text == "+";
}

}  // namespace

NumberField::NumberField() = default;

std::string NumberField::SelectedText() const {
    return text_.substr(static_cast<std::size_t>(SelStart()),
                        static_cast<std::size_t>(SelLength()));
}

void NumberField::SetCaret(int position) {
    Select(position, position);
}

void NumberField::Select(int anchor, int caret) {
    const int length = static_cast<int>(text_.size());
    anchor_ = std::clamp(anchor, 0, length);
    caret_ = std::clamp(caret, 0, length);
}

void NumberField::SelectAll() {
    Select(0, static_cast<int>(text_.size()));
}

bool NumberField::AcceptsChar(char c) const {
    if (type_ == NumberType::kDecimal) return IsDigit(c) || c == '.' || IsSign(c);
    if (c == '-') return validMinus_;
    if (c == '+') return !text_.empty() && text_[0] == '-';
    return IsHexDigit(c);
}

bool NumberField::DigitFitsIntegerPart(int position) const {
    if (maxIntLength_ <= 0) return true;
    const std::size_t dot = text_.find('.');
    const int integerEnd = static_cast<int>(dot == std::string::npos ? text_.size() : dot);
    if (dot != std::string::npos && position > integerEnd) return true;
    if (SelLength() > 0 && SelStart() < integerEnd) return true;
    int digits = 0;
    for (int i = 0; i < integerEnd; ++i)
        if (IsHexDigit(text_[static_cast<std::size_t>(i)])) ++digits;
    return digits < maxIntLength_;
}

void NumberField::ReplaceSelection(std::string_view with) {
    const int start = SelStart();
    text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(SelLength()), with);
    caret_ = anchor_ = start + static_cast<int>(with.size());
}

char32_t HalfWidthNumberChar(char32_t c) {
    if (c >= U'０' && c <= U'９') return U'0' + (c - U'０');
    switch (c) {
        case U'＋':
            return U'+';
        case U'－':
        case U'−':  // the minus sign an input method may give
        case U'ー':
            return U'-';
        case U'．':
        case U'。':
            return U'.';
        case U'，':
        case U'、':
            return U',';
        default:
            return c;
    }
}

std::string HalfWidthNumberText(std::string_view text) {
    std::vector<std::string_view> chars;
    SplitCharacters(text, chars);
    std::string out;
    for (std::string_view ch : chars) {
        const char32_t c = HalfWidthNumberChar(DecodeUtf8(ch));
        if (c < 0x80)
            out += static_cast<char>(c);
        else
            out += ch;
    }
    return out;
}

bool NumberField::TypeChar(char32_t c) {
    c = HalfWidthNumberChar(c);
    if (c == U'\b') {
        Backspace();
        return true;
    }
    if (c == U'\t' || c == U'\r' || c == U'\n') return true;
    if (c >= 0x80) return false;
    const char ch = static_cast<char>(c);
    if (!AcceptsChar(ch)) return false;
    if (IsSign(ch)) return TypeSign(ch);
    if (ch == '.') {
        // The separator counts as a second one only when it stays in the text.
        const std::string kept = text_.substr(0, static_cast<std::size_t>(SelStart())) +
                                 text_.substr(static_cast<std::size_t>(SelStart() + SelLength()));
        if (kept.find('.') != std::string::npos) return false;
    } else if (!DigitFitsIntegerPart(SelStart())) {
        return false;
    }
    if (maxLength_ > 0 && static_cast<int>(text_.size()) - SelLength() + 1 > maxLength_)
        return false;
    ReplaceSelection(std::string_view(&ch, 1));
    modified_ = true;
    Changed();
    return true;
}

bool NumberField::TypeSign(char sign) {
    if (SelLength() > 0 && SelStart() == 0) ReplaceSelection("");
    const char lead = text_.empty() ? '\0' : text_[0];
    const char other = sign == '-' ? '+' : '-';
    int shift = 0;
    if (type_ == NumberType::kHex && sign == '+') {
        // Hexadecimal text knows no "+": it only takes the minus away.
        if (lead == '-') {
            text_.erase(0, 1);
            shift = -1;
        }
    } else if (lead == sign) {
        text_.erase(0, 1);
        shift = -1;
    } else if (lead == other) {
        text_[0] = sign;
    } else {
        text_.insert(text_.begin(), sign);
        shift = 1;
    }
    caret_ = anchor_ = std::max(0, caret_ + shift);
    modified_ = true;
    Changed();
    return true;
}

void NumberField::Backspace() {
    if (SelLength() == 0) {
        if (caret_ == 0) return;
        anchor_ = caret_ - 1;
    }
    ReplaceSelection("");
    modified_ = true;
    Changed();
}

void NumberField::Delete() {
    if (SelLength() == 0) {
        if (caret_ >= static_cast<int>(text_.size())) return;
        anchor_ = caret_ + 1;
    }
    ReplaceSelection("");
    modified_ = true;
    Changed();
}

void NumberField::Paste(std::string_view pastedText) {
    const std::string pasted = HalfWidthNumberText(pastedText);
    bool changed = SelLength() > 0;
    ReplaceSelection("");
    for (char c : pasted) {
        if (!AcceptsChar(c)) continue;
        if (IsSign(c)) {
            // A sign is kept only where it can stand: in front of a text without one.
            if (caret_ != 0 || (!text_.empty() && IsSign(text_[0]))) continue;
        } else if (c == '.') {
            if (text_.find('.') != std::string::npos) continue;
        } else if (!DigitFitsIntegerPart(caret_)) {
            continue;
        }
        if (maxLength_ > 0 && static_cast<int>(text_.size()) >= maxLength_) break;
        ReplaceSelection(std::string_view(&c, 1));
        changed = true;
    }
    if (!changed) return;
    modified_ = true;
    Changed();
}

void NumberField::EditText(std::string_view text, int caret) {
    text_ = text;
    SetCaret(caret);
    modified_ = true;
    Changed();
}

void NumberField::SetText(std::string_view text) {
    text_ = text;
    SetCaret(static_cast<int>(text_.size()));
    Changed();
}

void NumberField::Changed() {
    if (IsSignOnly(text_)) {
        value_ = 0;
    } else {
        long double parsed = 0;
        if (ParseText(parsed)) value_ = parsed;
        if (comma_ && type_ == NumberType::kDecimal) {
            const std::size_t signLength = IsSign(text_[0]) ? 1 : 0;
            const std::size_t integerEnd = std::min(text_.find('.'), text_.size());
            std::string digits;
            bool plain = true;
            for (std::size_t i = signLength; i < integerEnd; ++i) {
                if (text_[i] == ',') continue;
                plain = plain && IsDigit(text_[i]);
                digits += text_[i];
            }
            if (plain) {
                const auto before = std::count(text_.begin(), text_.end(), ',');
                text_ =
                    text_.substr(0, signLength) + GroupDigits(digits) + text_.substr(integerEnd);
                const auto after = std::count(text_.begin(), text_.end(), ',');
                SetCaret(caret_ + static_cast<int>(after - before));
            }
        }
        value_ = Reduce(value_);
    }
    // The clamp keeps the value within the limits but leaves the text as typed.
    value_ = ClampToLimits(value_);
}

bool NumberField::ParseText(long double& value) const {
    std::string text;
    for (char c : text_)
        if (static_cast<unsigned char>(c) >= 0x20 && c != ',') text += c;
    if (IsSignOnly(text)) {
        value = 0;
        return true;
    }
    if (type_ == NumberType::kHex) {
        const bool negative = text[0] == '-';
        std::uint64_t magnitude = 0;
        for (std::size_t i = IsSign(text[0]) ? 1 : 0; i < text.size(); ++i) {
            char c = text[i];
            if (!IsHexDigit(c)) return false;
            const int digit = IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
            magnitude = std::min<std::uint64_t>(magnitude * 16 + digit,
                                                std::numeric_limits<std::int64_t>::max());
        }
        const auto whole = static_cast<long double>(magnitude);
        value = negative ? -whole : whole;
        return true;
    }
    if (text[0] == '+') text.erase(0, 1);
    if (text.find('.') != std::string::npos) {
        // A separator without any digit ("." or "-.") stands for nothing, that is 0.
        if (std::none_of(text.begin(), text.end(), IsDigit)) {
            if (text != "." && text != "-.") return false;
            value = 0;
            return true;
        }
        auto read = ReadLongDouble(text);
        if (!read) return false;
        value = *read;
        return true;
    }
    std::int64_t whole = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), whole);
    if (error == std::errc::result_out_of_range) {
        auto read = ReadLongDouble(text);
        if (!read) return false;
        value = *read;
        return true;
    }
    if (error != std::errc() || end != text.data() + text.size()) return false;
    value = static_cast<long double>(whole);
    return true;
}

long double NumberField::ClampToLimits(long double value) const {
    if (!limit_) return value;
    if (limitOptions_.limitMin && value < min_) value = min_;
    if (limitOptions_.limitMax && value > max_) value = max_;
    return value;
}

long double NumberField::Reduce(long double value) const {
    if (type_ == NumberType::kHex) {
        // Hexadecimal holds whole numbers; without a minus, the unsigned 32-bit range.
        std::int64_t whole = ToInt64(value);
        if (!validMinus_) whole = std::clamp<std::int64_t>(whole, 0, kMaxHex32);
        return static_cast<long double>(whole);
    }
    if (figure_ < 0) return value;
    DecimalDigits d = DigitsOf(value);
    RoundDigits(d, figure_, roundMode_);
    return ValueOf(d);
}

std::string NumberField::Format(long double value, bool keepPlus) const {
    if (type_ == NumberType::kHex) {
        const std::int64_t whole = ToInt64(Reduce(value));
        if (whole == 0 && !zeroVisible_) return "";
        std::string text = HexText(whole);
        const std::size_t digits = text.size() - (whole < 0 ? 1 : 0);
        if (figure_ > 0 && digits < static_cast<std::size_t>(figure_))
            text.insert(whole < 0 ? 1 : 0, static_cast<std::size_t>(figure_) - digits, '0');
        return text;
    }
    DecimalDigits d = DigitsOf(value);
    RoundDigits(d, figure_, roundMode_);
    if (d.IsZero() && !zeroVisible_) return "";
    std::string fraction = d.fraction;
    if (fixed_ && figure_ >= 0) fraction.resize(static_cast<std::size_t>(figure_), '0');
    std::string text = d.negative ? "-" : (keepPlus ? "+" : "");
    text += comma_ ? GroupDigits(d.whole) : d.whole;
    if (!fraction.empty()) text += "." + fraction;
    return text;
}

void NumberField::Reformat() {
    value_ = Reduce(value_);
    const bool keepPlus = !text_.empty() && text_[0] == '+';
    text_ = Format(value_, keepPlus);
    SetCaret(static_cast<int>(text_.size()));
}

void NumberField::SetValue(long double value) {
    value_ = ClampToLimits(value);
    Reformat();
}

std::int32_t NumberField::AsInteger() const {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(ToInt64(value_), std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

std::int64_t NumberField::AsInt64() const {
    return ToInt64(value_);
}

std::string NumberField::AsText() const {
    if (type_ == NumberType::kDecimal) return DigitsOf(value_).Plain();
    const std::int64_t whole = AsInt64();
    std::string digits = HexText(whole);
    if (digits[0] == '-') digits.erase(0, 1);
    if (validMinus_ && !text_.empty() && text_[0] == '-') digits.insert(digits.begin(), '-');
    return digits;
}

std::string NumberField::FormattedText() const {
    long double value = value_;
    ParseText(value);
    return Format(Reduce(ClampToLimits(value)), !text_.empty() && text_[0] == '+');
}

Amount NumberField::AsAmount() const {
    if (auto amount = Amount::TryParse(DigitsOf(value_).Plain())) return *amount;
    return Amount::FromRaw(value_ < 0 ? std::numeric_limits<std::int64_t>::min()
                                      : std::numeric_limits<std::int64_t>::max());
}

void NumberField::SetAmount(Amount amount) {
    SetValue(ReadLongDouble(amount.PlainText()).value_or(0));
}

void NumberField::Enter() {
    modified_ = false;
    if (autoSelect_)
        SelectAll();
    else
        SetCaret(static_cast<int>(text_.size()));
}

bool NumberField::Leave() {
    long double value = value_;
    ParseText(value);
    SetValue(value);
    return modified_;
}

void NumberField::Step(long double by) {
    long double value = value_ + by;
    if (limit_) {
        if (limitOptions_.limitMax && value > max_)
            value = wrap_ ? min_ : max_;
        else if (limitOptions_.limitMin && value < min_)
            value = wrap_ ? max_ : min_;
    }
    modified_ = true;
    SetValue(value);
}

bool NumberField::ArrowUp() {
    if (!allowKeys_) return false;
    Step(increment_);
    return true;
}

bool NumberField::ArrowDown() {
    if (!allowKeys_) return false;
    Step(-increment_);
    return true;
}

void NumberField::SetNumberType(NumberType type) {
    type_ = type;
    Reformat();
}

void NumberField::SetFigure(int figure) {
    figure_ = figure;
    Reformat();
}

void NumberField::SetFixed(bool fixed) {
    fixed_ = fixed;
    Reformat();
}

void NumberField::SetComma(bool comma) {
    comma_ = comma;
    Reformat();
}

void NumberField::SetValidMinus(bool validMinus) {
    validMinus_ = validMinus;
    Reformat();
}

void NumberField::SetZeroVisible(bool visible) {
    zeroVisible_ = visible;
    Reformat();
}

void NumberField::SetLimit(bool limit) {
    limit_ = limit;
    SetValue(value_);
}

void NumberField::SetLimitOptions(LimitOptions options) {
    limitOptions_ = options;
    SetValue(value_);
}

void NumberField::SetMax(long double max) {
    max_ = max;
    if (min_ > max_) min_ = max_;
    SetValue(value_);
}

void NumberField::SetMin(long double min) {
    min_ = min;
    if (max_ < min_) max_ = min_;
    SetValue(value_);
}

}  // namespace velmora
