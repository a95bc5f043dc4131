#pragma once
// The main page "現金出納帳": the heading bar (book picture and heading, book title, range
// shown, the three totals), the month tabs and the ledger grid with its keys and pop-up
// menu. It shows the view the application object built and forwards the user's choices
// to it.
#include <QWidget>
#include <optional>

#include "core/app/application.h"

class QLabel;
class QTabBar;
class QTableView;

namespace velmora::gui {

class LedgerModel;

class LedgerPage : public QWidget {
    Q_OBJECT
public:
    explicit LedgerPage(Application& app, QWidget* parent = nullptr);

    QTableView* grid() const { return grid_; }
    LedgerModel* model() const { return model_; }
    QTabBar* monthTabs() const { return monthTabs_; }
    // The record of the row the user is on, when that row carries one.
    std::optional<int> SelectedRecord() const;
    // Selects a row by its number in the original grid, whose row 0 was the header.
    void SelectGridRow(int gridRow);
    // Opens the entry form on the selected row ("修正", Enter, a double-click); once it
    // closes the keyboard is back on that grid row, which after a deletion holds the
    // record that followed.
    void EditSelectedRow();
    // The grid row (1-based) of the current cell; none without one.
    std::optional<int> SelectedGridRow() const;
    // The keyboard back on the grid, on gridRow when given (or the last written row when
    // fewer are left), its window the active one, as after a form closed.
    void TakeKeyboard(std::optional<int> gridRow = std::nullopt);

    // The month tabs for the ledger's start month.
    void RebuildMonthTabs();
    // The view was rebuilt.
    void ShowView();
    void SaveColumnWidths(LedgerLayout& layout) const;
    void ApplyColumnWidths(const LedgerLayout& layout);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowBookHeader();
    void FitDescriptionColumn();

    // The grid's "摘　要" column.
    static constexpr int kDescriptionColumn = 3;

    Application& app_;
    QLabel* bookHeader_ = nullptr;
    QLabel* bookTitle_ = nullptr;
    QLabel* searchRange_ = nullptr;
    QLabel* totalIncome_ = nullptr;
    QLabel* totalExpense_ = nullptr;
    QLabel* totalDifference_ = nullptr;
    QTabBar* monthTabs_ = nullptr;
    QTableView* grid_ = nullptr;
    LedgerModel* model_ = nullptr;
    QString shownHeader_;
    int descriptionWidth_ = 0;
    bool fitting_ = false;
};

}  // namespace velmora::gui
