#pragma once
// The one-line number box of every amount and number. The NumberField model decides what
// each key, paste, arrow step, entering and leaving do; this box forwards them and shows
// the model's text, caret and selection.
#include <QLineEdit>

#include "core/entry/numeric_field.h"
#include "core/util/amount.h"

namespace velmora::gui {

class NumericEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumericEdit(QWidget* parent = nullptr);

    // The model. After changing its properties here, call refresh() to show its text.
    NumberField& model() { return model_; }
    const NumberField& model() const { return model_; }
    void refresh();

    long double value() const { return model_.Value(); }
    void setValue(long double value);
    Amount amount() const { return model_.AsAmount(); }
    void setAmount(Amount amount);
    void setZeroVisible(bool visible);
    // The number of characters the user may type. The box itself keeps no limit, since the
    // text it formats (a minus sign, separators) may be longer than what can be typed.
    void setMaxLength(int length);
    int maxLength() const { return model_.MaxLength(); }

    // The input method is never enabled here: Qt asks the field, not only its attribute.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    // The value changed, by a key, a paste, leaving the box or the program.
    void valueChanged();
    // An up or down arrow key stepped the value.
    void arrowKeyChange();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Text an input method commits anyway goes through the key filter, character by
    // character.
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Runs one operation on the model from the box's caret and selection, then shows the
    // result and tells about a changed value.
    template <typename Operation>
    void edit(Operation operation);
    void pullSelection();
    void showModel();
    void pasteFromClipboard(bool selection = false);
    void cutToClipboard();
    void takeTextFromBox(bool typed);

    NumberField model_;
    bool showing_ = false;
    bool entered_ = false;  // focus came in and has not left for another field
};

}  // namespace velmora::gui
