#pragma once
// The calendar of the main window: showing a date, the month steps, "今日:" and the day
// choice that moves the ledger view, kept within the fiscal year.
#include <string>

#include "core/ledgerview/view_state.h"
#include "core/session/session.h"

namespace velmora {

// Redraws the main calendar for d; status panel 2 shows its month.
void ShowMainCalendar(Session& session, ViewState& view, Date d);

// "<<" (delta -1) and ">>" (+1): the 1st of the month before or after; a beep and nothing
// else in 1900 and 2100.
void StepMainCalendar(Session& session, ViewState& view, int delta);

// "今日:": the calendar shows today and the ledger view its month.
void ShowToday(Session& session, ViewState& view);

// A click on a day of the drawn month. A day before the calendar month in which the
// fiscal year begins, or after the one in which it ends, is pulled back to the year's
// first or last day with a beep and a message; the calendar keeps the clicked month.
// The ledger view then shows the month of the selected day.
void ChooseDay(Session& session, ViewState& view, Date day);

// The month the ledger view shows for a day: the period that holds it, or its calendar
// month when it lies outside every period.
int ViewMonthOfDate(const Ledger& ledger, Date day);

// The first day of the start month's period, "～", the last day of the last period.
std::string FiscalYearRangeText(const Ledger& ledger);

}  // namespace velmora
