// The main window's calendar: day choice within the fiscal year, month steps, "今日:".
#include <gtest/gtest.h>

#include "core/ledgerview/main_calendar.h"
#include "view_fixture.h"

namespace velmora::testing {
namespace {

const std::string kRange = "2024/04/01～2025/03/31";

class MainCalendar : public ::testing::Test {
protected:
    MainCalendar() : f(kViewLedger, Date::FromYmd(2024, 6, 10)) {
        f.session.ledger.periods = FiscalPeriods(2024, 4);
        f.session.ledger.startYear = 2024;
        f.redraws.views = 0;
    }
    ViewFixture f;
};

TEST_F(MainCalendar, DayBeforeTheYearIsPulledToItsFirstDay) {
    ChooseDay(f.session, f.view, Date::FromYmd(2024, 3, 15));
    EXPECT_EQ(f.view.calendar.selected, Date::FromYmd(2024, 4, 1));
    EXPECT_EQ(f.view.calendar.drawn, Date::FromYmd(2024, 3, 15));
    EXPECT_EQ(f.dialogs.Log(),
              (std::vector<std::string>{
                  "beep:|",
                  "info:確認|年度の開始月より以前の日付は指定できません。\r\n1ファイルで1年分となり"
                  "ます。\r\n現在の設定値:" +
                      kRange}));
    EXPECT_EQ(f.session.currentMonth, 4);
    EXPECT_EQ(f.session.monthPanel, "4");
    EXPECT_EQ(f.redraws.views, 1);
}

TEST_F(MainCalendar, DayAfterTheYearIsPulledToItsLastDay) {
    ChooseDay(f.session, f.view, Date::FromYmd(2025, 4, 2));
    EXPECT_EQ(f.view.calendar.selected, Date::FromYmd(2025, 3, 31));
    EXPECT_EQ(f.dialogs.Log(),
              (std::vector<std::string>{
                  "beep:|",
                  "info:確認|年度の終了月以降の日付は指定できません。\r\n1ファイルで1年分となり"
                  "ます。\r\n現在の設定値:" +
                      kRange}));
    EXPECT_EQ(f.session.currentMonth, 3);
}

TEST_F(MainCalendar, DayWithinTheYearMovesTheView) {
    ChooseDay(f.session, f.view, Date::FromYmd(2025, 3, 31));
    ChooseDay(f.session, f.view, Date::FromYmd(2024, 4, 1));
    EXPECT_TRUE(f.dialogs.events.empty());
    EXPECT_EQ(f.session.currentMonth, 4);
    EXPECT_EQ(f.redraws.views, 2);

    // With closing days the view follows the period of the day, not its calendar month.
    f.session.ledger.periods = FiscalPeriods(2024, 4, 20);
    ChooseDay(f.session, f.view, Date::FromYmd(2024, 4, 25));
    EXPECT_EQ(f.session.currentMonth, 5);
    EXPECT_EQ(f.session.monthPanel, "5");
    EXPECT_TRUE(f.dialogs.events.empty());
    // 10 March lies in the calendar month where the year begins: allowed, last period.
    ChooseDay(f.session, f.view, Date::FromYmd(2024, 3, 10));
    EXPECT_TRUE(f.dialogs.events.empty());
    EXPECT_EQ(f.session.currentMonth, 3);
    EXPECT_EQ(FiscalYearRangeText(f.session.ledger), "2024/03/21～2025/03/20");
}

TEST_F(MainCalendar, MonthStepsAndToday) {
    f.view.calendar.Show(Date::FromYmd(2024, 1, 31));
    StepMainCalendar(f.session, f.view, -1);
    EXPECT_EQ(f.view.calendar.selected, Date::FromYmd(2023, 12, 1));
    EXPECT_EQ(f.session.monthPanel, "12");
    StepMainCalendar(f.session, f.view, 1);
    StepMainCalendar(f.session, f.view, 1);
    EXPECT_EQ(f.view.calendar.drawn, Date::FromYmd(2024, 2, 1));
    EXPECT_EQ(f.redraws.views, 0);
    EXPECT_TRUE(f.dialogs.events.empty());

    f.view.calendar.Show(Date::FromYmd(1900, 1, 1));
    StepMainCalendar(f.session, f.view, -1);
    f.view.calendar.Show(Date::FromYmd(2100, 7, 1));
    StepMainCalendar(f.session, f.view, 1);
    EXPECT_EQ(f.view.calendar.selected, Date::FromYmd(2100, 7, 1));
    EXPECT_EQ(f.dialogs.Log(), (std::vector<std::string>{"beep:|", "beep:|"}));

    ShowToday(f.session, f.view);
    EXPECT_EQ(f.view.calendar.selected, Date::FromYmd(2024, 6, 10));
    EXPECT_EQ(f.session.currentMonth, 6);
    EXPECT_EQ(f.redraws.views, 1);
}

}  // namespace
}  // namespace velmora::testing
