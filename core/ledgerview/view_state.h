#pragma once
// The state of the main window's ledger view beyond what the session holds (the account
// filter, the all-books flag, the current book and month live in Session).
#include <array>
#include <string>

#include "core/calendar/calendar.h"
#include "core/session/session.h"
#include "core/util/amount.h"

namespace velmora {

struct ViewState {
    ViewState() = default;
    explicit ViewState(Date calendarDate) { calendar.Show(calendarDate); }

    // The last current month other than 13 for which the view was built; the cancel
    // commands return to it.
    int lastMonthShown = 1;
    std::string descriptionFilter;  // contained in field 4 (case-sensitive)
    std::string incomeFilter;       // equal to field 5 as stored ("1500")
    std::string expenseFilter;      // equal to field 6 as stored
    bool dateFilter = false;        // "日付指定": only the calendar's selected day
    CalendarState calendar;         // the main window's calendar

    // The period totals of the view, by calendar month 1..12; slot 13 is the all-periods
    // view.
    std::array<Amount, 14> periodIncome{};
    std::array<Amount, 14> periodExpense{};

    std::string yearPanel;   // status panel 6: the calendar year of the month shown
    std::string monthPanel;  // status panel 7: the month shown
};

// True when the account, description, income or expense filter is set.
bool AnyFieldFilter(const Session& session, const ViewState& view);

}  // namespace velmora
