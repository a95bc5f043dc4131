#include "gui/mainwindow/main_pages.h"

#include "gui/ledger/ledger_page.h"
#include "gui/printing/preview_page.h"
#include "gui/summary/graph_page.h"
#include "gui/summary/summary_page.h"

namespace velmora::gui {
namespace {

// The window of each main page; the compiler warns of a page without one (-Wswitch).
QWidget* MakePage(MainPage page, Application& app, QWidget* parent) {
    switch (page) {
        case MainPage::Ledger:
            return new LedgerPage(app, parent);
        case MainPage::Summary:
            return new SummaryPage(app, parent);
        case MainPage::Preview:
            return new PreviewPage(app, parent);
        case MainPage::Graph:
            return new GraphPage(app, parent);
    }
    return nullptr;
}

}  // namespace

MainPageStack::MainPageStack(Application& app, QWidget* parent) : QStackedWidget(parent) {
    setObjectName("mainPages");
    for (const MainPageInfo& info : kMainPages) {
        QWidget* page = MakePage(info.page, app, this);
        page->setAccessibleName(
            QString::fromUtf8(info.caption.data(), static_cast<qsizetype>(info.caption.size())));
        addWidget(page);
        pages_.emplace(info.page, page);
    }
}

void MainPageStack::Show(MainPage page) {
    if (auto it = pages_.find(page); it != pages_.end()) setCurrentWidget(it->second);
}

}  // namespace velmora::gui
