#pragma once
// A date typed as a bookkeeper types it: entering the field selects its text, so that
// "2024/05/22", "5/22" or "22" typed anywhere gives that date (the shown year and month
// fill in the rest); + and − step a day, PgUp and PgDn a month. A text that is no date is
// refused with a beep and the date shown before comes back.
#include <QLineEdit>

#include "core/util/date.h"

namespace velmora::gui {

class DateField : public QLineEdit {
    Q_OBJECT
public:
    explicit DateField(QWidget* parent = nullptr);

    Date date() const { return date_; }
    // Shows date without telling (the program's own change).
    void setDate(Date date);

signals:
    // The user typed or stepped to another date.
    void dateChosen(Date date);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Reads what was typed; false (after a beep) when it is no date.
    bool takeTyped();
    void choose(Date date);

    Date date_ = Date::FromYmd(2000, 1, 1);
};

}  // namespace velmora::gui
