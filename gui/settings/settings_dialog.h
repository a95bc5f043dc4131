#pragma once
// The settings dialog "環境設定": the fiscal period with its twelve periods and locks, the
// start month, year and opening balance, the use type and the options of the settings
// file. FiscalSettingsForm holds the values and does every button's work; the dialog copies
// its controls into the form before the work and back out after it.
#include <QDialog>
#include <array>
#include <functional>

#include "core/session/session.h"
#include "core/settings/fiscal_settings_apply.h"
#include "core/settings/fiscal_settings_form.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velmora::gui {

class DateField;

class NumericEdit;

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    // apply stores the form ("適用(&A)"); the dialog closes when it answers Applied.
    SettingsDialog(FiscalSettingsForm& form, Dialogs& dialogs,
                   std::function<ApplyOutcome(FiscalSettingsForm&)> apply,
                   QWidget* parent = nullptr);

private:
    struct PeriodRow {
        QLabel* label = nullptr;     // p k
        DateField* start = nullptr;  // s k
        QLabel* tilde = nullptr;
        DateField* end = nullptr;   // e k
        QCheckBox* lock = nullptr;  // l k
    };

    QWidget* buildFiscalSide();
    QWidget* buildOptionSide();
    QGroupBox* buildPeriodTable();
    QGroupBox* radioGroup(const char* name, const QString& title, const QStringList& items,
                          QButtonGroup*& group);

    // Widgets into the form; false when a typed text was refused (the form keeps its own).
    bool copyIn();
    // The form into the widgets, the rows arranged and the tab order set.
    void copyOut();
    void arrangeRows();
    // One button's work between copying in and copying out.
    void run(const std::function<void()>& work);
    void applyClicked();

    FiscalSettingsForm& form_;
    Dialogs& dialogs_;
    std::function<ApplyOutcome(FiscalSettingsForm&)> apply_;

    QButtonGroup* months_ = nullptr;  // startMonth1 .. startMonth12, id = month
    NumericEdit* startYear_ = nullptr;
    NumericEdit* openingBalance_ = nullptr;
    std::array<PeriodRow, 13> rows_{};  // index = calendar month; 0 unused
    QPushButton* monthEndButton_ = nullptr;
    QPushButton* fromStartButton_ = nullptr;
    QButtonGroup* useType_ = nullptr;  // opt1, id = index
    QCheckBox* negativeInRed_ = nullptr;
    QCheckBox* nationalHolidays_ = nullptr;
    QButtonGroup* fontType_ = nullptr;     // opt3 (hidden), id = type
    QButtonGroup* fontSize_ = nullptr;     // font_pt (hidden), id = points
    QButtonGroup* startOption_ = nullptr;  // start_opt_1, id = option
    QLineEdit* fileToLoad_ = nullptr;
    QPushButton* chooseFileButton_ = nullptr;
    QLineEdit* companyName_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

// The runDialog of the settings command: the dialog on the session's ledger, modal over
// parent, applying through ApplySettingsForm.
void RunSettingsDialog(QWidget* parent, Session& session, FiscalSettingsForm& form);

}  // namespace velmora::gui
