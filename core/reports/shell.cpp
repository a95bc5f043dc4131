#include "core/reports/shell.h"

#include "core/util/paths.h"

namespace velmora {

void OpenOnlineManual(Shell& shell) {
    shell.OpenUrl(kOnlineManualUrl);
}

void OpenOfflineManual(Shell& shell, const std::string& programFolder) {
    shell.OpenPath(JoinPath(programFolder, kOfflineManualPath));
}

void OpenWorkingFolder(Shell& shell, const std::string& workingFolder) {
    shell.OpenPath(workingFolder);
}

}  // namespace velmora
