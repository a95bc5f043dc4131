#include "core/import/statement_values.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/util/fields.h"
#include "core/util/text_length.h"

namespace velmora {
namespace {

constexpr char32_t kIdeographicSpace = 0x3000;

// The full-width forms of U+FF61 .. U+FF9F: the half-width katakana block.
constexpr std::array<char32_t, 63> kWideKana = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C,
};
constexpr char32_t kHalfVoiced = 0xFF9E;      // ﾞ
constexpr char32_t kHalfSemiVoiced = 0xFF9F;  // ﾟ

bool IsHalfWidthKana(char32_t cp) {
    return cp >= 0xFF61 && cp <= 0xFF9F;
}

// The kana a voiced mark joins: カ .. ト and ハ .. ホ take ゛ as the next code point, ハ .. ホ
// take ゜ as the one after; ウ becomes ヴ.
char32_t Joined(char32_t wide, char32_t mark) {
    const bool kToTo = wide >= 0x30AB && wide <= 0x30C8 && wide != 0x30C3;
    const bool haToHo = wide >= 0x30CF && wide <= 0x30DB && (wide - 0x30CF) % 3 == 0;
    if (mark == kHalfVoiced) {
        if (kToTo || haToHo) return wide + 1;
        if (wide == 0x30A6) return 0x30F4;
    }
    if (mark == kHalfSemiVoiced && haToHo) return wide + 2;
    return 0;
}

std::vector<char32_t> CodePoints(std::string_view text) {
    std::vector<std::string_view> chars;
    SplitCharacters(text, chars);
    std::vector<char32_t> cps;
    cps.reserve(chars.size());
    for (std::string_view c : chars) cps.push_back(CodePointOf(c));
    return cps;
}

bool IsDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

struct Era {
    std::string_view name;
    char letter;
    int firstYear;
};
constexpr std::array<Era, 5> kEras = {{
    {"令和", 'R', 2019},
    {"平成", 'H', 1989},
    {"昭和", 'S', 1926},
    {"大正", 'T', 1912},
    {"明治", 'M', 1868},
}};

// The first year of the era the text begins with; rest holds what follows the era.
std::optional<int> EraOf(std::string_view text, std::string_view& rest) {
    for (const Era& era : kEras) {
        if (text.starts_with(era.name)) {
            rest = text.substr(era.name.size());
            return era.firstYear;
        }
        if (!text.empty() && (text[0] == era.letter || text[0] == era.letter + ('a' - 'A'))) {
            rest = text.substr(1);
            return era.firstYear;
        }
    }
    return std::nullopt;
}

// "y/m/d" with "/" between the three numbers (年 and 月 already made "/", 日 gone).
std::optional<std::array<int, 3>> ThreeNumbers(std::string_view text) {
    std::array<int, 3> parts{};
    for (int i = 0; i < 3; ++i) {
        const std::size_t slash = i < 2 ? text.find('/') : text.size();
        if (slash == std::string_view::npos) return std::nullopt;
        const std::string_view part = text.substr(0, slash);
        if (!IsDigits(part) || part.size() > 4) return std::nullopt;
        parts[static_cast<std::size_t>(i)] = std::stoi(std::string(part));
        text = slash < text.size() ? text.substr(slash + 1) : std::string_view();
    }
    return parts;
}

}  // namespace

std::string NarrowFullWidthAscii(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::vector<std::string_view> chars;
    SplitCharacters(text, chars);
    for (std::string_view c : chars) {
        const char32_t cp = c.size() == 3 ? CodePointOf(c) : 0;
        if (cp >= 0xFF01 && cp <= 0xFF5E)
            out += static_cast<char>(cp - 0xFEE0);
        else if (cp == kIdeographicSpace)
            out += ' ';
        else if (cp == 0x2212)  // the minus sign of some fonts' tables
            out += '-';
        else
            out += c;
    }
    return out;
}

std::optional<Date> ParseStatementDate(std::string_view cell) {
    std::string text(TrimBlanks(NarrowFullWidthAscii(cell)));
    if (const std::size_t space = text.find(' '); space != std::string::npos) text.resize(space);
    text = ReplaceAll(ReplaceAll(text, "年", "/"), "月", "/");
    if (text.ends_with("日")) text.resize(text.size() - std::string_view("日").size());
    for (char& c : text)
        if (c == '-' || c == '.') c = '/';

    std::string_view rest;
    if (const std::optional<int> era = EraOf(text, rest)) {
        std::string numbers(rest);
        if (numbers.starts_with("元")) numbers.replace(0, std::string_view("元").size(), "1");
        const auto parts = ThreeNumbers(numbers);
        if (!parts || (*parts)[0] < 1) return std::nullopt;
        const int year = *era + (*parts)[0] - 1;
        if (!Date::IsValidYmd(year, (*parts)[1], (*parts)[2])) return std::nullopt;
        return Date::FromYmd(year, (*parts)[1], (*parts)[2]);
    }
    if (text.size() == 8 && IsDigits(text))
        text = text.substr(0, 4) + "/" + text.substr(4, 2) + "/" + text.substr(6);
    const auto parts = ThreeNumbers(text);
    if (!parts) return std::nullopt;
    int year = (*parts)[0];
    // Two-digit years as the program's own dates read them.
    if (text.find('/') == 2) year += year < 50 ? 2000 : 1900;
    if (!Date::IsValidYmd(year, (*parts)[1], (*parts)[2])) return std::nullopt;
    return Date::FromYmd(year, (*parts)[1], (*parts)[2]);
}

std::optional<Amount> ParseStatementAmount(std::string_view cell) {
    const bool ascii =
        std::all_of(cell.begin(), cell.end(), [](char c) { return (c & 0x80) == 0; });
    std::string text = ascii ? std::string(cell) : NarrowFullWidthAscii(cell);
    if (!ascii)
        for (std::string_view noise : {"円", "￥", "¥"}) text = ReplaceAll(text, noise, "");
    std::erase_if(
        text, [](char c) { return c == ',' || c == ' ' || c == '\t' || c == '"' || c == '\\'; });
    if (text.empty()) return Amount();
    bool negative = false;
    if (text.size() > 2 && text.front() == '(' && text.back() == ')') {
        negative = true;
        text = text.substr(1, text.size() - 2);
    }
    for (std::string_view sign : {"-", "+", "△", "▲"}) {
        if (!text.starts_with(sign)) continue;
        negative = negative != (sign != "+");
        text = text.substr(sign.size());
        break;
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = std::string_view(text).substr(0, point);
    const std::string_view fraction = point == std::string::npos
                                          ? std::string_view("0")
                                          : std::string_view(text).substr(point + 1);
    if (!IsDigits(whole) || !IsDigits(fraction) || whole.size() > 15) return std::nullopt;
    const std::optional<Amount> amount = Amount::TryParse(text);
    if (!amount) return std::nullopt;
    return negative ? -*amount : *amount;
}

std::string WidenHalfWidthKana(std::string_view text) {
    const std::vector<char32_t> cps = CodePoints(WideTrim(text));
    bool kana = false;
    for (char32_t cp : cps) kana = kana || IsHalfWidthKana(cp);
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < cps.size(); ++i) {
        const char32_t cp = cps[i];
        if (kana && cp == U' ') {
            AppendCodePoint(out, kIdeographicSpace);
            while (i + 1 < cps.size() && cps[i + 1] == U' ') ++i;
            continue;
        }
        if (!IsHalfWidthKana(cp)) {
            AppendCodePoint(out, cp);
            continue;
        }
        const char32_t wide = kWideKana[cp - 0xFF61];
        const char32_t joined = i + 1 < cps.size() ? Joined(wide, cps[i + 1]) : 0;
        AppendCodePoint(out, joined != 0 ? joined : wide);
        if (joined != 0) ++i;
    }
    return out;
}

}  // namespace velmora
