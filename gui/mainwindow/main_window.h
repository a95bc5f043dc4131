#pragma once
// The main window: ribbon, menu bar, left pane, the four main pages and the status bar,
// all built from the command tables and bound to the application object. It lays out,
// forwards commands and redraws when the application object says so.
#include <QMainWindow>
#include <map>
#include <string>
#include <string_view>

#include "core/app/application.h"
#include "core/app/command_table.h"

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QTableView;

namespace velmora::gui {

class ElidedLabel;
class GraphPage;
class LedgerPage;
class LeftPane;
class MainPageStack;
class PreviewPage;
class SummaryPage;

class MainWindow : public QMainWindow, private AppListener, private CommandWindow {
    Q_OBJECT
public:
    explicit MainWindow(Application& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The action of a command of the command table ("fileopen", "back_3", ...).
    QAction* action(std::string_view command) const;
    QMenu* menu(std::string_view caption) const;
    QTabWidget* ribbon() const { return ribbon_; }
    QLabel* statusPanel(int index) const { return statusPanels_[index]; }
    QLabel* journalWarning() const { return journalWarning_; }
    QTableView* ledgerGrid() const;
    QWidget* leftPane() const;
    QStackedWidget* mainPages() const;
    QSplitter* splitter() const { return splitter_; }
    SummaryPage* summaryPage() const { return summaryPage_; }
    GraphPage* graphPage() const { return graphPage_; }
    PreviewPage* previewPage() const { return previewPage_; }

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
    void BuildStatusBar();
    void ApplyLedgerLayout(const LedgerLayout& layout);
    bool IsWindowKey(const QKeyEvent& key) const;

    // CommandWindow
    std::optional<int> SelectedRecord() const override;
    LedgerLayout ShownLedgerLayout() const override;
    void SelectGridRow(int row) override;
    void ToggleDateSearch() override;
    void ShowRibbonPage(RibbonPage page) override;
    void CloseWindow() override;
    std::optional<int> SelectedGridRow() const override;
    void KeyboardBackToLedger(std::optional<int> gridRow) override;

    // AppListener
    void LedgerReplaced() override;
    void ViewChanged() override;
    void TitlesChanged() override;
    void StateChanged() override;
    void BackupsChanged() override;
    void SummaryChanged() override;
    void PreviewChanged() override;

    Application& app_;
    std::map<std::string, QAction*, std::less<>> actions_;
    std::map<std::string, QMenu*, std::less<>> menus_;
    QTabWidget* ribbon_ = nullptr;
    QCheckBox* allBooksBox_ = nullptr;
    QCheckBox* dateSearchBox_ = nullptr;
    QSplitter* splitter_ = nullptr;
    LeftPane* leftPane_ = nullptr;
    MainPageStack* mainPages_ = nullptr;
    LedgerPage* ledgerPage_ = nullptr;
    SummaryPage* summaryPage_ = nullptr;
    GraphPage* graphPage_ = nullptr;
    PreviewPage* previewPage_ = nullptr;
    QLabel* statusPanels_[8] = {};
    ElidedLabel* pdfNotice_ = nullptr;  // where the last PDF went, or that it was not saved
    QPushButton* pdfFolder_ = nullptr;  // "フォルダーを開く"
    QLabel* journalWarning_ = nullptr;  // while unsaved work cannot be journalled
    bool closing_ = false;
};

}  // namespace velmora::gui
