#include "gui/widgets/numeric_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace velmora::gui {

NumericEdit::NumericEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Numbers are typed half-width; the input method would only get in the way.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText | Qt::ImhLatinOnly);
    setAcceptDrops(false);
    QLineEdit::setMaxLength(32767);
    // Whatever reaches the text past the model (a key of the box's own, the program's
    // setText) is read back by the model, so that the two never part.
    connect(this, &QLineEdit::textEdited, this, [this] { takeTextFromBox(true); });
    connect(this, &QLineEdit::textChanged, this, [this] { takeTextFromBox(false); });
    showModel();
}

void NumericEdit::refresh() {
    showModel();
}

void NumericEdit::setValue(long double value) {
    edit([value](NumberField& m) { m.SetValue(value); });
}

void NumericEdit::setAmount(Amount amount) {
    edit([amount](NumberField& m) { m.SetAmount(amount); });
}

void NumericEdit::setZeroVisible(bool visible) {
    edit([visible](NumberField& m) { m.SetZeroVisible(visible); });
}

void NumericEdit::setMaxLength(int length) {
    model_.SetMaxLength(length);
}

template <typename Operation>
void NumericEdit::edit(Operation operation) {
    pullSelection();
    const long double before = model_.Value();
    operation(model_);
    showModel();
    setModified(model_.Modified());
    if (model_.Value() != before) emit valueChanged();
}

void NumericEdit::pullSelection() {
    const int caret = cursorPosition();
    if (!hasSelectedText()) {
        model_.SetCaret(caret);
        return;
    }
    const int start = selectionStart();
    const int end = selectionEnd();
    model_.Select(caret == start ? end : start, caret);
}

void NumericEdit::showModel() {
    showing_ = true;
    const QString text = QString::fromStdString(model_.Text());
    if (QLineEdit::text() != text) QLineEdit::setText(text);
    if (model_.Anchor() != model_.Caret())
        setSelection(model_.Anchor(), model_.Caret() - model_.Anchor());
    else
        setCursorPosition(model_.Caret());
    showing_ = false;
}

void NumericEdit::takeTextFromBox(bool typed) {
    const std::string text = QLineEdit::text().toStdString();
    if (showing_ || text == model_.Text()) return;
    const int caret = cursorPosition();
    edit([&](NumberField& m) {
        if (typed)
            m.EditText(text, caret);
        else
            m.SetText(text);
    });
}

void NumericEdit::pasteFromClipboard(bool selection) {
    const QString pasted = QGuiApplication::clipboard()->text(selection ? QClipboard::Selection
                                                                        : QClipboard::Clipboard);
    const std::string text = pasted.toStdString();
    edit([&text](NumberField& m) { m.Paste(text); });
}

void NumericEdit::cutToClipboard() {
    if (!hasSelectedText()) return;
    copy();
    edit([](NumberField& m) { m.Delete(); });
}

void NumericEdit::keyPressEvent(QKeyEvent* event) {
    if (isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteFromClipboard();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        cutToClipboard();
        event->accept();
        return;
    }
    // The model owns the text; an undo of the box would bring back text it never saw.
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        event->accept();
        return;
    }
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    switch (event->key()) {
        case Qt::Key_Backspace:
            if (!plain) break;
            edit([](NumberField& m) { m.Backspace(); });
            event->accept();
            return;
        case Qt::Key_Delete:
            if (!plain) break;
            if (event->modifiers() & Qt::ShiftModifier) {
                cutToClipboard();
            } else {
                edit([](NumberField& m) { m.Delete(); });
            }
            event->accept();
            return;
        case Qt::Key_Up:
        case Qt::Key_Down: {
            bool stepped = false;
            const bool up = event->key() == Qt::Key_Up;
            edit([&](NumberField& m) { stepped = up ? m.ArrowUp() : m.ArrowDown(); });
            if (stepped) {
                emit arrowKeyChange();
                event->accept();
                return;
            }
            break;
        }
        default:
            break;
    }
    const QString typed = event->text();
    if (plain && !typed.isEmpty() && typed.at(0).isPrint()) {
        // A refused character is swallowed.
        for (const char32_t c : typed.toUcs4()) edit([c](NumberField& m) { m.TypeChar(c); });
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

QVariant NumericEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImEnabled) return false;
    return QLineEdit::inputMethodQuery(query);
}

void NumericEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!isReadOnly())
        for (const char32_t c : event->commitString().toUcs4())
            edit([c](NumberField& m) { m.TypeChar(c); });
    event->accept();
}

void NumericEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Coming back from a menu or another window is not entering the box again.
    if (entered_) return;
    entered_ = true;
    edit([](NumberField& m) { m.Enter(); });
}

void NumericEdit::focusOutEvent(QFocusEvent* event) {
    // Focus that goes to a menu or another window comes back here: the box is not left.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) {
        entered_ = false;
        edit([](NumberField& m) { m.Leave(); });
    }
    QLineEdit::focusOutEvent(event);
}

void NumericEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the selection of X11 through the key filter.
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        pasteFromClipboard(true);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void NumericEdit::contextMenuEvent(QContextMenuEvent* event) {
    // The box's own menu would edit behind the model's back; this one has no undo and
    // pastes through the key filter. The captions are the box's, in Qt's translation.
    auto caption = [](const char* text, QKeySequence::StandardKey key) {
        QString shown = QCoreApplication::translate("QLineEdit", text);
        const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
        return shortcut.isEmpty() ? shown : shown + QLatin1Char('\t') + shortcut;
    };
    const bool editable = !isReadOnly();
    QMenu menu(this);
    QAction* cut = menu.addAction(caption("Cu&t", QKeySequence::Cut));
    cut->setEnabled(editable && hasSelectedText());
    connect(cut, &QAction::triggered, this, &NumericEdit::cutToClipboard);
    QAction* copyAction = menu.addAction(caption("&Copy", QKeySequence::Copy));
    copyAction->setEnabled(hasSelectedText() && echoMode() == QLineEdit::Normal);
    connect(copyAction, &QAction::triggered, this, &QLineEdit::copy);
    QAction* paste = menu.addAction(caption("&Paste", QKeySequence::Paste));
    paste->setEnabled(editable && !QGuiApplication::clipboard()->text().isEmpty());
    connect(paste, &QAction::triggered, this, [this] { pasteFromClipboard(); });
    QAction* remove = menu.addAction(QCoreApplication::translate("QLineEdit", "Delete"));
    remove->setEnabled(editable && hasSelectedText());
    connect(remove, &QAction::triggered, this,
            [this] { edit([](NumberField& m) { m.Delete(); }); });
    menu.addSeparator();
    QAction* all = menu.addAction(caption("Select All", QKeySequence::SelectAll));
    all->setEnabled(!text().isEmpty());
    connect(all, &QAction::triggered, this, &QLineEdit::selectAll);
    menu.exec(event->globalPos());
    event->accept();
}

}  // namespace velmora::gui
