#pragma once
// The left pane: the page "科目指定" with the calendar, the holiday list and the two inner
// pages (account titles, book balances), and the page "印刷" with the print settings.
#include <QTabWidget>

#include "core/app/application.h"

class QListWidget;
class QTableWidget;

namespace velmora::gui {

class MonthCalendar;
class PrintPage;

class LeftPane : public QTabWidget {
    Q_OBJECT
public:
    explicit LeftPane(Application& app, QWidget* parent = nullptr);

    MonthCalendar* calendar() const { return calendar_; }
    QListWidget* holidayList() const { return holidayList_; }
    QListWidget* titleList() const { return titleList_; }
    QTableWidget* bookBalances() const { return bookBalances_; }
    PrintPage* printPage() const { return printPage_; }
    // The main page shown: the print settings come forward with the preview.
    void ShowMainPage(MainPage page);

    // The view was rebuilt: book balances, the title list's selection and the calendar.
    void ShowView();
    // The calendar's month, selected day and holidays.
    void ShowCalendar();
    // The titles were read again.
    void ShowLists();
    void SaveColumnWidths(LedgerLayout& layout) const;
    void ApplyColumnWidths(const LedgerLayout& layout);

private:
    Application& app_;
    MonthCalendar* calendar_ = nullptr;
    QListWidget* holidayList_ = nullptr;
    QListWidget* titleList_ = nullptr;
    QTableWidget* bookBalances_ = nullptr;
    PrintPage* printPage_ = nullptr;
    MainPage shownPage_ = MainPage::Ledger;
};

}  // namespace velmora::gui
