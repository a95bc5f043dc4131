#include "gui/mainwindow/ribbon.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "core/app/command_table.h"
#include "qtprint/qt_text.h"

namespace velmora::gui {
namespace {

constexpr int kButtonHeight = 58;
constexpr int kIconSize = 32;

QWidget* ControlOf(const RibbonControl& c, QAction* action, QWidget* parent) {
    if (c.checkBox) {
        auto* box = new QCheckBox(Q(c.caption), parent);
        box->setObjectName(Q(c.command));
        box->setFocusPolicy(Qt::TabFocus);
        return box;
    }
    auto* button = new QToolButton(parent);
    button->setObjectName("ribbon_" + Q(c.command));
    button->setAutoRaise(true);
    button->setIconSize(QSize(kIconSize, kIconSize));
    // Reached by the keyboard (F6, then the arrows) as a toolbar is; a click leaves the focus
    // where it was.
    button->setFocusPolicy(Qt::TabFocus);
    if (action) {
        button->setIcon(action->icon());
        // The caption of the command without the key shown after a tab.
        const QString caption = action->text().section('\t', 0, 0);
        button->setToolTip(caption);
        QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
        QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
    }
    if (c.caption.empty()) {
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setFixedSize(kButtonHeight - 10, kButtonHeight);
    } else {
        button->setText(Q(c.caption));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setMinimumHeight(kButtonHeight);
    }
    return button;
}

QWidget* GroupOf(const RibbonGroup& g, const ActionLookup& actionOf, QWidget* parent) {
    auto* group = new QWidget(parent);
    auto* v = new QVBoxLayout(group);
    v->setContentsMargins(4, 2, 4, 2);
    v->setSpacing(2);
    auto* row = new QHBoxLayout();
    row->setSpacing(2);
    QVBoxLayout* boxes = nullptr;
    for (const RibbonControl& c : g.controls) {
        QWidget* control = ControlOf(c, c.checkBox ? nullptr : actionOf(c.command), group);
        if (c.checkBox) {
            if (!boxes) {
                boxes = new QVBoxLayout();
                row->addLayout(boxes);
            }
            boxes->addWidget(control);
        } else {
            row->addWidget(control);
        }
    }
    v->addLayout(row, 1);
    auto* label = new QLabel(Q(g.label), group);
    label->setAlignment(Qt::AlignCenter);
    label->setObjectName("groupLabel");
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(0x40, 0x40, 0x60));
    label->setPalette(p);
    if (g.label.size() > 60) {
        // A long label takes two lines under its buttons. A wrapped label's size hint is a
        // guess the page's height would be taken from: its width and its two lines' height
        // are fixed here, so that the ribbon is as high as the label's last line needs.
        label->setWordWrap(true);
        const QFontMetrics metrics = label->fontMetrics();
        const int width = metrics.horizontalAdvance(label->text()) / 2 + 2 * metrics.height();
        label->setFixedWidth(width);
        label->setMinimumHeight(label->heightForWidth(width));
    }
    v->addWidget(label);
    return group;
}

// The keyboard in the ribbon, as in a toolbar: Down goes from the page tabs into the page
// shown, Left and Right from control to control (round the page), Up back to the tabs;
// Enter presses a button as Space does.
class RibbonKeys : public QObject {
public:
    explicit RibbonKeys(QTabWidget* ribbon) : QObject(ribbon), ribbon_(ribbon) {
        ribbon_->tabBar()->installEventFilter(this);
    }

    void AddPage(QScrollArea* area, std::vector<QWidget*> controls) {
        for (QWidget* c : controls) c->installEventFilter(this);
        pages_.push_back({area, std::move(controls)});
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        const int pageIndex = ribbon_->currentIndex();
        if (pageIndex < 0 || pageIndex >= static_cast<int>(pages_.size())) return false;
        const Page& page = pages_[static_cast<std::size_t>(pageIndex)];
        if (watched == ribbon_->tabBar()) {
            if (key->key() != Qt::Key_Down) return false;
            FocusFrom(page, -1, 1);
            return true;
        }
        const auto it = std::find(page.controls.begin(), page.controls.end(), watched);
        if (it == page.controls.end()) return false;
        const int at = static_cast<int>(it - page.controls.begin());
        switch (key->key()) {
            case Qt::Key_Left:
                FocusFrom(page, at, -1);
                return true;
            case Qt::Key_Right:
                FocusFrom(page, at, 1);
                return true;
            case Qt::Key_Up:
                ribbon_->tabBar()->setFocus(Qt::ShortcutFocusReason);
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (auto* button = qobject_cast<QAbstractButton*>(watched)) button->click();
                return true;
            default:
                return false;
        }
    }

private:
    struct Page {
        QScrollArea* area;
        std::vector<QWidget*> controls;
    };

    // The next enabled control from at in direction step, round the page.
    static void FocusFrom(const Page& page, int at, int step) {
        const int n = static_cast<int>(page.controls.size());
        for (int k = 1; k <= n; ++k) {
            QWidget* c = page.controls[static_cast<std::size_t>(((at + step * k) % n + n) % n)];
            if (!c->isEnabled()) continue;
            c->setFocus(Qt::ShortcutFocusReason);
            page.area->ensureWidgetVisible(c);
            return;
        }
    }

    QTabWidget* ribbon_;
    std::vector<Page> pages_;
};

}  // namespace

QTabWidget* BuildRibbonPages(QWidget* parent, const ActionLookup& actionOf) {
    auto* ribbon = new QTabWidget(parent);
    ribbon->setObjectName("ribbon");
    auto* keys = new RibbonKeys(ribbon);
    for (const RibbonPageInfo& pageInfo : RibbonPages()) {
        auto* page = new QWidget(ribbon);
        auto* h = new QHBoxLayout(page);
        h->setContentsMargins(2, 2, 2, 2);
        h->setSpacing(0);
        bool first = true;
        for (const RibbonGroup& g : pageInfo.groups) {
            if (!first) {
                auto* line = new QFrame(page);
                line->setFrameShape(QFrame::VLine);
                line->setFrameShadow(QFrame::Sunken);
                h->addWidget(line);
            }
            first = false;
            h->addWidget(GroupOf(g, actionOf, page));
        }
        h->addStretch(1);
        // A narrow window scrolls the page sideways; the buttons keep their size.
        auto* area = new QScrollArea(ribbon);
        area->setFrameShape(QFrame::NoFrame);
        area->setWidgetResizable(true);
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        area->setWidget(page);
        area->setMinimumHeight(page->sizeHint().height() +
                               area->horizontalScrollBar()->sizeHint().height());
        std::vector<QWidget*> controls;
        for (QWidget* w : page->findChildren<QWidget*>())
            if (qobject_cast<QAbstractButton*>(w)) controls.push_back(w);
        keys->AddPage(area, std::move(controls));
        ribbon->addTab(area, Q(pageInfo.caption));
    }
    ribbon->setFixedHeight(ribbon->sizeHint().height());
    return ribbon;
}

}  // namespace velmora::gui
