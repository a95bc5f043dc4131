#pragma once
// The entry form "出納帳入力": the form's calendar and date, the title list and the two
// transfer lists on their tabs, the title, the description with its completion, the two
// amounts, the quick-description grid, "連続入力", "登　録", "削  除" and "閉じる", and four
// status panels for the own and the other book. The form's state is the application
// object's entry form; this window shows it and forwards every click and key to it.
#include <QDialog>

#include "core/app/application.h"

class QCheckBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;
class QStringListModel;
class QTabWidget;
class QTableWidget;

namespace velmora::gui {

class MonthCalendar;
class NumericEdit;

class EntryFormDialog : public QDialog {
    Q_OBJECT
public:
    explicit EntryFormDialog(Application& app, QWidget* parent = nullptr);

    QLineEdit* descriptionBox() const { return description_; }
    NumericEdit* incomeBox() const { return income_; }
    NumericEdit* expenseBox() const { return expense_; }
    QListWidget* list(EntryTab tab) const;
    QTabWidget* tabs() const { return tabs_; }
    QTableWidget* descriptionGrid() const { return grid_; }
    QCompleter* completer() const { return completer_; }
    MonthCalendar* calendar() const { return calendar_; }
    QPushButton* registerButton() const { return register_; }
    QPushButton* deleteButton() const { return delete_; }

    // "登　録" (and Enter in an amount field).
    void Register();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void BuildLayout();
    void Connect();
    // The form's state onto the controls.
    void ShowForm();
    void ShowLists();
    void ShowCells();
    // What was typed, onto the form.
    void PullTyped();
    void RefreshCompletions();

    Application& app_;
    bool showing_ = false;
    MonthCalendar* calendar_ = nullptr;
    QLabel* dateLabel_ = nullptr;  // `label6`
    QLineEdit* year_ = nullptr;
    QLineEdit* month_ = nullptr;
    QLineEdit* day_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QListWidget* lists_[3] = {};
    QLabel* titleLabel_ = nullptr;
    QLineEdit* title_ = nullptr;
    QLineEdit* description_ = nullptr;
    QCompleter* completer_ = nullptr;
    QStringListModel* completions_ = nullptr;
    NumericEdit* income_ = nullptr;
    NumericEdit* expense_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QCheckBox* continuous_ = nullptr;
    QPushButton* register_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* close_ = nullptr;
    QStatusBar* status_ = nullptr;
    QLabel* panels_[4] = {};
};

}  // namespace velmora::gui
