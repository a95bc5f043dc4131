#include "core/util/date.h"

#include <gtest/gtest.h>

#include <ostream>

#include "core/platform/clock.h"
#include "core/util/errors.h"

namespace velmora {

// Dates in failure messages as "yyyy/MM/dd" rather than raw bytes.
void PrintTo(const Date& date, std::ostream* out);
void PrintTo(const Date& date, std::ostream* out) {
    *out << date.ShortText();
}

namespace {

Date Ymd(int y, int m, int d) {
    return Date::FromYmd(y, m, d);
}

TEST(DateParse, ReadsShortDatesWithOrWithoutLeadingZeros) {
    const Date april1 = Date::Parse("2014/04/01");
    EXPECT_EQ(april1.Year(), 2014);
    EXPECT_EQ(april1.Month(), 4);
    EXPECT_EQ(april1.Day(), 1);
    EXPECT_EQ(Date::Parse("2014/4/1"), april1);
    EXPECT_EQ(Date::Parse(" 2014/4/1 "), april1);
    EXPECT_EQ(Date::Parse("14/4/1"), april1);
    EXPECT_EQ(Date::Parse("99/12/31"), Ymd(1999, 12, 31));
    EXPECT_EQ(Date::Parse("2016/02/29"), Ymd(2016, 2, 29));
}

TEST(DateParse, RefusesInvalidDates) {
    for (const char* bad : {"2014/02/29", "1900/02/29", "2014/13/01", "2014/00/10", "2014/4/31",
                            "2014/04/00", "2014-04-01", "2014/04", "", "abc", "2014/04/01x",
                            "2014/004/01", "2014/04/1 2", "20140401"}) {
        EXPECT_FALSE(Date::TryParse(bad).has_value()) << bad;
        EXPECT_THROW(Date::Parse(bad), ConversionError) << bad;
    }
}

TEST(DateText, ShortTextAndDayArithmetic) {
    EXPECT_EQ(Ymd(2014, 4, 1).ShortText(), "2014/04/01");
    EXPECT_EQ(Ymd(1970, 1, 1).Serial(), 0);
    EXPECT_EQ(Ymd(2015, 3, 1) - Ymd(2015, 2, 28), 1);
    EXPECT_EQ(Ymd(2016, 3, 1) - Ymd(2016, 2, 28), 2);
    EXPECT_EQ(Ymd(2014, 12, 31).AddDays(1), Ymd(2015, 1, 1));
    EXPECT_EQ(Ymd(1969, 12, 31).ShortText(), "1969/12/31");
}

TEST(DateArithmetic, AddMonthsClampsToTheMonthEnd) {
    EXPECT_EQ(Ymd(2015, 1, 31).AddMonths(1), Ymd(2015, 2, 28));
    EXPECT_EQ(Ymd(2015, 2, 28).AddMonths(12), Ymd(2016, 2, 28));
    EXPECT_EQ(Ymd(2016, 2, 29).AddMonths(12), Ymd(2017, 2, 28));
    EXPECT_EQ(Ymd(2016, 1, 31).AddMonths(1), Ymd(2016, 2, 29));
    EXPECT_EQ(Ymd(2014, 12, 15).AddMonths(1), Ymd(2015, 1, 15));
    EXPECT_EQ(Ymd(2015, 3, 31).AddMonths(-1), Ymd(2015, 2, 28));
    EXPECT_EQ(Ymd(2015, 1, 15).AddMonths(-1), Ymd(2014, 12, 15));
    EXPECT_EQ(Ymd(2014, 5, 31).AddMonths(-13), Ymd(2013, 4, 30));
}

TEST(DateArithmetic, DayOfWeekFromSundayOne) {
    EXPECT_EQ(Ymd(2014, 4, 1).DayOfWeek(), 3);
    EXPECT_EQ(Ymd(1970, 1, 1).DayOfWeek(), 5);
    EXPECT_EQ(Ymd(1969, 12, 28).DayOfWeek(), 1);
    EXPECT_EQ(Ymd(2000, 1, 1).DayOfWeek(), 7);
    EXPECT_EQ(WeekdayName(1), "日");
    EXPECT_EQ(WeekdayName(3), "火");
    EXPECT_EQ(WeekdayName(7), "土");
}

TEST(DateFormat, FormatsTheProgramsPatterns) {
    const DateTime moment{Ymd(2014, 4, 1), 9 * 3600 + 5 * 60 + 7};
    EXPECT_EQ(FormatDateTime("mm\"月\"dd\"日\"", moment), "04月01日");
    EXPECT_EQ(FormatDateTime("yyyy\"年\"mm\"月\"dd\"日\"", moment), "2014年04月01日");
    EXPECT_EQ(FormatDateTime("yyyy年mm月dd日", moment), "2014年04月01日");
    EXPECT_EQ(FormatDateTime("yyyymmddhhnnss", moment), "20140401090507");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss", moment), "2014/04/01 09:05:07");
    EXPECT_EQ(FormatDateTime("ddd", moment), "火");
    EXPECT_EQ(FormatDateTime("yy/m/d h:n:s", moment), "14/4/1 9:5:7");
    EXPECT_EQ(FormatDateTime("yyyy'年'M'月'd'日'", moment), "2014年4月1日");
    EXPECT_EQ(FormatDateTime("YYYY/MM/DD", moment), "2014/04/01");
    EXPECT_EQ(FormatDate("yyyy/mm/dd hh:nn:ss", Ymd(2015, 12, 31)), "2015/12/31 00:00:00");
    EXPECT_EQ(FormatDateTime("hhnnss", DateTime{Ymd(2015, 12, 31), 86399}), "235959");
}

TEST(FixedClockTest, AdvancesAcrossMidnightBothWays) {
    FixedClock clock(DateTime{Ymd(2014, 3, 31), 86400 - 5});
    clock.Advance(10);
    EXPECT_EQ(clock.Today(), Ymd(2014, 4, 1));
    EXPECT_EQ(clock.Now().secondsOfDay, 5);
    clock.Advance(-10);
    EXPECT_EQ(clock.Today(), Ymd(2014, 3, 31));
    EXPECT_EQ(clock.Now().secondsOfDay, 86395);
    clock.Advance(-2 * 86400);
    EXPECT_EQ(clock.Today(), Ymd(2014, 3, 29));
    EXPECT_EQ(FixedClock(Ymd(2014, 4, 1)).Now().Hour(), 12);
}

}  // namespace
}  // namespace velmora
