#include "gui/app/qt_app_windows.h"

#include <QPrintDialog>
#include "core/settings/title_file.h"

#include "gui/dialogs/csv_options_dialog.h"
#include "gui/dialogs/money_count_dialog.h"
#include "gui/entry/entry_form_dialog.h"
#include "gui/ledger/book_dialogs.h"
#include "gui/settings/settings_dialog.h"
#include "gui/settings/title_master_dialog.h"
#include "qtprint/qt_print_device.h"

namespace velmora::gui {

void QtAppWindows::RunSettings(FiscalSettingsForm& form) {
    RunSettingsDialog(&owner_, app_.mutableSession(), form);
}

std::optional<int> QtAppWindows::ChoosePrinter() {
    if (printer_ == nullptr) return std::nullopt;
    QPrintDialog dialog(&printer_->QtPrinter(), &owner_);
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
    const Session& s = app_.session();
    TitleMasterDialog dialog(TitleFilePath(s.workingFolder(), s.ledger.useType),
                             TitleMasterMode::Pick, s.ledger.UseTypeName(), s.dialogs(), s.writer(),
                             &owner_);
    dialog.exec();
    return dialog.Picked();
}

void QtAppWindows::EditTitles() {
    const Session& s = app_.session();
    TitleMasterDialog dialog(TitleFilePath(s.workingFolder(), s.ledger.useType),
                             TitleMasterMode::Edit, s.ledger.UseTypeName(), s.dialogs(), s.writer(),
                             &owner_);
    dialog.exec();
}

void QtAppWindows::RunMoneyCount() {
    MoneyCountDialog dialog(app_, &owner_);
    dialog.exec();
}

void QtAppWindows::RunEntryForm() {
    EntryFormDialog dialog(app_, &owner_);
    dialog.exec();
}

void QtAppWindows::RunCsvOptions() {
    CsvOptionsWindow dialog(app_, &owner_);
    dialog.exec();
}

}  // namespace velmora::gui
