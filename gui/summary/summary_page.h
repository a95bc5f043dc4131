#pragma once
// The main page "月別一覧表": the book selector, the heading (caption and period), the
// summary grid with its pop-up menu and the page's status bar. It shows the summary the
// application object built and forwards the user's choices to it.
#include <QWidget>

#include "core/app/application.h"

class QAction;
class QComboBox;
class QLabel;
class QStatusBar;
class QTableView;

namespace velmora::gui {

class SummaryModel;

class SummaryPage : public QWidget {
    Q_OBJECT
public:
    explicit SummaryPage(Application& app, QWidget* parent = nullptr);

    QTableView* grid() const { return grid_; }
    QComboBox* bookSelector() const { return bookSelector_; }
    QAction* copyAction() const { return copy_; }

    // The summary was built again.
    void ShowSummary();
    void SaveColumnWidths(SummaryLayout& layout) const;
    void ApplyColumnWidths(const SummaryLayout& layout);
    // "表をコピー": the selected cells, or the whole table, to the clipboard.
    void CopyTable() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Application& app_;
    QComboBox* bookSelector_ = nullptr;
    QLabel* caption_ = nullptr;
    QLabel* range_ = nullptr;
    QTableView* grid_ = nullptr;
    SummaryModel* model_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusPanels_[2] = {};
    QAction* copy_ = nullptr;
    bool applyingWidths_ = false;
};

}  // namespace velmora::gui
