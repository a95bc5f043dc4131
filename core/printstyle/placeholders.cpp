#include "core/printstyle/placeholders.h"

#include <algorithm>

#include "core/util/fields.h"
#include "core/util/text_length.h"

namespace velmora {
namespace {

void RemoveFirst(std::string& text, std::string_view what) {
    std::size_t at = text.find(what);
    if (at != std::string::npos) text.erase(at, what.size());
}

// Digits with an optional sign and decimal point, not all of them zero; as long as it
// likes, since a sum of the largest amounts is longer than any amount a record holds.
bool IsNonZeroNumber(std::string_view text) {
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    bool digits = false;
    bool nonZero = false;
    bool point = false;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            nonZero = nonZero || c != '0';
        } else {
            return false;
        }
    }
    return digits && nonZero;
}

}  // namespace

bool ReplacePlaceholder(std::string& line, std::string_view placeholder, std::string_view value,
                        bool zeroBlank) {
    std::size_t at = line.find(placeholder);
    if (at == std::string::npos) return false;
    if (zeroBlank && value == "0") value = {};
    line.replace(at, placeholder.size(), value);
    if (line.empty()) line = "    ";
    return true;
}

bool ReplacePlaceholderRed(std::string& line, std::string_view placeholder, std::string_view value,
                           bool red, bool zeroBlank) {
    if (!ReplacePlaceholder(line, placeholder, value, zeroBlank)) return false;
    if (red && value.find('-') != std::string_view::npos) line = SetLineField(line, kRedColour, 19);
    return true;
}

bool ReplacePlaceholderShrink(std::string& line, std::string_view placeholder,
                              std::string_view value, bool zeroBlank) {
    if (!ReplacePlaceholder(line, placeholder, value, zeroBlank)) return false;
    ShrinkLongAmount(line, value);
    return true;
}

void ShrinkLongAmount(std::string& line, std::string_view value, double widthMm) {
    if (!IsNonZeroNumber(PlainAmountText(value))) return;
    const std::size_t length = CodePointCount(value);
    std::optional<AmountShrink> shrink = LongAmountShrink(length);
    if (shrink && widthMm > 0) shrink = ShrinkToWidth(length, widthMm);
    if (shrink) {
        line = SetLineField(line, shrink->size, 15);
        line = SetLineField(line, shrink->pitch, 18);
    }
}

std::optional<AmountShrink> LongAmountShrink(std::size_t length) {
    if (length <= 10) return std::nullopt;
    return length <= 15 ? AmountShrink{"9", "-1.6"} : ShrinkToWidth(length, 15 * 1.6);
}

AmountShrink ShrinkToWidth(std::size_t length, double widthMm, double gapMm) {
    if (length == 0) return {"9", "0"};
    // Twentieths of a millimetre, rounded down so that the text stays within the width.
    const long twentieths = std::max(1L, static_cast<long>(widthMm * 20 / length + 1e-9));
    const double pitch = twentieths / 20.0;
    // A digit of the IPAex faces is half an em: points * 25.4 / 72 / 2 mm.
    const int points = std::clamp(static_cast<int>((pitch - gapMm) / (25.4 / 144) + 1e-9), 5, 9);
    std::string pitchText = "-" + std::to_string(twentieths / 20);
    const long hundredths = twentieths % 20 * 5;
    if (hundredths != 0) {
        pitchText += '.';
        pitchText += static_cast<char>('0' + hundredths / 10);
        if (hundredths % 10 != 0) pitchText += static_cast<char>('0' + hundredths % 10);
    }
    return {std::to_string(points), pitchText};
}

std::string SetLineField(std::string_view line, std::string_view value, int n) {
    std::string out;
    out.reserve(line.size() + value.size() + 22);
    for (int i = 1; i <= 22; ++i) {
        out += i == n ? value : FieldNView(line, ";", i);
        out += ';';
    }
    return out;
}

std::string CutAtParen(std::string_view text) {
    return std::string(text.substr(0, std::min(text.find('('), text.size())));
}

std::string DateDigits(std::string_view text) {
    std::string out(text);
    RemoveFirst(out, "月");
    RemoveFirst(out, "日");
    if (out.empty()) out = "0";
    return out;
}

std::string DayOfDate(std::string_view text) {
    std::string out(text);
    std::size_t month = out.find("月");
    if (month != std::string::npos) out.erase(0, month + std::string_view("月").size());
    RemoveFirst(out, "日");
    return out;
}

std::string TitlePrefix(std::string_view title) {
    static constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
    const std::size_t n = CodePointCount(title);
    switch (n) {
        case 2:
            return std::string(26, ' ');
        case 3:
            return std::string(kIdeographicSpace) + std::string(23, ' ');
        case 4:
            return " " + std::string(kIdeographicSpace) + std::string(21, ' ');
        case 5:
            return "  " + std::string(kIdeographicSpace) + std::string(19, ' ');
        default:
            break;
    }
    if (n >= 6 && n <= 27) return std::string(28 - n, ' ');
    return {};
}

std::string RowNumber(int n) {
    return n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

}  // namespace velmora
