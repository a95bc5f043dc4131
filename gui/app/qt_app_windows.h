#pragma once
// The modal windows the application object opens, as Qt dialogs over the main window.
// Windows that later pages bring are cancelled until they exist.
#include "core/app/app_windows.h"
#include "core/app/application.h"

class QWidget;

namespace velmora::gui {

class QtAppWindows final : public AppWindows {
public:
    QtAppWindows(Application& app, QWidget& owner) : app_(app), owner_(owner) {}

    void RunSettings(FiscalSettingsForm& form) override;

private:
    Application& app_;
    QWidget& owner_;
};

}  // namespace velmora::gui
