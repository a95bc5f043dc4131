#include "gui/widgets/completion_list.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

namespace velmora::gui {

CompletionList::CompletionList(QLineEdit* field, std::function<QStringList(const QString&)> offer)
    : QObject(field), field_(field), offer_(std::move(offer)) {
    // A window of its own that never becomes active: the focus stays in the field.
    list_ = new QListWidget(nullptr);
    list_->setObjectName("completions");
    list_->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    list_->setAttribute(Qt::WA_ShowWithoutActivating);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { take(list_->row(item)); });
    connect(field_, &QLineEdit::textEdited, this, &CompletionList::refresh);
    field_->installEventFilter(this);
}

CompletionList::~CompletionList() {
    delete list_;
}

bool CompletionList::isVisible() const {
    return list_->isVisible();
}

void CompletionList::hide() {
    list_->hide();
}

void CompletionList::refresh() {
    const QStringList offered =
        field_->hasFocus() && !composing_ ? offer_(field_->text()) : QStringList();
    // Nothing to offer, or only what is typed already.
    if (offered.isEmpty() || (offered.size() == 1 && offered.front() == field_->text())) {
        list_->hide();
        return;
    }
    list_->clear();
    list_->addItems(offered);
    list_->setCurrentRow(-1);
    place();
    list_->show();
}

void CompletionList::place() {
    const int rows = std::min(list_->count(), 12);
    const int rowHeight = list_->sizeHintForRow(0) > 0 ? list_->sizeHintForRow(0) : 18;
    list_->resize(field_->width(), rows * rowHeight + 2 * list_->frameWidth());
    list_->move(field_->mapToGlobal(QPoint(0, field_->height())));
}

void CompletionList::take(int row) {
    if (row < 0 || row >= list_->count()) return;
    field_->setText(list_->item(row)->text());
    list_->hide();
    emit taken();
}

bool CompletionList::eventFilter(QObject* watched, QEvent* event) {
    if (watched != field_) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::InputMethod: {
            // While a composition is made, the input method has every key.
            auto* im = static_cast<QInputMethodEvent*>(event);
            composing_ = !im->preeditString().isEmpty();
            if (composing_) {
                list_->hide();
            } else if (!im->commitString().isEmpty()) {
                // After the field took the committed text.
                QMetaObject::invokeMethod(this, &CompletionList::refresh, Qt::QueuedConnection);
            }
            break;
        }
        case QEvent::KeyPress: {
            if (!list_->isVisible() || composing_) break;
            auto* key = static_cast<QKeyEvent*>(event);
            const int rows = list_->count();
            switch (key->key()) {
                case Qt::Key_Down:
                    list_->setCurrentRow((list_->currentRow() + 1) % rows);
                    return true;
                case Qt::Key_Up:
                    list_->setCurrentRow(list_->currentRow() <= 0 ? rows - 1
                                                                  : list_->currentRow() - 1);
                    return true;
                case Qt::Key_Return:
                case Qt::Key_Enter:
                case Qt::Key_Tab:
                    if (list_->currentRow() < 0) {
                        list_->hide();
                        break;  // nothing chosen: the key does what it does without the list
                    }
                    take(list_->currentRow());
                    return true;
                case Qt::Key_Escape:
                    list_->hide();
                    return true;
                default:
                    break;
            }
            break;
        }
        case QEvent::FocusOut:
        case QEvent::Hide:
        case QEvent::Move:
        case QEvent::Resize:
            list_->hide();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velmora::gui
