#include "core/ledgerview/main_calendar.h"

namespace velmora {
namespace {

constexpr const char* kBeforeStartMessage =
    "年度の開始月より以前の日付は指定できません。\r\n1ファイルで1年分となります。\r\n現在の設定値:";
constexpr const char* kAfterEndMessage =
    "年度の終了月以降の日付は指定できません。\r\n1ファイルで1年分となります。\r\n現在の設定値:";

void ShowMonthOfSelectedDay(Session& session, ViewState& view) {
    const Date day = view.calendar.selected;
    session.currentMonth = ViewMonthOfDate(session.ledger, day);
    session.monthPanel = std::to_string(session.currentMonth);
    session.NotifyViewChanged();
}

}  // namespace

void ShowMainCalendar(Session& session, ViewState& view, Date d) {
    view.calendar.Show(d);
    session.monthPanel = std::to_string(d.Month());
}

void StepMainCalendar(Session& session, ViewState& view, int delta) {
    if (auto first = SteppedMonth(view.calendar, delta, true))
        ShowMainCalendar(session, view, *first);
    else
        session.dialogs().Beep();
}

void ShowToday(Session& session, ViewState& view) {
    ShowMainCalendar(session, view, session.clock().Today());
    ShowMonthOfSelectedDay(session, view);
}

int ViewMonthOfDate(const Ledger& ledger, Date day) {
    const int slot = ledger.periods.FirstSlotOf(day);
    return slot != 0 ? slot : day.Month();
}

std::string FiscalYearRangeText(const Ledger& ledger) {
    return ledger.FirstDay().ShortText() + "～" + ledger.LastDay().ShortText();
}

void ChooseDay(Session& session, ViewState& view, Date day) {
    ShowMainCalendar(session, view, day);
    const Ledger& ledger = session.ledger;
    const Date yearStart = ledger.FirstDay();
    const Date yearEnd = ledger.LastDay();
    const Date earliest = Date::FromYmd(yearStart.Year(), yearStart.Month(), 1);
    const Date latest = Date::FromYmd(yearEnd.Year(), yearEnd.Month(),
                                      DaysInMonth(yearEnd.Year(), yearEnd.Month()));
    if (day < earliest) {
        view.calendar.selected = yearStart;
        session.dialogs().Beep();
        session.dialogs().ShowInfo("確認", kBeforeStartMessage + FiscalYearRangeText(ledger));
    }
    if (view.calendar.selected > latest) {
        view.calendar.selected = yearEnd;
        session.dialogs().Beep();
        session.dialogs().ShowInfo("確認", kAfterEndMessage + FiscalYearRangeText(ledger));
    }
    ShowMonthOfSelectedDay(session, view);
}

}  // namespace velmora
