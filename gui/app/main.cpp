// velmora: the desktop program.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <iostream>

#include "core/app/program_options.h"
#include "core/platform/instance_lock.h"
#include "core/platform/stream_dialogs.h"
#include "core/session/startup.h"
#include "core/util/paths.h"
#include "gui/app/desktop_program.h"
#include "gui/app/toolkit_options.h"
#include "gui/app/ui_setup.h"
#include "velmora/version.h"

int main(int argc, char** argv) {
    using namespace velmora;
    const ProgramOptionsResult parsed = ParseProgramOptions(gui::ProgramArguments(argc, argv));
    if (!parsed.error.empty()) {
        std::cerr << "velmora: " << parsed.error << "\n" << kProgramUsage;
        return 2;
    }
    const ProgramOptions& options = parsed.options;
    if (options.help) {
        std::cout << kProgramUsage;
        return 0;
    }
    if (options.version) {
        std::cout << "velmora " << kProgramVersion << "\n";
        return 0;
    }
    // A screenshot is taken without a display, whatever the environment names.
    if (options.screenshot) qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication qapp(argc, argv);
    gui::SetUpJapaneseUi(qapp);

    const EnvironmentLookup env = ProcessEnvironment();
    gui::DesktopFolders folders{WorkingFolder(env), ProgramDataFolder(env, ExecutablePath())};

    const InstanceLock instance(folders.working);
    if (instance.state() != InstanceLock::State::Held) {
        const std::string message = instance.state() == InstanceLock::State::Busy
                                        ? std::string(kAlreadyRunningMessage)
                                        : instance.problem();
        if (options.screenshot)
            std::cerr << "velmora: " << message << "\n";
        else
            QMessageBox::information(nullptr, QString::fromUtf8(kAppTitle),
                                     QString::fromStdString(message));
        return 1;
    }

    if (options.screenshot) {
        // No one can answer a box here: messages go to standard error and questions take
        // the answer that changes nothing.
        StreamDialogs dialogs(std::cerr);
        gui::DesktopProgram program(folders, options, dialogs);
        if (!program.Start()) return 1;
        program.ShowPage(options.page);
        return program.SaveScreenshot(QString::fromStdString(*options.screenshot)) ? 0 : 1;
    }
    gui::DesktopProgram program(folders, options);
    if (!program.Start()) return 1;
    return qapp.exec();
}
