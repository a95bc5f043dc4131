#pragma once
// Choosing the month of the ledger view: the month tabs, and "select month" as the tabs,
// the settings and the start-up run it.
#include "core/ledgerview/view_state.h"
#include "core/session/session.h"

namespace velmora {

inline constexpr const char* kAllMonthsRefusal = "全月表示は科目検索時のみ使用できます。";

// Select month m (0 counts as 13). "ALL" (13) without an account filter is refused with
// a message and the month of status panel 2 is selected again. Sets the current month,
// status panels 2, 6 and 7, moves the calendar to the month in which period m starts
// (unless the date filter is on) and asks for the view. False when refused.
bool SelectMonth(Session& session, ViewState& view, int m);

// After a ledger was opened or made, or the settings were applied: the session's current
// month is shown as its tab is selected, and the calendar moves to the first day of the
// calendar month in which that month's period begins, also with the date filter on, so
// that calendar, tabs and status panels name the same month of this ledger's year.
void ShowCurrentMonth(Session& session, ViewState& view);

// Tab t of the ledger tabs: 0 is "ALL"; for a month the calendar first moves to the start
// of its period. False when refused.
bool ChooseMonthTab(Session& session, ViewState& view, int tab);

// The calendar year of month m of the fiscal year: the start year, or the next one for a
// month before the start month.
int CalendarYearOfMonth(const Ledger& ledger, int m);

}  // namespace velmora
