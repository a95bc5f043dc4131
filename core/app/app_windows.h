#pragma once
// The modal windows a command opens besides the message boxes: the book list, the entry
// form, the account titles, the settings, the CSV options and the printer set-up. The
// desktop program shows them; without windows (velmora-cli, tests) each is cancelled.
#include <optional>
#include <string>
#include <vector>

#include "core/settings/fiscal_settings_form.h"

namespace velmora {

class Session;

class AppWindows {
public:
    virtual ~AppWindows() = default;
    // The book list of kind ("小口" or "預金"): the index of the chosen book in names.
    virtual std::optional<int> ChooseBook(const std::string& kind,
                                          const std::vector<std::string>& names) {
        (void)kind;
        (void)names;
        return std::nullopt;
    }
    // The entry form, modal; its buttons call back into the application object.
    virtual void RunEntryForm() {}
    // The account titles dialog in its search mode: the title picked for the filter.
    virtual std::optional<std::string> ChooseTitle() { return std::nullopt; }
    // The account titles dialog in its editing mode; its "更　新" runs
    // Application::UpdateTitles.
    virtual void EditTitles() {}
    // The settings dialog on form; its "適用(&A)" applies through the application object.
    virtual void RunSettings(Session& session, FiscalSettingsForm& form) {
        (void)session;
        (void)form;
    }
    // The CSV option dialog, which exports on its own button.
    virtual void RunCsvOptions(Session& session) { (void)session; }
    // "CSVファイルから取込…": the statement import dialog, which imports on its own button.
    virtual void RunStatementImport() {}
    // "金種計算": the cash counted against the cash book's balance.
    virtual void RunMoneyCount() {}
    // The printer set-up dialog: the printer chosen, or nullopt when cancelled.
    virtual std::optional<int> ChoosePrinter() { return std::nullopt; }
    // The manual (an HTML file) in the program's own help window; false without one.
    virtual bool ShowManual(const std::string& path) {
        (void)path;
        return false;
    }
};

}  // namespace velmora
