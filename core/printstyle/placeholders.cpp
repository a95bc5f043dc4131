#include "core/printstyle/placeholders.h"

#include <algorithm>

#include "core/util/amount.h"
#include "core/util/fields.h"
#include "core/util/text_length.h"

namespace velmora {
namespace {

void RemoveFirst(std::string& text, std::string_view what) {
    std::size_t at = text.find(what);
    if (at != std::string::npos) text.erase(at, what.size());
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
    const Amount number = Amount::TryParse(PlainAmountText(value)).value_or(Amount());
    const std::size_t length = CodePointCount(value);
    if (number > Amount() && length >= 11 && length <= 15) {
        line = SetLineField(line, "9", 15);
        line = SetLineField(line, "-1.6", 18);
    }
    return true;
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
