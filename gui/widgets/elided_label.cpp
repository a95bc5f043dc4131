#include "gui/widgets/elided_label.h"

#include <QPainter>
#include <QStyle>

namespace velmora::gui {

namespace {
// Room for the first and last characters and the ellipsis.
constexpr int kShortestText = 60;
}  // namespace

ElidedLabel::ElidedLabel(QWidget* parent) : QFrame(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void ElidedLabel::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    setToolTip(text);
    updateGeometry();
    update();
}

QString ElidedLabel::shownText() const {
    return fontMetrics().elidedText(text_, Qt::ElideMiddle, contentsRect().width());
}

QSize ElidedLabel::sizeHint() const {
    const QMargins m = contentsMargins();
    return {fontMetrics().horizontalAdvance(text_) + m.left() + m.right(),
            fontMetrics().height() + m.top() + m.bottom()};
}

QSize ElidedLabel::minimumSizeHint() const {
    const QSize whole = sizeHint();
    return {std::min(whole.width(), kShortestText), whole.height()};
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter, shownText());
}

}  // namespace velmora::gui
