#pragma once
// The entry form "出納帳入力": the form's calendar and date, the title list and the two
// transfer lists on their tabs, the title, the description with its completion, the two
// amounts, the quick-description grid, "連続入力", "登　録", "削  除" and "閉じる", and four
// status panels for the own and the other book. The form's state is the application
// object's entry form; this window forwards every click and key to its commands and shows
// the form again when told it changed.
#include <QDialog>

#include "core/app/application.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTableWidget;

namespace velmora::gui {

class CompletionList;
class DateField;
class MonthCalendar;
class NumericEdit;
class TitleList;

class EntryFormDialog : public QDialog, private AppListener {
    Q_OBJECT
public:
    explicit EntryFormDialog(Application& app, QWidget* parent = nullptr);
    ~EntryFormDialog() override;
    EntryFormDialog(const EntryFormDialog&) = delete;
    EntryFormDialog& operator=(const EntryFormDialog&) = delete;

    QLineEdit* descriptionBox() const { return description_; }
    NumericEdit* incomeBox() const { return income_; }
    NumericEdit* expenseBox() const { return expense_; }
    QListWidget* list(EntryTab tab) const;
    DateField* dateBox() const { return date_; }
    QTabWidget* tabs() const { return tabs_; }
    QTableWidget* descriptionGrid() const { return grid_; }
    CompletionList* completions() const { return completions_; }
    MonthCalendar* calendar() const { return calendar_; }
    QPushButton* registerButton() const { return register_; }
    QPushButton* deleteButton() const { return delete_; }

    // "登　録" (and Enter in an amount field).
    void Register();

protected:
    // Enter has its own meaning in every field: no button of the form is pressed by it.
    // Esc asks before typed input is given up.
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // AppListener
    void EntryFormChanged() override { ShowForm(); }

    void BuildLayout();
    void Connect();
    // The form's state onto the controls.
    void ShowForm();
    void ShowLists();
    void ShowCells();
    // What was typed, onto the form.
    void PullTyped();
    // "閉じる", Esc and "キャンセル".
    void CloseAsked();
    // Where the focus starts: the list of the tab shown.
    void FocusList();

    Application& app_;
    bool showing_ = false;
    MonthCalendar* calendar_ = nullptr;
    QLabel* heading_ = nullptr;
    QLabel* dateLabel_ = nullptr;  // `label6`
    DateField* date_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    TitleList* lists_[3] = {};
    QLabel* titleLabel_ = nullptr;
    QLineEdit* title_ = nullptr;
    QLineEdit* description_ = nullptr;
    CompletionList* completions_ = nullptr;
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
