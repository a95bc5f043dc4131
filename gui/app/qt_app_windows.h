#pragma once
// The modal windows the application object opens, as Qt dialogs over the main window.
// Windows that later pages bring are cancelled until they exist.
#include "core/app/app_windows.h"
#include "core/app/application.h"

class QWidget;

namespace velmora::gui {

class HelpWindow;
class QtPrintDevice;

class QtAppWindows final : public AppWindows {
public:
    // printer: the device whose QPrinter the printer set-up dialog edits; none, no dialog.
    QtAppWindows(Application& app, QWidget& owner, QtPrintDevice* printer = nullptr)
        : app_(app), owner_(owner), printer_(printer) {}

    void RunSettings(Session& session, FiscalSettingsForm& form) override;
    std::optional<int> ChooseBook(const std::string& kind,
                                  const std::vector<std::string>& names) override;
    std::optional<std::string> ChooseTitle() override;
    void EditTitles() override;
    void RunMoneyCount() override;
    void RunEntryForm() override;
    void RunCsvOptions(Session& session) override;
    void RunStatementImport() override;
    std::optional<int> ChoosePrinter() override;
    bool ShowManual(const std::string& path) override;

private:
    Application& app_;
    QWidget& owner_;
    QtPrintDevice* printer_;
    HelpWindow* help_ = nullptr;  // made on first use, owned by the owner window
};

}  // namespace velmora::gui
