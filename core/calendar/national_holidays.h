#pragma once
// Japan's national holidays (国民の祝日) as the law has named and moved them since 1955:
// the days of the law itself (fixed dates, the Monday holidays, the equinox days, the
// days of a single year), then the substitute holidays (振替休日) after a holiday on a
// Sunday and the citizens' holidays (国民の休日) between two holidays. Worked out by
// rule for any year; nothing is looked up in a list of years.
#include <optional>
#include <string_view>
#include <vector>

#include "core/util/date.h"

namespace velmora {

// The first year the rules give holidays for.
inline constexpr int kFirstNationalHolidayYear = 1955;

inline constexpr std::string_view kSubstituteHolidayName = "振替休日";
inline constexpr std::string_view kCitizensHolidayName = "国民の休日";

struct NationalHoliday {
    Date date;
    std::string_view name;
    bool operator==(const NationalHoliday&) const = default;
};

// The holidays of year, sorted by date; none before kFirstNationalHolidayYear.
std::vector<NationalHoliday> NationalHolidaysOf(int year);

// The holidays of one month of year, sorted by date.
std::vector<NationalHoliday> NationalHolidaysOf(int year, int month);

// The name of the holiday on day; nullopt on any other day.
std::optional<std::string_view> NationalHolidayName(Date day);

// The day of March and of September on which the equinox falls in Japan's time zone, by
// the approximation the almanacs use (the tropical year's length from a base in 1980,
// leap years taken out), good from 1900 to 2150.
int VernalEquinoxDay(int year);
int AutumnalEquinoxDay(int year);

}  // namespace velmora
