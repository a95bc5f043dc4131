#pragma once
// The main window: ribbon, menu bar, left pane, the four main pages and the status bar,
// all built from the command tables and bound to the application object. It lays out,
// forwards commands and redraws when the application object says so.
#include <QMainWindow>
#include <map>
#include <string>
#include <string_view>

#include "core/app/application.h"

class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTabBar;
class QTabWidget;
class QTableView;
class QTableWidget;
class QCalendarWidget;

namespace velmora::gui {

class LedgerModel;

class MainWindow : public QMainWindow, private AppListener {
    Q_OBJECT
public:
    explicit MainWindow(Application& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The action of a command of the command table ("fileopen", "back_3", ...).
    QAction* action(std::string_view command) const;
    QMenu* menu(std::string_view caption) const;
    QTabWidget* ribbon() const { return ribbon_; }
    QLabel* statusPanel(int index) const { return statusPanels_[index]; }
    QTableView* ledgerGrid() const { return ledgerGrid_; }
    QWidget* leftPane() const { return leftPane_; }
    QStackedWidget* mainPages() const { return mainPages_; }
    QSplitter* splitter() const { return splitter_; }

    // Applies the placement the window opens with (moved onto a screen when needed).
    void ApplyPlacement(const Placement& placement);
    Placement CurrentPlacement() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildRibbon();
    void BuildCentre();
    QWidget* BuildLeftPane();
    QWidget* BuildLedgerPage();
    void BuildStatusBar();
    void Run(std::string_view command);
    std::optional<int> SelectedRecord() const;
    void SelectGridRow(int gridRow);
    LedgerLayout ShownLedgerLayout() const;
    void ApplyLedgerLayout(const LedgerLayout& layout);
    bool IsWindowKey(const QKeyEvent& key) const;

    // AppListener
    void LedgerReplaced() override;
    void ViewChanged() override;
    void TitlesChanged() override;
    void StateChanged() override;
    void BackupsChanged() override;
    void SummaryChanged() override;

    Application& app_;
    std::map<std::string, QAction*, std::less<>> actions_;
    std::map<std::string, QMenu*, std::less<>> menus_;
    QTabWidget* ribbon_ = nullptr;
    QCheckBox* allBooksBox_ = nullptr;
    QCheckBox* dateSearchBox_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* leftPane_ = nullptr;
    QTabWidget* leftPages_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
    QListWidget* holidayList_ = nullptr;
    QListWidget* titleList_ = nullptr;
    QTableWidget* bookBalances_ = nullptr;
    QStackedWidget* mainPages_ = nullptr;
    QLabel* searchRange_ = nullptr;
    QLabel* totalIncome_ = nullptr;
    QLabel* totalExpense_ = nullptr;
    QLabel* totalDifference_ = nullptr;
    QLabel* bookTitle_ = nullptr;
    QTabBar* monthTabs_ = nullptr;
    QTableView* ledgerGrid_ = nullptr;
    LedgerModel* ledgerModel_ = nullptr;
    QLabel* summaryPlaceholder_ = nullptr;
    QLabel* statusPanels_[8] = {};
    bool closing_ = false;
};

}  // namespace velmora::gui
