#include "gui/mainwindow/ribbon.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

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
        return box;
    }
    auto* button = new QToolButton(parent);
    button->setObjectName("ribbon_" + Q(c.command));
    button->setAutoRaise(true);
    button->setIconSize(QSize(kIconSize, kIconSize));
    button->setFocusPolicy(Qt::NoFocus);
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
    label->setWordWrap(g.label.size() > 60);
    v->addWidget(label);
    return group;
}

}  // namespace

QTabWidget* BuildRibbonPages(QWidget* parent, const ActionLookup& actionOf) {
    auto* ribbon = new QTabWidget(parent);
    ribbon->setObjectName("ribbon");
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
        ribbon->addTab(page, Q(pageInfo.caption));
    }
    ribbon->setFixedHeight(ribbon->sizeHint().height());
    return ribbon;
}

}  // namespace velmora::gui
