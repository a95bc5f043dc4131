#pragma once
// A list of titles or book names chosen by typing, as list views do: the first characters
// of an item, or its number, with the input method off or on (composed text counts when it
// is committed; the composition shows at the list's foot while it is made). Hidden items
// (blank title slots) are never reached: not by typing, Home or End. Space picks the
// current item and searches for nothing; Enter picks it and moves to the next field.
#include <QElapsedTimer>
#include <QListWidget>

class QLabel;

namespace velmora::gui {

class TitleList : public QListWidget {
    Q_OBJECT
public:
    explicit TitleList(QWidget* parent = nullptr);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void keyboardSearch(const QString& search) override;
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void typeAhead(const QString& typed);
    void showComposition(const QString& text);

    QString typed_;
    QElapsedTimer sinceTyped_;
    QLabel* composition_ = nullptr;
};

}  // namespace velmora::gui
