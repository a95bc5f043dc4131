// The 42-panel month calendar: panel days, colours, week numbers and month steps.
#include <gtest/gtest.h>

#include "core/calendar/calendar.h"
#include "core/calendar/holidays.h"

namespace velmora::testing {
namespace {

std::vector<int> ShownDays(const CalendarLayout& layout) {
    std::vector<int> days;
    for (const auto& p : layout.panels) days.push_back(p.shownDay);
    return days;
}

std::vector<int> DayNumbers(const CalendarLayout& layout) {
    std::vector<int> days;
    for (const auto& p : layout.panels) days.push_back(p.dayNumber);
    return days;
}

TEST(Calendar, WeekNumbersCountTheSundaysBeforeTheMonth) {
    EXPECT_EQ(FirstWeekNumber(Date::FromYmd(2024, 1, 20)), 1);  // 1 January a Monday
    EXPECT_EQ(FirstWeekNumber(Date::FromYmd(2023, 1, 5)), 2);   // 1 January a Sunday
    EXPECT_EQ(FirstWeekNumber(Date::FromYmd(2023, 2, 1)), 6);
    EXPECT_EQ(FirstWeekNumber(Date::FromYmd(2024, 2, 29)), 5);
    EXPECT_EQ(FirstWeekNumber(Date::FromYmd(2024, 12, 1)), 48);
    CalendarLayout june = LayOutMonth(Date::FromYmd(2024, 6, 1), HolidayList(), false);
    EXPECT_EQ(june.weekNumbers, (std::array<int, 6>{22, 23, 24, 25, 26, 27}));
}

TEST(Calendar, MonthStartingOnSundayOrSaturday) {
    // September 2024 begins on a Sunday: no day of August on the first row.
    CalendarLayout sep = LayOutMonth(Date::FromYmd(2024, 9, 1), HolidayList(), false);
    std::vector<int> days = ShownDays(sep);
    EXPECT_EQ(days[0], 1);
    EXPECT_EQ(days[29], 30);
    EXPECT_EQ(std::vector<int>(days.begin() + 30, days.end()),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(sep.panels[0].text, kSelectedText);
    EXPECT_EQ(sep.panels[0].background, kSelectedBackground);
    EXPECT_EQ(sep.panels[7].text, kSundayText);
    EXPECT_EQ(sep.panels[6].text, kSaturdayText);
    EXPECT_EQ(sep.panels[3].text, kWeekdayText);
    EXPECT_EQ(sep.panels[30].text, kOtherMonthText);
    EXPECT_EQ(sep.panels[30].dayNumber, 0);
    EXPECT_EQ(sep.panels[30].background, kPanelBackground);

    // June 2024 begins on a Saturday: six days of May first.
    CalendarLayout june = LayOutMonth(Date::FromYmd(2024, 6, 15), HolidayList(), false);
    days = ShownDays(june);
    EXPECT_EQ(std::vector<int>(days.begin(), days.begin() + 7),
              (std::vector<int>{26, 27, 28, 29, 30, 31, 1}));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(june.panels[static_cast<std::size_t>(i)].text, kOtherMonthText);
        EXPECT_EQ(june.panels[static_cast<std::size_t>(i)].dayNumber, 0);
    }
    EXPECT_EQ(june.panels[6].text, kSaturdayText);
    EXPECT_EQ(june.panels[20].shownDay, 15);
    EXPECT_EQ(june.panels[20].text, kSelectedText);
    EXPECT_EQ(june.panels[20].background, (Rgb{86, 86, 171}));
    EXPECT_EQ(june.monthLabel, "2024年06月15日");
}

TEST(Calendar, February2024AndHolidays) {
    HolidayList holidays({"02,11,", "2,23,x,y", "02,30,", "05,03,"});
    CalendarLayout feb = LayOutMonth(Date::FromYmd(2024, 2, 11), holidays, false);
    std::vector<int> expected{28, 29, 30, 31};
    for (int d = 1; d <= 29; ++d) expected.push_back(d);
    for (int d = 1; d <= 9; ++d) expected.push_back(d);
    EXPECT_EQ(ShownDays(feb), expected);
    std::vector<int> numbers(4, 0);
    for (int d = 1; d <= 29; ++d) numbers.push_back(d);
    numbers.resize(42, 0);
    EXPECT_EQ(DayNumbers(feb), numbers);
    // The selected holiday: red text on the selection's blue.
    EXPECT_EQ(feb.panels[14].text, (Rgb{255, 0, 0}));
    EXPECT_EQ(feb.panels[14].background, kSelectedBackground);
    EXPECT_EQ(feb.panels[26].text, kHolidayText);     // 23rd, a Friday
    EXPECT_EQ(feb.panels[33].text, kOtherMonthText);  // "02,30," marks no panel of March
    EXPECT_EQ(feb.panels[32].text, kWeekdayText);     // 29th, a Thursday
    EXPECT_EQ(feb.panels[4].text, kWeekdayText);

    // May 3 is red in every year.
    for (int year : {2014, 2024, 2031}) {
        CalendarLayout may = LayOutMonth(Date::FromYmd(year, 5, 20), holidays, false);
        int lead = Date::FromYmd(year, 5, 1).DayOfWeek() - 1;
        EXPECT_EQ(may.panels[static_cast<std::size_t>(lead + 2)].text, kHolidayText) << year;
        EXPECT_EQ(may.panels[static_cast<std::size_t>(lead + 2)].shownDay, 3);
    }
}

TEST(Calendar, NationalHolidaysRedWithTheirNamesBesideTheUsersMarks) {
    // May 2024 begins on a Wednesday: the 3rd is panel 5.
    const HolidayList marks({"05,01,", "05,03,"});
    const CalendarLayout may = LayOutMonth(Date::FromYmd(2024, 5, 4), marks, true);
    EXPECT_EQ(may.panels[3].text, kHolidayText);  // the user's 1st, no name
    EXPECT_EQ(may.panels[3].holidayName, "");
    EXPECT_EQ(may.panels[5].holidayName, "憲法記念日");  // marked by both
    EXPECT_EQ(may.panels[5].text, kHolidayText);
    EXPECT_EQ(may.panels[6].holidayName, "みどりの日");  // selected: red on blue
    EXPECT_EQ(may.panels[6].text, kHolidayText);
    EXPECT_EQ(may.panels[6].background, kSelectedBackground);
    EXPECT_EQ(may.panels[7].holidayName, "こどもの日");
    EXPECT_EQ(may.panels[8].holidayName, "振替休日");
    EXPECT_EQ(may.panels[8].text, kHolidayText);
    EXPECT_EQ(may.panels[9].text, kWeekdayText);
    // Days of other months carry no name: 29 April, 昭和の日, is grey in May.
    EXPECT_EQ(may.panels[1].holidayName, "");
    EXPECT_EQ(may.panels[1].text, kOtherMonthText);

    // With the setting off only the user's marks are red.
    const CalendarLayout off = LayOutMonth(Date::FromYmd(2024, 5, 4), marks, false);
    EXPECT_EQ(off.panels[5].text, kHolidayText);
    EXPECT_EQ(off.panels[7].text, kSundayText);
    EXPECT_EQ(off.panels[8].text, kWeekdayText);
    EXPECT_EQ(off.panels[8].holidayName, "");
}

TEST(Calendar, MonthStepsStopAt1900And2100OnTheMainWindow) {
    CalendarState c;
    c.Show(Date::FromYmd(2014, 1, 31));
    EXPECT_EQ(SteppedMonth(c, -1, true), Date::FromYmd(2013, 12, 1));
    EXPECT_EQ(SteppedMonth(c, 1, true), Date::FromYmd(2014, 2, 1));
    c.Show(Date::FromYmd(1900, 1, 10));
    EXPECT_EQ(SteppedMonth(c, -1, true), std::nullopt);
    EXPECT_EQ(SteppedMonth(c, 1, true), Date::FromYmd(1900, 2, 1));
    EXPECT_EQ(SteppedMonth(c, -1, false), Date::FromYmd(1899, 12, 1));
    c.Show(Date::FromYmd(1900, 6, 10));
    EXPECT_EQ(SteppedMonth(c, -1, true), std::nullopt);
    c.Show(Date::FromYmd(2100, 3, 10));
    EXPECT_EQ(SteppedMonth(c, 1, true), std::nullopt);
    EXPECT_EQ(SteppedMonth(c, -1, true), Date::FromYmd(2100, 2, 1));
    EXPECT_EQ(SteppedMonth(c, 1, false), Date::FromYmd(2100, 4, 1));
}

}  // namespace
}  // namespace velmora::testing
