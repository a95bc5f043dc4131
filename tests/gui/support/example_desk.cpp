#include "gui/support/example_desk.h"

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <filesystem>

namespace velmora::testing {

ExampleDesk::ExampleDesk(const std::string& name, const std::string& fixture, Date today) {
    file = folder.Path() + "/" + name;
    work = folder.Path() + "/work";
    std::filesystem::copy_file(FixturePath(fixture), file);
    ProgramOptions options;
    options.today = today;
    options.file = file;
    program = std::make_unique<gui::DesktopProgram>(
        gui::DesktopFolders{work, qEnvironmentVariable("VELMORA_DATA_DIR").toStdString()}, options,
        dialogs);
}

bool SaveScreenshotIfAsked(QWidget& window, const char* name) {
    const QString folder = qEnvironmentVariable("VELMORA_SCREENSHOT_DIR");
    return folder.isEmpty() || window.grab().save(folder + "/" + name, "PNG");
}

}  // namespace velmora::testing
