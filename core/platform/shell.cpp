#include "core/platform/shell.h"

#include "core/util/paths.h"

namespace velmora {

void OpenOnlineManual(Shell& shell, const std::string& programFolder) {
    OpenOfflineManual(shell, programFolder);
}

void OpenOfflineManual(Shell& shell, const std::string& programFolder) {
    shell.OpenPath(JoinPath(programFolder, kOfflineManualPath));
}

void OpenWorkingFolder(Shell& shell, const std::string& workingFolder) {
    shell.OpenPath(workingFolder);
}

std::string NoCalculatorMessage() {
    std::string names;
    for (const char* program : kCalculatorPrograms) {
        if (!names.empty()) names += "、";
        names += program;
    }
    return "電卓のプログラムが見つかりません。\r\n探したプログラム: " + names;
}

bool StartCalculator(Shell& shell, Dialogs& dialogs) {
    for (const char* program : kCalculatorPrograms)
        if (shell.StartProgram(program)) return true;
    dialogs.ShowInfo("確認", NoCalculatorMessage());
    return false;
}

}  // namespace velmora
