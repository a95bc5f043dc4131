#pragma once
// The month calendar of the main window and the entry form: the month label, "<<" and
// ">>", the weekday headings, six rows of seven day cells with their week numbers, and the
// "今日:" button with today's date. It paints the layout core computed and reports clicks;
// what a click or a key means is the owner's business. The day cells take the keyboard
// where their owner lets them have the focus.
#include <QWidget>

#include "core/calendar/calendar.h"
#include "core/entry/typed_date.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace velmora::gui {

class CalendarDays;

class MonthCalendar : public QWidget {
    Q_OBJECT
public:
    explicit MonthCalendar(QWidget* parent = nullptr);

    void ShowLayout(const CalendarLayout& layout, Date today);
    const CalendarLayout& layout() const { return layout_; }
    // The day cells, for clicks by position: panel 0..41 (`day1` .. `day42`).
    QWidget* dayGrid() const;
    QRect PanelRect(int panel) const;

signals:
    // A cell of the drawn month was clicked (cells of other months do nothing).
    void dayClicked(int day, bool shift);
    // "<<" (-1) or ">>" (+1).
    void monthStepped(int delta);
    void todayClicked();
    // A key on the focused day cells: the arrows a day or a week, PgUp and PgDn a month;
    // Home is "今日:".
    void dayStepped(DateStep step);

private:
    friend class CalendarDays;
    CalendarLayout layout_;
    QLabel* monthLabel_ = nullptr;
    QLabel* todayLabel_ = nullptr;
    QToolButton* previous_ = nullptr;
    QToolButton* next_ = nullptr;
    QPushButton* today_ = nullptr;
    CalendarDays* days_ = nullptr;
};

}  // namespace velmora::gui
