// Choosing the month of the ledger view: tabs, the "ALL" refusal, the calendar move and
// the status panels.
#include <gtest/gtest.h>

#include "core/ledgerview/month_selection.h"
#include "core/ledgerview/month_tabs.h"
#include "view_fixture.h"

namespace velmora::testing {
namespace {

TEST(MonthTabs, CaptionsAndMonthsInFiscalOrder) {
    EXPECT_EQ(MonthTabCaptions(4),
              (std::vector<std::string>{"ALL", "4月", "5月", "6月", "7月", "8月", "9月", "10月",
                                        "11月", "12月", "1月", "2月", "3月"}));
    EXPECT_EQ(MonthTabCaptions(1)[12], "12月");
    EXPECT_EQ(MonthOfTab(4, 0), 13);
    EXPECT_EQ(MonthOfTab(4, 1), 4);
    EXPECT_EQ(MonthOfTab(4, 10), 1);
    EXPECT_EQ(MonthOfTab(4, 12), 3);
    EXPECT_EQ(TabOfMonth(4, 13), 0);
    EXPECT_EQ(TabOfMonth(4, 3), 12);
    EXPECT_EQ(TabOfMonth(10, 10), 1);
    for (int t = 1; t <= 12; ++t) EXPECT_EQ(TabOfMonth(7, MonthOfTab(7, t)), t);
}

TEST(SelectMonth, AllMonthsOnlyUnderAnAccountSearch) {
    ViewFixture f;
    ASSERT_TRUE(SelectMonth(f.session, f.view, 5));
    f.dialogs.Clear();
    f.redraws.views = 0;
    EXPECT_FALSE(SelectMonth(f.session, f.view, 13));
    EXPECT_EQ(f.dialogs.Infos(),
              (std::vector<std::string>{"確認|全月表示は科目検索時のみ使用できます。"}));
    EXPECT_EQ(f.session.currentMonth, 5);
    EXPECT_EQ(f.redraws.views, 1);
    EXPECT_EQ(f.Show().ledgerTab, 2);

    f.session.monthPanel = "";
    EXPECT_FALSE(SelectMonth(f.session, f.view, 0));
    EXPECT_EQ(f.session.currentMonth, 1);
    f.session.monthPanel = "13";
    EXPECT_FALSE(SelectMonth(f.session, f.view, 13));
    EXPECT_EQ(f.session.currentMonth, 1);

    f.dialogs.Clear();
    f.session.accountFilter = "交通費";
    f.view.calendar.Show(Date::FromYmd(2014, 6, 9));
    EXPECT_TRUE(SelectMonth(f.session, f.view, 0));
    EXPECT_TRUE(f.dialogs.events.empty());
    EXPECT_EQ(f.session.currentMonth, 13);
    EXPECT_EQ(f.session.monthPanel, "13");
    EXPECT_EQ(f.view.yearPanel, "2014");
    EXPECT_EQ(f.view.monthPanel, "13");
    EXPECT_EQ(f.view.calendar.selected, Date::FromYmd(2014, 6, 9));  // not moved for "ALL"
    EXPECT_FALSE(SelectMonth(f.session, f.view, 14));
}

TEST(SelectMonth, MovesTheCalendarAndSetsThePanels) {
    ViewFixture f;
    EXPECT_TRUE(SelectMonth(f.session, f.view, 2));
    EXPECT_EQ(f.session.currentMonth, 2);
    EXPECT_EQ(f.view.calendar.selected, Date::FromYmd(2015, 2, 1));
    EXPECT_EQ(f.view.calendar.drawn, Date::FromYmd(2015, 2, 1));
    EXPECT_EQ(f.session.monthPanel, "2");
    EXPECT_EQ(f.view.yearPanel, "2015");
    EXPECT_EQ(f.view.monthPanel, "2");
    EXPECT_EQ(f.Show().ledgerTab, 11);
    EXPECT_EQ(f.view.lastMonthShown, 2);

    // With the date filter on the calendar keeps its day.
    f.view.dateFilter = true;
    f.view.calendar.Show(Date::FromYmd(2014, 4, 5));
    EXPECT_TRUE(SelectMonth(f.session, f.view, 4));
    EXPECT_EQ(f.view.calendar.selected, Date::FromYmd(2014, 4, 5));
    EXPECT_EQ(f.view.yearPanel, "2014");
}

TEST(SelectMonth, TabsMoveTheCalendarToThePeriodStart) {
    ViewFixture f;
    // Closing on the 20th: period 5 runs from 21 April to 20 May.
    f.session.ledger.periods = FiscalPeriods(2014, 4, 20);
    f.view.dateFilter = true;
    EXPECT_TRUE(ChooseMonthTab(f.session, f.view, 2));
    EXPECT_EQ(f.session.currentMonth, 5);
    EXPECT_EQ(f.view.calendar.selected, Date::FromYmd(2014, 4, 21));
    EXPECT_EQ(f.Show().searchRange, "2014年04月21日(月)");

    // Without the date filter the calendar goes on to the 1st of the calendar month.
    f.view.dateFilter = false;
    EXPECT_TRUE(ChooseMonthTab(f.session, f.view, 2));
    EXPECT_EQ(f.view.calendar.selected, Date::FromYmd(2014, 4, 1));
    LedgerViewResult r = f.Show();
    EXPECT_EQ(r.ledgerTab, 2);
    EXPECT_EQ(r.searchRange, "2014年04月21日～2014年05月20日");

    EXPECT_FALSE(ChooseMonthTab(f.session, f.view, 0));
    EXPECT_EQ(f.session.currentMonth, 5);
}

}  // namespace
}  // namespace velmora::testing
