#include "gui/app/qt_app_windows.h"

#include "gui/settings/settings_dialog.h"

namespace velmora::gui {

void QtAppWindows::RunSettings(FiscalSettingsForm& form) {
    RunSettingsDialog(&owner_, app_.mutableSession(), form);
}

}  // namespace velmora::gui
