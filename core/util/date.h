#pragma once
// Whole days and moments, with the fixed formats of the program (never the locale).
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

class Date {
public:
    constexpr Date() = default;
    // Days since 1970-01-01.
    static constexpr Date FromSerial(std::int32_t days) { return Date(days); }
    static Date FromYmd(int year, int month, int day);  // month and day must be valid
    static bool IsValidYmd(int year, int month, int day);

    // "yyyy/MM/dd"; month and day may lack their leading zero ("2014/4/1"); a two-digit
    // year is taken in the century window (00-49 -> 20xx, 50-99 -> 19xx).
    // Throws ConversionError for anything else.
    static Date Parse(std::string_view text);
    static std::optional<Date> TryParse(std::string_view text);

    constexpr std::int32_t Serial() const { return days_; }
    int Year() const;
    int Month() const;
    int Day() const;
    // 1 = Sunday ... 7 = Saturday.
    int DayOfWeek() const;

    // "yyyy/MM/dd".
    std::string ShortText() const;

    constexpr Date AddDays(int n) const { return Date(days_ + n); }
    // The same day n months later; a day the target month lacks becomes its last day.
    Date AddMonths(int n) const;
    constexpr int operator-(Date o) const { return days_ - o.days_; }
    constexpr auto operator<=>(const Date&) const = default;

private:
    constexpr explicit Date(std::int32_t days) : days_(days) {}
    std::int32_t days_ = 0;
};

int DaysInMonth(int year, int month);
bool IsLeapYear(int year);

// "日" ... "土" for 1 (Sunday) ... 7 (Saturday).
std::string_view WeekdayName(int dayOfWeek);

struct DateTime {
    Date date;
    int secondsOfDay = 0;  // 0 .. 86399

    int Hour() const { return secondsOfDay / 3600; }
    int Minute() const { return secondsOfDay / 60 % 60; }
    int Second() const { return secondsOfDay % 60; }
};

// Formats with the date pattern letters of the program's format strings:
// yyyy, yy, mm, m (month), dd, d, ddd (weekday "日".."土"), hh, h, nn, n (minutes), ss, s,
// and literals in double or single quotes. Other characters stand for themselves.
std::string FormatDateTime(std::string_view pattern, const DateTime& moment);
inline std::string FormatDate(std::string_view pattern, Date date) {
    return FormatDateTime(pattern, DateTime{date, 0});
}

}  // namespace velmora
