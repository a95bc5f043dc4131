#include "core/settings/title_lists.h"

#include "core/settings/title_file.h"
#include "core/util/fields.h"

namespace velmora {

std::vector<std::string> ReadTitleList(const std::string& workingFolder, int useType,
                                       std::string* problem) {
    return ReadTitleFile(TitleFilePath(workingFolder, useType), problem);
}

std::vector<std::string> ReloadTitleList(const std::string& workingFolder, int useType,
                                         Dialogs& dialogs) {
    std::string problem;
    std::vector<std::string> titles = ReadTitleList(workingFolder, useType, &problem);
    if (!problem.empty()) dialogs.ShowInfo("確認", problem);
    return titles;
}

bool IsListedTitle(const std::string& item) {
    return !WideTrim(item).empty();
}

}  // namespace velmora
