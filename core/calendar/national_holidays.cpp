#include "core/calendar/national_holidays.h"

#include <algorithm>
#include <array>

namespace velmora {
namespace {

constexpr int kSunday = 1;
constexpr int kMonday = 2;
constexpr int kNoEnd = 9999;

enum class DayRule { Fixed, NthMonday, VernalEquinox, AutumnalEquinox };

// One holiday of the law for the years it stood in this form. `day` is the day of the
// month for a fixed date and the week for a Monday holiday (2: the second Monday).
struct LawHoliday {
    std::string_view name;
    int month;
    DayRule rule;
    int day;
    int firstYear;
    int lastYear;
};

// The law's holidays, each change of a date or a name starting a row of its own. The
// Olympic years 2020 and 2021 moved three holidays to single days (below).
constexpr std::array<LawHoliday, 26> kLawHolidays = {{
    {"元日", 1, DayRule::Fixed, 1, 1949, kNoEnd},
    {"成人の日", 1, DayRule::Fixed, 15, 1949, 1999},
    {"成人の日", 1, DayRule::NthMonday, 2, 2000, kNoEnd},
    {"建国記念の日", 2, DayRule::Fixed, 11, 1967, kNoEnd},
    {"天皇誕生日", 2, DayRule::Fixed, 23, 2020, kNoEnd},
    {"春分の日", 3, DayRule::VernalEquinox, 0, 1949, kNoEnd},
    {"天皇誕生日", 4, DayRule::Fixed, 29, 1949, 1988},
    {"みどりの日", 4, DayRule::Fixed, 29, 1989, 2006},
    {"昭和の日", 4, DayRule::Fixed, 29, 2007, kNoEnd},
    {"憲法記念日", 5, DayRule::Fixed, 3, 1949, kNoEnd},
    {"みどりの日", 5, DayRule::Fixed, 4, 2007, kNoEnd},
    {"こどもの日", 5, DayRule::Fixed, 5, 1949, kNoEnd},
    {"海の日", 7, DayRule::Fixed, 20, 1996, 2002},
    {"海の日", 7, DayRule::NthMonday, 3, 2003, 2019},
    {"海の日", 7, DayRule::NthMonday, 3, 2022, kNoEnd},
    {"山の日", 8, DayRule::Fixed, 11, 2016, 2019},
    {"山の日", 8, DayRule::Fixed, 11, 2022, kNoEnd},
    {"敬老の日", 9, DayRule::Fixed, 15, 1966, 2002},
    {"敬老の日", 9, DayRule::NthMonday, 3, 2003, kNoEnd},
    {"秋分の日", 9, DayRule::AutumnalEquinox, 0, 1948, kNoEnd},
    {"体育の日", 10, DayRule::Fixed, 10, 1966, 1999},
    {"体育の日", 10, DayRule::NthMonday, 2, 2000, 2019},
    {"スポーツの日", 10, DayRule::NthMonday, 2, 2022, kNoEnd},
    {"文化の日", 11, DayRule::Fixed, 3, 1948, kNoEnd},
    {"勤労感謝の日", 11, DayRule::Fixed, 23, 1948, kNoEnd},
    {"天皇誕生日", 12, DayRule::Fixed, 23, 1989, 2018},
}};

// Holidays of one year only: the days of the imperial ceremonies that laws of their own
// made holidays, and the days the Olympic Games of Tokyo moved three holidays to. The
// laws of 2019 count their days as national holidays, which makes 30 April and 2 May
// citizens' holidays.
struct SingleDay {
    int year, month, day;
    std::string_view name;
};

constexpr std::array<SingleDay, 12> kSingleDays = {{
    {1959, 4, 10, "皇太子明仁親王の結婚の儀"},
    {1989, 2, 24, "昭和天皇の大喪の礼"},
    {1990, 11, 12, "即位礼正殿の儀"},
    {1993, 6, 9, "皇太子徳仁親王の結婚の儀"},
    {2019, 5, 1, "天皇の即位の日"},
    {2019, 10, 22, "即位礼正殿の儀"},
    {2020, 7, 23, "海の日"},
    {2020, 7, 24, "スポーツの日"},
    {2020, 8, 10, "山の日"},
    {2021, 7, 22, "海の日"},
    {2021, 7, 23, "スポーツの日"},
    {2021, 8, 8, "山の日"},
}};

// A holiday on a Sunday gives a substitute holiday from 12 April 1973; before 2007 it is
// the Monday after (unless that is a holiday itself), from 2007 the first day after it
// that is no holiday of the law.
const Date kSubstitutesFrom = Date::FromYmd(1973, 4, 12);
// A day between two holidays of the law is a holiday from 27 December 1985; before 2007
// only when it is no Sunday and no substitute holiday.
const Date kCitizensHolidaysFrom = Date::FromYmd(1985, 12, 27);
const Date kRulesOf2007 = Date::FromYmd(2007, 1, 1);

int NthMonday(int year, int month, int n) {
    const int firstDay = Date::FromYmd(year, month, 1).DayOfWeek();
    return 1 + (kMonday - firstDay + 7) % 7 + 7 * (n - 1);
}

int DayOf(const LawHoliday& h, int year) {
    switch (h.rule) {
        case DayRule::Fixed:
            return h.day;
        case DayRule::NthMonday:
            return NthMonday(year, h.month, h.day);
        case DayRule::VernalEquinox:
            return VernalEquinoxDay(year);
        case DayRule::AutumnalEquinox:
            return AutumnalEquinoxDay(year);
    }
    return h.day;
}

// The day on which an equinox falls: bases for the years up to 1979, up to 2099 and
// after. Before 1980 the leap years are counted from 1983, with the division cut
// toward zero, as the almanacs' formula has it.
int EquinoxDay(int year, double before1980, double until2099, double after2099) {
    const double drift = 0.242194 * (year - 1980);
    if (year < 1980) return static_cast<int>(before1980 + drift - (year - 1983) / 4);
    const double base = year <= 2099 ? until2099 : after2099;
    return static_cast<int>(base + drift - (year - 1980) / 4);
}

bool Contains(const std::vector<NationalHoliday>& days, Date d) {
    return std::binary_search(
        days.begin(), days.end(), NationalHoliday{d, {}},
        [](const NationalHoliday& a, const NationalHoliday& b) { return a.date < b.date; });
}

void SortByDate(std::vector<NationalHoliday>& days) {
    std::sort(days.begin(), days.end(),
              [](const NationalHoliday& a, const NationalHoliday& b) { return a.date < b.date; });
}

std::vector<NationalHoliday> LawHolidaysOf(int year) {
    std::vector<NationalHoliday> days;
    for (const LawHoliday& h : kLawHolidays)
        if (year >= h.firstYear && year <= h.lastYear)
            days.push_back({Date::FromYmd(year, h.month, DayOf(h, year)), h.name});
    for (const SingleDay& d : kSingleDays)
        if (d.year == year) days.push_back({Date::FromYmd(year, d.month, d.day), d.name});
    SortByDate(days);
    return days;
}

std::vector<NationalHoliday> SubstitutesOf(const std::vector<NationalHoliday>& law) {
    std::vector<NationalHoliday> substitutes;
    for (const NationalHoliday& h : law) {
        if (h.date.DayOfWeek() != kSunday || h.date < kSubstitutesFrom) continue;
        Date day = h.date.AddDays(1);
        if (day < kRulesOf2007) {
            if (!Contains(law, day)) substitutes.push_back({day, kSubstituteHolidayName});
            continue;
        }
        while (Contains(law, day)) day = day.AddDays(1);
        substitutes.push_back({day, kSubstituteHolidayName});
    }
    return substitutes;
}

std::vector<NationalHoliday> CitizensHolidaysOf(const std::vector<NationalHoliday>& law,
                                                const std::vector<NationalHoliday>& substitutes) {
    std::vector<NationalHoliday> citizens;
    for (std::size_t i = 0; i + 1 < law.size(); ++i) {
        if (law[i + 1].date - law[i].date != 2) continue;
        const Date day = law[i].date.AddDays(1);
        if (day < kCitizensHolidaysFrom) continue;
        const bool substitute =
            std::any_of(substitutes.begin(), substitutes.end(),
                        [day](const NationalHoliday& s) { return s.date == day; });
        if (substitute) continue;
        if (day < kRulesOf2007 && day.DayOfWeek() == kSunday) continue;
        citizens.push_back({day, kCitizensHolidayName});
    }
    return citizens;
}

}  // namespace

int VernalEquinoxDay(int year) {
    return EquinoxDay(year, 20.8357, 20.8431, 21.8510);
}

int AutumnalEquinoxDay(int year) {
    return EquinoxDay(year, 23.2588, 23.2488, 24.2488);
}

std::vector<NationalHoliday> NationalHolidaysOf(int year) {
    if (year < kFirstNationalHolidayYear) return {};
    std::vector<NationalHoliday> days = LawHolidaysOf(year);
    const std::vector<NationalHoliday> substitutes = SubstitutesOf(days);
    const std::vector<NationalHoliday> citizens = CitizensHolidaysOf(days, substitutes);
    days.insert(days.end(), substitutes.begin(), substitutes.end());
    days.insert(days.end(), citizens.begin(), citizens.end());
    SortByDate(days);
    return days;
}

std::vector<NationalHoliday> NationalHolidaysOf(int year, int month) {
    std::vector<NationalHoliday> days = NationalHolidaysOf(year);
    std::erase_if(days, [month](const NationalHoliday& h) { return h.date.Month() != month; });
    return days;
}

std::optional<std::string_view> NationalHolidayName(Date day) {
    for (const NationalHoliday& h : NationalHolidaysOf(day.Year()))
        if (h.date == day) return h.name;
    return std::nullopt;
}

}  // namespace velmora
