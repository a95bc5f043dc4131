#include "gui/help/help_window.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace velmora::gui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("helpWindow");
    setWindowTitle(QStringLiteral("Velmora 取扱説明書"));
    resize(820, 700);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);
    auto* bar = new QHBoxLayout();
    auto* back = new QPushButton(QStringLiteral("← 戻る"), this);
    auto* home = new QPushButton(QStringLiteral("目次"), this);
    // The system's browser stays on offer for those who prefer it; nothing depends on it.
    auto* external = new QPushButton(QStringLiteral("ブラウザーで開く"), this);
    external->setObjectName("openInBrowser");
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    bar->addWidget(back);
    bar->addWidget(home);
    bar->addStretch(1);
    bar->addWidget(external);
    bar->addWidget(close);
    v->addLayout(bar);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("manual");
    browser_->setOpenExternalLinks(true);
    v->addWidget(browser_, 1);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(home, &QPushButton::clicked, browser_, &QTextBrowser::home);
    connect(external, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(browser_->source()); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::ShowManual(const QString& path) {
    browser_->setSource(QUrl::fromLocalFile(path));
    show();
    raise();
    activateWindow();
}

}  // namespace velmora::gui
