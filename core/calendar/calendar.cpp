#include "core/calendar/calendar.h"

#include "core/calendar/holidays.h"
#include "core/calendar/national_holidays.h"

namespace velmora {
namespace {

constexpr int kSunday = 1;

// Sundays in the days [from, from + count).
int SundaysIn(Date from, int count) {
    const int firstSunday = (7 - (from.DayOfWeek() - kSunday)) % 7;
    return count > firstSunday ? (count - 1 - firstSunday) / 7 + 1 : 0;
}

Rgb WeekdayColour(int panel) {
    switch (panel % 7) {
        case 0:
            return kSundayText;
        case 6:
            return kSaturdayText;
        default:
            return kWeekdayText;
    }
}

}  // namespace

int FirstWeekNumber(Date date) {
    const Date newYear = Date::FromYmd(date.Year(), 1, 1);
    if (date.Month() == 1) return newYear.DayOfWeek() == kSunday ? 2 : 1;
    const Date first = Date::FromYmd(date.Year(), date.Month(), 1);
    return 1 + SundaysIn(newYear, first - newYear);
}

CalendarLayout LayOutMonth(Date date, const HolidayList& holidays, bool nationalHolidays) {
    CalendarLayout layout;
    layout.monthLabel = FormatDate("yyyy\"年\"mm\"月\"dd\"日\"", date);
    const int week = FirstWeekNumber(date);
    for (int i = 0; i < kWeekRows; ++i) layout.weekNumbers[static_cast<std::size_t>(i)] = week + i;

    const int year = date.Year();
    const int month = date.Month();
    const Date first = Date::FromYmd(year, month, 1);
    const int lead = first.DayOfWeek() - 1;  // panels before the 1st
    const int days = DaysInMonth(year, month);
    const int previousDays = DaysInMonth(first.AddDays(-1).Year(), first.AddDays(-1).Month());

    auto panel = [&layout](int i) -> DayPanel& {
        return layout.panels[static_cast<std::size_t>(i)];
    };
    for (int i = 0; i < lead; ++i) {
        panel(i).shownDay = previousDays - lead + 1 + i;
        panel(i).text = kOtherMonthText;
    }
    for (int day = 1; day <= days; ++day) {
        DayPanel& p = panel(lead + day - 1);
        p.shownDay = day;
        p.dayNumber = day;
        p.text = WeekdayColour(lead + day - 1);
        if (day == date.Day()) {
            p.text = kSelectedText;
            p.background = kSelectedBackground;
        }
    }
    for (int i = lead + days, next = 1; i < kDayPanels; ++i, ++next) {
        panel(i).shownDay = next;
        panel(i).text = kOtherMonthText;
    }
    // A listed day the month lacks (30 February) marks nothing, not a panel of the next
    // month.
    for (int day : holidays.DaysOf(month))
        if (day >= 1 && day <= days) panel(lead + day - 1).text = kHolidayText;
    if (nationalHolidays) {
        for (const NationalHoliday& h : NationalHolidaysOf(year, month)) {
            DayPanel& p = panel(lead + h.date.Day() - 1);
            p.holidayName = std::string(h.name);
            p.text = kHolidayText;
        }
    }
    return layout;
}

std::optional<Date> SteppedMonth(const CalendarState& calendar, int delta, bool yearLimits) {
    const int year = calendar.drawn.Year();
    if (yearLimits && ((delta < 0 && year == 1900) || (delta > 0 && year == 2100)))
        return std::nullopt;
    return Date::FromYmd(year, calendar.drawn.Month(), 1).AddMonths(delta);
}

}  // namespace velmora
