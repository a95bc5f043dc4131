#pragma once
// The main pages of the window (object name "mainPages"): the window of every row of
// kMainPages, made once, in the rows' order. A page is shown by its MainPage, never by
// its position, and found by its window class.
#include <QStackedWidget>
#include <map>

#include "core/app/application.h"

namespace velmora::gui {

class MainPageStack final : public QStackedWidget {
    Q_OBJECT
public:
    explicit MainPageStack(Application& app, QWidget* parent = nullptr);

    void Show(MainPage page);
    // The page made of window class Page (LedgerPage, SummaryPage ...).
    template <typename Page>
    Page* Find() const {
        for (const auto& [id, widget] : pages_)
            if (auto* page = qobject_cast<Page*>(widget)) return page;
        return nullptr;
    }

private:
    std::map<MainPage, QWidget*> pages_;
};

}  // namespace velmora::gui
