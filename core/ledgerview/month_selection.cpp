#include "core/ledgerview/month_selection.h"

#include "core/ledgerview/main_calendar.h"
#include "core/ledgerview/month_tabs.h"
#include "core/util/fields.h"

namespace velmora {

int CalendarYearOfMonth(const Ledger& ledger, int m) {
    return m < ledger.startMonth ? ledger.startYear + 1 : ledger.startYear;
}

bool SelectMonth(Session& session, ViewState& view, int m) {
    if (m == 0) m = 13;
    if (m < 1 || m > 13) return false;
    bool accepted = true;
    if (m == 13 && session.accountFilter.empty()) {
        session.dialogs().ShowInfo("確認", kAllMonthsRefusal);
        // Panel 2 may still say 13 from an earlier search; that would show "ALL" anyway.
        const long long shown = IntOr(session.monthPanel, 1);
        m = shown >= 1 && shown <= 12 ? static_cast<int>(shown) : 1;
        accepted = false;
    }
    session.currentMonth = m;
    if (m != 13 && !view.dateFilter) {
        const Date start = session.ledger.periods.start[static_cast<std::size_t>(m)];
        ShowMainCalendar(session, view, Date::FromYmd(start.Year(), start.Month(), 1));
    }
    // The calendar names its own month in panel 2; the month chosen is what it must say.
    session.monthPanel = std::to_string(m);
    view.yearPanel = std::to_string(CalendarYearOfMonth(session.ledger, m));
    view.monthPanel = std::to_string(m);
    session.NotifyViewChanged();
    return accepted;
}

void ShowCurrentMonth(Session& session, ViewState& view) {
    int m = session.currentMonth;
    if (m < 1 || m > 12) m = session.ledger.startMonth;
    const Date start = session.ledger.periods.start[static_cast<std::size_t>(m)];
    ShowMainCalendar(session, view, Date::FromYmd(start.Year(), start.Month(), 1));
    SelectMonth(session, view, m);
}

bool ChooseMonthTab(Session& session, ViewState& view, int tab) {
    const int m = MonthOfTab(session.ledger.startMonth, tab);
    if (m != 13)
        ShowMainCalendar(session, view, session.ledger.periods.start[static_cast<std::size_t>(m)]);
    return SelectMonth(session, view, m);
}

}  // namespace velmora
