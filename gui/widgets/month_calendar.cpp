#include "gui/widgets/month_calendar.h"

#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <array>
#include <optional>

namespace velmora::gui {
namespace {

constexpr std::array<const char*, 7> kWeekdayHeadings{"日", "月", "火", "水", "木", "金", "土"};
// The week-number column and the heading row are drawn like the fixed cells of a grid.
const QColor kFixedBackground(228, 228, 240);
const QColor kGridLine(200, 200, 210);

QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

std::optional<DateStep> StepOfKey(const QKeyEvent& key) {
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return std::nullopt;
    switch (key.key()) {
        case Qt::Key_Left:
            return DateStep::PreviousDay;
        case Qt::Key_Right:
            return DateStep::NextDay;
        case Qt::Key_Up:
            return DateStep::PreviousWeek;
        case Qt::Key_Down:
            return DateStep::NextWeek;
        case Qt::Key_PageUp:
            return DateStep::PreviousMonth;
        case Qt::Key_PageDown:
            return DateStep::NextMonth;
        default:
            return std::nullopt;
    }
}

bool IsHome(const QKeyEvent& key) {
    return key.key() == Qt::Key_Home && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

// The heading row and the 42 day cells in one painted widget: one paint for the whole
// month instead of 49 panels.
class CalendarDays : public QWidget {
public:
    explicit CalendarDays(MonthCalendar& owner) : QWidget(&owner), owner_(owner) {
        setObjectName("days");
        setMinimumSize(170, 7 * 18);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        setFocusPolicy(Qt::StrongFocus);
        // PgUp and PgDn are the calendar's own while it has the keyboard, not the window's.
        setProperty("ownsPageKeys", true);
    }

    QSize sizeHint() const override { return {200, 7 * 20}; }

    // Column 0 holds the week numbers, row 0 the weekday headings.
    QRect Cell(int column, int row) const {
        // The week-number column is narrower than a day: 6 units against 8.
        auto x = [this](int c) { return c == 0 ? 0 : (6 + (c - 1) * 8) * width() / 62; };
        const int x0 = x(column);
        const int x1 = x(column + 1);
        const int y0 = row * height() / 7;
        const int y1 = (row + 1) * height() / 7;
        return QRect(x0, y0, x1 - x0, y1 - y0);
    }
    QRect Panel(int panel) const { return Cell(1 + panel % 7, 1 + panel / 7); }
    // The panel at a point of the widget; -1 outside every panel.
    int PanelAt(QPoint at) const {
        for (int i = 0; i < kDayPanels; ++i)
            if (Panel(i).contains(at)) return i;
        return -1;
    }

protected:
    // A national holiday's name is the tool tip of its day; the stepping keys are the
    // calendar's, never a window shortcut's.
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            if (StepOfKey(key) || IsHome(key)) {
                event->accept();
                return true;
            }
        }
        if (event->type() != QEvent::ToolTip) return QWidget::event(event);
        auto* help = static_cast<QHelpEvent*>(event);
        const int panel = PanelAt(help->pos());
        const std::string name =
            panel < 0 ? std::string()
                      : owner_.layout_.panels[static_cast<std::size_t>(panel)].holidayName;
        if (name.empty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), QString::fromStdString(name), this, Panel(panel));
        }
        return true;
    }

    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const CalendarLayout& l = owner_.layout_;
        p.setPen(kGridLine);
        for (int c = 0; c < 8; ++c) {
            const QRect r = Cell(c, 0);
            p.fillRect(r, kFixedBackground);
            if (c == 0) continue;
            p.setPen(c == 1   ? ToQColor(kSundayText)
                     : c == 7 ? ToQColor(kSaturdayText)
                              : ToQColor(kWeekdayText));
            p.drawText(r, Qt::AlignCenter, QString::fromUtf8(kWeekdayHeadings[c - 1]));
        }
        for (int w = 0; w < kWeekRows; ++w) {
            const QRect r = Cell(0, w + 1);
            p.fillRect(r, kFixedBackground);
            p.setPen(Qt::darkGray);
            p.drawText(r, Qt::AlignCenter, QString::number(l.weekNumbers[w]));
        }
        for (int i = 0; i < kDayPanels; ++i) {
            const DayPanel& d = l.panels[static_cast<std::size_t>(i)];
            const QRect r = Panel(i);
            p.fillRect(r, ToQColor(d.background));
            p.setPen(kGridLine);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            p.setPen(ToQColor(d.text));
            if (d.shownDay > 0) p.drawText(r, Qt::AlignCenter, QString::number(d.shownDay));
        }
        if (hasFocus()) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
        }
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (const auto step = StepOfKey(*event)) {
            emit owner_.dayStepped(*step);
        } else if (IsHome(*event)) {
            emit owner_.todayClicked();
        } else {
            QWidget::keyPressEvent(event);
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        const int panel = PanelAt(event->position().toPoint());
        if (panel < 0) return;
        const int day = owner_.layout_.panels[static_cast<std::size_t>(panel)].dayNumber;
        if (day > 0) emit owner_.dayClicked(day, event->modifiers().testFlag(Qt::ShiftModifier));
    }

private:
    MonthCalendar& owner_;
};

MonthCalendar::MonthCalendar(QWidget* parent) : QWidget(parent) {
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    auto* top = new QHBoxLayout();
    previous_ = new QToolButton(this);
    previous_->setObjectName("previousMonth");
    previous_->setText("<<");
    next_ = new QToolButton(this);
    next_->setObjectName("nextMonth");
    next_->setText(">>");
    monthLabel_ = new QLabel(this);
    monthLabel_->setObjectName("monthHeading");
    monthLabel_->setAlignment(Qt::AlignCenter);
    QFont bold = monthLabel_->font();
    bold.setBold(true);
    monthLabel_->setFont(bold);
    top->addWidget(previous_);
    top->addWidget(monthLabel_, 1);
    top->addWidget(next_);
    v->addLayout(top);
    days_ = new CalendarDays(*this);
    v->addWidget(days_, 1);
    auto* bottom = new QHBoxLayout();
    today_ = new QPushButton("今日:", this);
    today_->setObjectName("today");
    // Never the default button of a dialog the calendar sits in: Enter there means the
    // dialog's fields, not "today".
    today_->setAutoDefault(false);
    todayLabel_ = new QLabel(this);
    todayLabel_->setObjectName("todayDate");
    bottom->addWidget(today_);
    bottom->addWidget(todayLabel_, 1);
    v->addLayout(bottom);

    connect(previous_, &QToolButton::clicked, this, [this] { emit monthStepped(-1); });
    connect(next_, &QToolButton::clicked, this, [this] { emit monthStepped(1); });
    connect(today_, &QPushButton::clicked, this, [this] { emit todayClicked(); });
}

void MonthCalendar::ShowLayout(const CalendarLayout& layout, Date today) {
    layout_ = layout;
    monthLabel_->setText(QString::fromStdString(layout.monthLabel));
    todayLabel_->setText(QString::fromStdString(today.ShortText()));
    days_->update();
}

QWidget* MonthCalendar::dayGrid() const {
    return days_;
}

QRect MonthCalendar::PanelRect(int panel) const {
    return days_->Panel(panel);
}

}  // namespace velmora::gui
