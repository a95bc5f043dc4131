#include "gui/widgets/month_calendar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

namespace velmora::gui {
namespace {

constexpr std::array<const char*, 7> kWeekdayHeadings{"日", "月", "火", "水", "木", "金", "土"};
// The week-number column and the heading row are drawn like the fixed cells of a grid.
const QColor kFixedBackground(228, 228, 240);
const QColor kGridLine(200, 200, 210);

QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
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

protected:
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
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        const QPoint at = event->position().toPoint();
        for (int i = 0; i < kDayPanels; ++i) {
            if (!Panel(i).contains(at)) continue;
            const int day = owner_.layout_.panels[static_cast<std::size_t>(i)].dayNumber;
            if (day > 0)
                emit owner_.dayClicked(day, event->modifiers().testFlag(Qt::ShiftModifier));
            return;
        }
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
