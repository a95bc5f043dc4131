#pragma once
// The month calendar of the main window and of the entry form: 42 day panels (six weeks
// of seven days, Sunday first), week numbers and month steps.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/util/date.h"

namespace velmora {

class HolidayList;

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kOtherMonthText{192, 192, 192};
inline constexpr Rgb kSundayText{128, 0, 0};
inline constexpr Rgb kSaturdayText{0, 128, 128};
inline constexpr Rgb kWeekdayText{0, 0, 0};
inline constexpr Rgb kHolidayText{255, 0, 0};
inline constexpr Rgb kSelectedText{255, 255, 255};
inline constexpr Rgb kSelectedBackground{86, 86, 171};
inline constexpr Rgb kPanelBackground{255, 255, 255};

// What one calendar shows. The drawn date fixes the month on the panels and the panel
// painted as selected; the selected date is the one the ledger view and the entry form
// use. They differ only after the main calendar pulled a day back into the fiscal year:
// the calendar then keeps showing the month that was clicked.
struct CalendarState {
    Date drawn;
    Date selected;

    // Redraws the calendar for the month of d with d selected.
    void Show(Date d) {
        drawn = d;
        selected = d;
    }
};

struct DayPanel {
    int shownDay = 0;   // the number written on the panel
    int dayNumber = 0;  // the day of the drawn month; 0 on the panels of other months
    Rgb text = kWeekdayText;
    Rgb background = kPanelBackground;
    std::string holidayName;  // the national holiday on the day, for its tool tip
};

inline constexpr int kDayPanels = 42;
inline constexpr int kWeekRows = 6;

struct CalendarLayout {
    std::string monthLabel;  // `monthpl`: 'yyyy"年"mm"月"dd"日"'
    std::array<int, kWeekRows> weekNumbers{};
    std::array<DayPanel, kDayPanels> panels{};  // day1 .. day42
};

// The week number of the first row: 1 + the Sundays from 1 January up to the day before
// the 1st of the month; January looks at 1 January itself, so that a year beginning on
// a Sunday numbers its first row 2 like the months after it.
int FirstWeekNumber(Date date);

// The panels of the month of date with date selected, coloured by weekday and holidays:
// the user's marks and, with nationalHolidays, Japan's national holidays with their names.
CalendarLayout LayOutMonth(Date date, const HolidayList& holidays, bool nationalHolidays);

// The 1st of the month delta months after the drawn one ("<<" is -1, ">>" is +1). With
// yearLimits (the main window) "<<" goes nowhere while the drawn year is 1900 and ">>"
// nowhere while it is 2100: nullopt, and the caller beeps.
std::optional<Date> SteppedMonth(const CalendarState& calendar, int delta, bool yearLimits);

}  // namespace velmora
