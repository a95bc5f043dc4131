#include "gui/app/qt_app_windows.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>

#include "core/settings/title_file.h"

#include "gui/dialogs/csv_options_dialog.h"
#include "gui/dialogs/money_count_dialog.h"
#include "gui/entry/entry_form_dialog.h"
#include "gui/help/help_window.h"
#include "gui/import/statement_import_dialog.h"
#include "gui/ledger/book_dialogs.h"
#include "gui/settings/settings_dialog.h"
#include "gui/settings/title_master_dialog.h"
#include "qtprint/qt_print_device.h"

namespace velmora::gui {

void QtAppWindows::RunSettings(Session& session, FiscalSettingsForm& form) {
    RunSettingsDialog(&owner_, session, form);
}

std::optional<int> QtAppWindows::ChoosePrinter() {
    if (printer_ == nullptr) return std::nullopt;
    QPrintDialog dialog(&printer_->QtPrinter(), &owner_);
    dialog.setObjectName("printerSetup");
    // The dialog only chooses the printer and its set-up: its button does not print.
    if (auto* box = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText("OK");
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    printer_->AdoptDialogChoice();
    return printer_->CurrentIndex();
}

std::optional<int> QtAppWindows::ChooseBook(const std::string& kind,
                                            const std::vector<std::string>&) {
    BookListDialog dialog(app_, kind, &owner_);
    dialog.exec();
    return dialog.Chosen();
}

std::optional<std::string> QtAppWindows::ChooseTitle() {
    TitleMasterDialog dialog(app_, TitleMasterMode::Pick, &owner_);
    dialog.exec();
    return dialog.Picked();
}

void QtAppWindows::EditTitles() {
    TitleMasterDialog dialog(app_, TitleMasterMode::Edit, &owner_);
    dialog.exec();
}

bool QtAppWindows::ShowManual(const std::string& path) {
    if (help_ == nullptr) help_ = new HelpWindow(&owner_);
    help_->ShowManual(QString::fromStdString(path));
    return true;
}

void QtAppWindows::RunMoneyCount() {
    MoneyCountDialog dialog(app_, &owner_);
    dialog.exec();
}

void QtAppWindows::RunEntryForm() {
    EntryFormDialog dialog(app_, &owner_);
    dialog.exec();
}

void QtAppWindows::RunCsvOptions(Session& session) {
    CsvOptionsWindow dialog(app_, session, &owner_);
    dialog.exec();
}

void QtAppWindows::RunStatementImport() {
    StatementImportDialog dialog(app_, &owner_);
    dialog.exec();
}

}  // namespace velmora::gui
