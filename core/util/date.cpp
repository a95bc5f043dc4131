#include "core/util/date.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "core/util/errors.h"

namespace velmora {
namespace {

// Civil-date arithmetic on the proleptic Gregorian calendar (days since 1970-01-01).
std::int32_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy =
        (153 * static_cast<unsigned>(m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int32_t>(doe) - 719468;
}

struct Ymd {
    int y, m, d;
};

Ymd CivilFromDays(std::int32_t z) {
    z += 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int y = static_cast<int>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {y + (m <= 2), static_cast<int>(m), static_cast<int>(d)};
}

std::string Pad(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

// Reads up to maxDigits decimal digits at text[pos]; false when there is none.
bool ReadNumber(std::string_view text, std::size_t& pos, int maxDigits, int& value, int& digits) {
    value = 0;
    digits = 0;
    while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    return digits > 0;
}

}  // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year)) return 29;
    return kDays[static_cast<std::size_t>(month - 1)];
}

bool Date::IsValidYmd(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

Date Date::FromYmd(int year, int month, int day) {
    return Date(DaysFromCivil(year, month, day));
}

std::optional<Date> Date::TryParse(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    int y = 0, m = 0, d = 0, yDigits = 0, digits = 0;
    if (!ReadNumber(text, pos, 4, y, yDigits)) return std::nullopt;
    if (pos >= text.size() || text[pos] != '/') return std::nullopt;
    ++pos;
    if (!ReadNumber(text, pos, 2, m, digits)) return std::nullopt;
    if (pos >= text.size() || text[pos] != '/') return std::nullopt;
    ++pos;
    if (!ReadNumber(text, pos, 2, d, digits)) return std::nullopt;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos != text.size()) return std::nullopt;
    if (yDigits <= 2) y += y < 50 ? 2000 : 1900;
    if (!IsValidYmd(y, m, d)) return std::nullopt;
    return FromYmd(y, m, d);
}

Date Date::Parse(std::string_view text) {
    auto date = TryParse(text);
    if (!date) throw ConversionError("'" + std::string(text) + "' は正しい日付ではありません");
    return *date;
}

int Date::Year() const {
    return CivilFromDays(days_).y;
}
int Date::Month() const {
    return CivilFromDays(days_).m;
}
int Date::Day() const {
    return CivilFromDays(days_).d;
}

int Date::DayOfWeek() const {
    // 1970-01-01 was a Thursday (5).
    int r = (days_ % 7 + 7) % 7;
    return (r + 4) % 7 + 1;
}

std::string Date::ShortText() const {
    Ymd c = CivilFromDays(days_);
    return Pad(c.y, 4) + "/" + Pad(c.m, 2) + "/" + Pad(c.d, 2);
}

Date Date::AddMonths(int n) const {
    Ymd c = CivilFromDays(days_);
    int index = c.y * 12 + (c.m - 1) + n;
    int y = index / 12;
    int m = index % 12 + 1;
    int d = std::min(c.d, DaysInMonth(y, m));
    return FromYmd(y, m, d);
}

std::string_view WeekdayName(int dayOfWeek) {
    static constexpr std::array<std::string_view, 7> kNames{"日", "月", "火", "水",
                                                            "木", "金", "土"};
    return kNames[static_cast<std::size_t>((dayOfWeek - 1 + 7) % 7)];
}

std::string FormatDateTime(std::string_view pattern, const DateTime& moment) {
    Ymd c = CivilFromDays(moment.date.Serial());
    std::string out;
    std::size_t i = 0;
    auto run = [&](char letter) {
        std::size_t n = 0;
        while (i + n < pattern.size() &&
               (pattern[i + n] == letter || pattern[i + n] == letter - 'a' + 'A'))
            ++n;
        return n;
    };
    while (i < pattern.size()) {
        char ch = pattern[i];
        char lower = (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
        if (ch == '"' || ch == '\'') {
            std::size_t close = pattern.find(ch, i + 1);
            if (close == std::string_view::npos) close = pattern.size();
            out.append(pattern.substr(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        std::size_t n = 0;
        switch (lower) {
            case 'y':
                n = run('y');
                out += n <= 2 ? Pad(c.y % 100, 2) : Pad(c.y, 4);
                break;
            case 'm':
                n = run('m');
                out += n >= 2 ? Pad(c.m, 2) : std::to_string(c.m);
                break;
            case 'd':
                n = run('d');
                if (n >= 3)
                    out += WeekdayName(moment.date.DayOfWeek());
                else
                    out += n == 2 ? Pad(c.d, 2) : std::to_string(c.d);
                break;
            case 'h':
                n = run('h');
                out += n >= 2 ? Pad(moment.Hour(), 2) : std::to_string(moment.Hour());
                break;
            case 'n':
                n = run('n');
                out += n >= 2 ? Pad(moment.Minute(), 2) : std::to_string(moment.Minute());
                break;
            case 's':
                n = run('s');
                out += n >= 2 ? Pad(moment.Second(), 2) : std::to_string(moment.Second());
                break;
            default:
                out += ch;
                n = 1;
                break;
        }
        i += n;
    }
    return out;
}

}  // namespace velmora
