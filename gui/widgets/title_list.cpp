#include "gui/widgets/title_list.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <string>
#include <vector>

#include "core/entry/type_ahead.h"

namespace velmora::gui {

TitleList::TitleList(QWidget* parent) : QListWidget(parent) {
    // Japanese titles are typed through the input method.
    setAttribute(Qt::WA_InputMethodEnabled, true);
    composition_ = new QLabel(this);
    composition_->setObjectName("composition");
    composition_->setAutoFillBackground(true);
    composition_->setFrameStyle(QFrame::Box | QFrame::Plain);
    composition_->hide();
}

QVariant TitleList::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
        case Qt::ImEnabled:
            return true;
        case Qt::ImCursorRectangle: {
            // The candidates open beside the composition, or below the current item.
            const QRect at = composition_->isVisible()
                                 ? composition_->geometry()
                                 : visualItemRect(currentItem()).translated(viewport()->pos());
            return at.isValid() ? at : QRect(0, 0, 1, height());
        }
        case Qt::ImSurroundingText:
            return QString();
        case Qt::ImCursorPosition:
        case Qt::ImAnchorPosition:
            return 0;
        default:
            return QListWidget::inputMethodQuery(query);
    }
}

void TitleList::keyboardSearch(const QString& search) {
    typeAhead(search);
}

void TitleList::keyPressEvent(QKeyEvent* event) {
    const bool plain =
        event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (plain && (event->key() == Qt::Key_Space || enter)) {
        if (QListWidgetItem* current = currentItem()) current->setSelected(true);
        event->accept();
        // Enter takes the item and goes on to the next field, as it does in a form's fields;
        // left in the list, the next letters typed would choose another item.
        if (enter) focusNextChild();
        return;
    }
    QListWidget::keyPressEvent(event);
}

QModelIndex TitleList::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action != MoveHome && action != MoveEnd) return QListWidget::moveCursor(action, modifiers);
    const int step = action == MoveHome ? 1 : -1;
    for (int row = action == MoveHome ? 0 : count() - 1; row >= 0 && row < count(); row += step)
        if (!isRowHidden(row)) return model()->index(row, 0);
    return {};
}

void TitleList::typeAhead(const QString& text) {
    if (text.isEmpty()) return;
    // Keys typed within the toolkit's interval go on with the same search.
    const bool continued =
        sinceTyped_.isValid() && sinceTyped_.elapsed() < QApplication::keyboardInputInterval();
    typed_ = continued ? typed_ + text : text;
    sinceTyped_.start();
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(count()));
    // A hidden item is one that is never matched: an empty one.
    for (int i = 0; i < count(); ++i)
        items.push_back(isRowHidden(i) ? std::string() : item(i)->text().toStdString());
    int found = TypeAheadItem(items, typed_.toStdString(), currentRow(), continued);
    if (found < 0 && continued) {
        // A fresh search from what was typed last.
        typed_ = text;
        found = TypeAheadItem(items, typed_.toStdString(), currentRow(), false);
    }
    if (found >= 0) {
        setCurrentRow(found);
        scrollToItem(item(found));
    } else {
        QApplication::beep();
    }
}

void TitleList::inputMethodEvent(QInputMethodEvent* event) {
    showComposition(event->preeditString());
    if (!event->commitString().isEmpty()) {
        // A whole committed word is a search of its own.
        sinceTyped_.invalidate();
        typeAhead(event->commitString());
    }
    event->accept();
}

void TitleList::showComposition(const QString& text) {
    composition_->setText(text);
    composition_->setVisible(!text.isEmpty());
    if (text.isEmpty()) return;
    composition_->adjustSize();
    composition_->move(2, height() - composition_->height() - 2);
    composition_->raise();
}

void TitleList::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    if (composition_->isVisible()) showComposition(composition_->text());
}

void TitleList::focusOutEvent(QFocusEvent* event) {
    showComposition({});
    QListWidget::focusOutEvent(event);
}

}  // namespace velmora::gui
