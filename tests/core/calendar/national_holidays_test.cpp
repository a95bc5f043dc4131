#include "core/calendar/national_holidays.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

struct Example {
    const char* date;
    const char* name;  // empty: no holiday that day
};

std::string NameOn(const char* date) {
    const auto name = NationalHolidayName(Date::Parse(date));
    return name ? std::string(*name) : std::string();
}

// Each kind of holiday once, and each change of the law on both sides of it.
TEST(NationalHolidays, RulesAcrossTheChangesOfTheLaw) {
    const Example examples[] = {
        {"1955/01/01", "元日"},
        {"1954/05/03", ""},  // before the first year the rules cover
        {"1955/01/15", "成人の日"},
        {"1999/01/15", "成人の日"},
        {"2000/01/15", ""},
        {"2000/01/10", "成人の日"},  // the second Monday from 2000
        {"1966/02/11", ""},
        {"1967/02/11", "建国記念の日"},
        {"1960/03/20", "春分の日"},  // the equinox before 1980: leap years counted from 1983
        {"1956/03/21", "春分の日"},
        {"2024/03/20", "春分の日"},
        {"1955/09/24", "秋分の日"},
        {"2012/09/22", "秋分の日"},
        {"2025/09/23", "秋分の日"},
        {"1988/04/29", "天皇誕生日"},
        {"1989/04/29", "みどりの日"},
        {"2007/04/29", "昭和の日"},
        {"2007/05/04", "みどりの日"},
        {"1988/05/04", "国民の休日"},  // between 憲法記念日 and こどもの日 from 1986
        {"1985/05/04", ""},
        {"1986/05/04", ""},  // a Sunday: no citizens' holiday before 2007
        {"1989/12/23", "天皇誕生日"},
        {"2018/12/23", "天皇誕生日"},
        {"2019/12/23", ""},
        {"2019/02/23", ""},
        {"2020/02/23", "天皇誕生日"},
        {"1995/07/20", ""},
        {"1996/07/20", "海の日"},
        {"2003/07/21", "海の日"},  // the third Monday from 2003
        {"1965/09/15", ""},
        {"1966/09/15", "敬老の日"},
        {"2003/09/15", "敬老の日"},
        {"2004/09/20", "敬老の日"},
        {"1966/10/10", "体育の日"},
        {"2000/10/09", "体育の日"},
        {"2019/10/14", "体育の日"},
        {"2022/10/10", "スポーツの日"},  // renamed from 2020
        {"2015/08/11", ""},
        {"2016/08/11", "山の日"},
        // The Olympic years: three holidays on days of their own, none left in their place.
        {"2020/07/20", ""},
        {"2020/07/23", "海の日"},
        {"2020/07/24", "スポーツの日"},
        {"2020/08/10", "山の日"},
        {"2020/08/11", ""},
        {"2020/10/12", ""},
        {"2021/07/22", "海の日"},
        {"2021/07/23", "スポーツの日"},
        {"2021/08/08", "山の日"},
        {"2021/08/09", "振替休日"},
        // The enthronement of 2019 and the days between it and its neighbours.
        {"2019/04/30", "国民の休日"},
        {"2019/05/01", "天皇の即位の日"},
        {"2019/05/02", "国民の休日"},
        {"2019/10/22", "即位礼正殿の儀"},
        {"1959/04/10", "皇太子明仁親王の結婚の儀"},
        {"1989/02/24", "昭和天皇の大喪の礼"},
        {"1990/11/12", "即位礼正殿の儀"},
        {"1993/06/09", "皇太子徳仁親王の結婚の儀"},
        // Substitute holidays: from 12 April 1973 the Monday after; from 2007 the first
        // day after that is no holiday.
        {"1973/02/12", ""},
        {"1973/04/30", "振替休日"},
        {"1987/05/04", "振替休日"},  // 3 May on a Sunday: the Monday, not a citizens' day
        {"2008/05/06", "振替休日"},  // みどりの日 on a Sunday
        {"2024/05/06", "振替休日"},
        {"2024/09/23", "振替休日"},
        // Citizens' holidays in September, between 敬老の日 and the equinox.
        {"2009/09/22", "国民の休日"},
        {"2015/09/22", "国民の休日"},
        {"2026/09/22", "国民の休日"},
        {"2024/05/07", ""},
    };
    for (const Example& e : examples) EXPECT_EQ(NameOn(e.date), e.name) << e.date;
}

TEST(NationalHolidays, MonthsOfTheCalendarScreenshots) {
    auto listed = [](int year, int month) {
        std::string text;
        for (const NationalHoliday& h : NationalHolidaysOf(year, month))
            text += h.date.ShortText() + " " + std::string(h.name) + "\n";
        return text;
    };
    EXPECT_EQ(listed(2024, 5),
              "2024/05/03 憲法記念日\n2024/05/04 みどりの日\n2024/05/05 こどもの日\n"
              "2024/05/06 振替休日\n");
    EXPECT_EQ(listed(2024, 9), "2024/09/16 敬老の日\n2024/09/22 秋分の日\n2024/09/23 振替休日\n");
    EXPECT_EQ(NationalHolidaysOf(2024).size(), 21u);
}

bool IsLawHoliday(const std::vector<NationalHoliday>& days, Date d) {
    for (const NationalHoliday& h : days)
        if (h.date == d) return h.name != kSubstituteHolidayName && h.name != kCitizensHolidayName;
    return false;
}

bool IsHoliday(const std::vector<NationalHoliday>& days, Date d) {
    for (const NationalHoliday& h : days)
        if (h.date == d) return true;
    return false;
}

// The whole range: days sorted and single, every year with its New Year's Day, the
// equinoxes within their few days, Monday holidays on Mondays, every substitute day after
// a Sunday holiday (through holidays from 2007), every Sunday holiday since 1973 followed
// by its substitute day, citizens' holidays between two holidays of the law.
TEST(NationalHolidays, ConsistentFrom1955To2099) {
    const Date substitutesFrom = Date::FromYmd(1973, 4, 12);
    for (int year = kFirstNationalHolidayYear; year <= 2099; ++year) {
        SCOPED_TRACE(year);
        std::vector<NationalHoliday> days = NationalHolidaysOf(year);
        ASSERT_FALSE(days.empty());
        EXPECT_EQ(days.front().date, Date::FromYmd(year, 1, 1));
        EXPECT_GE(days.size(), 9u);
        EXPECT_LE(days.size(), 22u);
        for (std::size_t i = 1; i < days.size(); ++i) ASSERT_LT(days[i - 1].date, days[i].date);
        EXPECT_GE(VernalEquinoxDay(year), 19);
        EXPECT_LE(VernalEquinoxDay(year), 22);
        EXPECT_GE(AutumnalEquinoxDay(year), 21);
        EXPECT_LE(AutumnalEquinoxDay(year), 24);
        for (const NationalHoliday& h : days) {
            SCOPED_TRACE(h.date.ShortText());
            EXPECT_FALSE(h.name.empty());
            const bool mondayHoliday =
                (h.name == "成人の日" && year >= 2000) || (h.name == "敬老の日" && year >= 2003) ||
                (h.name == "海の日" && year >= 2003 && year != 2020 && year != 2021) ||
                (h.name == "スポーツの日" && year >= 2022);
            if (mondayHoliday) {
                EXPECT_EQ(h.date.DayOfWeek(), 2);
            }
            if (h.name == kSubstituteHolidayName) {
                Date before = h.date.AddDays(-1);
                if (h.date >= Date::FromYmd(2007, 1, 1))
                    while (before.DayOfWeek() != 1 && IsLawHoliday(days, before))
                        before = before.AddDays(-1);
                EXPECT_EQ(before.DayOfWeek(), 1);
                EXPECT_TRUE(IsLawHoliday(days, before));
            }
            if (h.name == kCitizensHolidayName) {
                EXPECT_TRUE(IsLawHoliday(days, h.date.AddDays(-1)));
                EXPECT_TRUE(IsLawHoliday(days, h.date.AddDays(1)));
            }
            if (IsLawHoliday(days, h.date) && h.date.DayOfWeek() == 1 &&
                h.date >= substitutesFrom) {
                // Some day of the following run of holidays is the substitute.
                Date after = h.date.AddDays(1);
                bool found = false;
                while (IsHoliday(days, after) && !found) {
                    for (const NationalHoliday& s : days)
                        found = found || (s.date == after && s.name == kSubstituteHolidayName);
                    after = after.AddDays(1);
                }
                // Before 2007 a Monday that is a holiday of its own takes no substitute.
                EXPECT_TRUE(found || (h.date < Date::FromYmd(2007, 1, 1) &&
                                      IsLawHoliday(days, h.date.AddDays(1))));
            }
        }
    }
}

}  // namespace
}  // namespace velmora
