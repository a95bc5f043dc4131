#pragma once
// The left pane: the page "科目指定" with the calendar, the holiday list and the two inner
// pages (account titles, book balances), and the page "印刷" with the print settings.
#include <QTabWidget>

#include "core/app/application.h"

class QCalendarWidget;
class QListWidget;
class QTableWidget;

namespace velmora::gui {

class LeftPane : public QTabWidget {
    Q_OBJECT
public:
    explicit LeftPane(Application& app, QWidget* parent = nullptr);

    // The view was rebuilt: book balances and the calendar's day.
    void ShowView();
    // The titles or holidays were read again.
    void ShowLists();
    void SaveColumnWidths(LedgerLayout& layout) const;
    void ApplyColumnWidths(const LedgerLayout& layout);

private:
    Application& app_;
    QCalendarWidget* calendar_ = nullptr;
    QListWidget* holidayList_ = nullptr;
    QListWidget* titleList_ = nullptr;
    QTableWidget* bookBalances_ = nullptr;
};

}  // namespace velmora::gui
