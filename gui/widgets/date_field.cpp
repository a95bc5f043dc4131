#include "gui/widgets/date_field.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "core/entry/typed_date.h"

namespace velmora::gui {
namespace {

QString Shown(Date date) {
    return QString::fromStdString(date.ShortText());
}

}  // namespace

DateField::DateField(QWidget* parent) : QLineEdit(parent) {
    // Dates are typed half-width; full-width digits are read as digits all the same.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setAlignment(Qt::AlignCenter);
    setMaxLength(10);
    setText(Shown(date_));
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00")) + 16;
    setMinimumWidth(width);
}

void DateField::setDate(Date date) {
    date_ = date;
    setText(Shown(date));
    if (hasFocus()) selectAll();
}

void DateField::choose(Date date) {
    const bool changed = date != date_;
    setDate(date);
    if (changed) emit dateChosen(date);
}

bool DateField::takeTyped(bool keepTyped) {
    if (text() == Shown(date_)) return true;
    if (const auto typed = ParseTypedDate(text().toStdString(), date_, year_)) {
        choose(*typed);
        return true;
    }
    if (keepTyped) {
        selectAll();
        emit typedRefused();
    } else {
        setDate(date_);
        // Told once the focus has settled where the click put it.
        QTimer::singleShot(0, this, &DateField::typedRefused);
    }
    return false;
}

bool DateField::focusNextPrevChild(bool next) {
    // Tab and Shift+Tab go on only from a date.
    if (!takeTyped()) return true;
    return QLineEdit::focusNextPrevChild(next);
}

void DateField::keyPressEvent(QKeyEvent* event) {
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    std::optional<DateStep> step;
    switch (event->key()) {
        case Qt::Key_Plus:
            step = DateStep::NextDay;
            break;
        case Qt::Key_Minus:
            step = DateStep::PreviousDay;
            break;
        case Qt::Key_PageUp:
            step = DateStep::PreviousMonth;
            break;
        case Qt::Key_PageDown:
            step = DateStep::NextMonth;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            takeTyped();
            event->accept();
            return;
        default:
            break;
    }
    if (step && plain) {
        if (takeTyped()) choose(StepDate(date_, *step));
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DateField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // After the click's own caret placement, so that a click selects too.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus()) selectAll();
    });
    selectAll();
}

void DateField::focusOutEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        takeTyped(false);
    QLineEdit::focusOutEvent(event);
}

}  // namespace velmora::gui
