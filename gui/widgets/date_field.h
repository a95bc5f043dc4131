#pragma once
// A date typed as a bookkeeper types it: entering the field selects its text, so that
// "2024/05/22", "5/22" or "22" typed anywhere gives that date (the shown year and month
// fill in the rest); + and − step a day, PgUp and PgDn a month. A text that is no date
// ("2015/02/30") is refused out loud: Tab and Enter keep the focus in the field with the
// text selected for typing again; a click elsewhere brings back the date shown before.
#include <QLineEdit>

#include <optional>

#include "core/entry/typed_date.h"
#include "core/util/date.h"

namespace velmora::gui {

class DateField : public QLineEdit {
    Q_OBJECT
public:
    explicit DateField(QWidget* parent = nullptr);

    Date date() const { return date_; }
    // Shows date without telling (the program's own change).
    void setDate(Date date);
    // A month and day typed without a year fall within these days (the ledger's year).
    void setYear(Date first, Date last) { year_ = DaySpan{first, last}; }

signals:
    // The user typed or stepped to another date.
    void dateChosen(Date date);
    // What the user typed is no date; the owner says so.
    void typedRefused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Reads what was typed; false when it is no date, the text then kept for correcting
    // (keepTyped) or the date shown before brought back.
    bool takeTyped(bool keepTyped = true);
    void choose(Date date);

    Date date_ = Date::FromYmd(2000, 1, 1);
    std::optional<DaySpan> year_;
};

}  // namespace velmora::gui
