#pragma once
// The completions offered under a text field while it is typed. Unlike a pop-up it never
// takes the keyboard or the mouse: the field keeps the focus, so the input method keeps
// every key of a composition, and a click elsewhere does what it is for. While a
// composition is in progress the list stays hidden. Down and Up move in the list; Enter
// and Tab take the current completion, Esc hides the list; a click takes the one clicked.
#include <QObject>
#include <QStringList>
#include <functional>

class QLineEdit;
class QListWidget;

namespace velmora::gui {

class CompletionList : public QObject {
    Q_OBJECT
public:
    // offer: the completions for the text typed so far.
    CompletionList(QLineEdit* field, std::function<QStringList(const QString&)> offer);
    ~CompletionList() override;

    bool isVisible() const;
    QListWidget* list() const { return list_; }
    // Offers again for the field's text (after the program changed what may be offered).
    void refresh();
    void hide();

signals:
    // A completion was taken into the field.
    void taken();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void take(int row);
    void place();

    QLineEdit* field_;
    std::function<QStringList(const QString&)> offer_;
    QListWidget* list_;
    bool composing_ = false;
};

}  // namespace velmora::gui
