#pragma once
// A one-line label that gives way when its row is short: its text loses characters in the
// middle ("…"), so that both the start and the end stay readable, rather than pushing the
// widgets beside it out of the window. The whole text is in the tool tip.
#include <QFrame>
#include <QString>

namespace velmora::gui {

class ElidedLabel : public QFrame {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }
    // The text as drawn at the label's width now.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

}  // namespace velmora::gui
