#pragma once
// "CSVファイルから取込": the statement file and its code page, the columns, header rows,
// book and titles, and the rows as read with what becomes of each. "取込" imports through
// the application object; the dialog then shows which rows went in and why the others did
// not. Closing keeps the title rules.
#include <QDialog>

#include "core/app/application.h"
#include "core/import/statement_import_form.h"
#include "core/import/statement_preview.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableView;
class QTableWidget;

namespace velmora::gui {

class StatementPreviewModel;

class StatementImportDialog : public QDialog {
    Q_OBJECT
public:
    explicit StatementImportDialog(Application& app, QWidget* parent = nullptr);

    const StatementImportForm& form() const { return form_; }
    const StatementPreview& preview() const { return preview_; }
    QTableView* grid() const { return grid_; }
    QPushButton* importButton() const { return import_; }
    QLabel* summary() const { return summary_; }

    void done(int result) override;

private:
    QWidget* BuildFileRow();
    QWidget* BuildColumns();
    QWidget* BuildBookAndTitles();
    // The widgets from the form's choices, and back.
    void ShowChoices();
    void ReadChoices();
    // The grid and the summary for the choices as they stand.
    void Refresh();
    void ShowRules();
    void Import();
    QComboBox* ColumnBox(const char* name, bool none);

    Application& app_;
    StatementImportForm form_;
    StatementPreview preview_;
    StatementPreviewModel* model_ = nullptr;
    bool showing_ = false;
    bool imported_ = false;

    QLineEdit* file_ = nullptr;
    QComboBox* encoding_ = nullptr;
    QLabel* found_ = nullptr;
    QSpinBox* skip_ = nullptr;
    QComboBox* date_ = nullptr;
    QComboBox* description_ = nullptr;
    QButtonGroup* amountLayout_ = nullptr;
    QComboBox* deposit_ = nullptr;
    QComboBox* withdrawal_ = nullptr;
    QComboBox* amount_ = nullptr;
    QComboBox* balance_ = nullptr;
    QComboBox* titleColumn_ = nullptr;
    QComboBox* book_ = nullptr;
    QButtonGroup* titleChoice_ = nullptr;
    QComboBox* title_ = nullptr;
    QTableWidget* rules_ = nullptr;
    QLineEdit* ruleText_ = nullptr;
    QLineEdit* ruleTitle_ = nullptr;
    QCheckBox* widen_ = nullptr;
    QTableView* grid_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* import_ = nullptr;
    QList<QWidget*> choices_;
};

}  // namespace velmora::gui
