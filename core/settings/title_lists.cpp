#include "core/settings/title_lists.h"

#include "core/settings/title_file.h"
#include "core/util/fields.h"

namespace velmora {

std::vector<std::string> ReadTitleList(const std::string& workingFolder, int useType) {
    return ReadTitleFile(TitleFilePath(workingFolder, useType));
}

std::vector<std::string> ReloadTitleList(const std::string& workingFolder, int useType,
                                         Dialogs& dialogs) {
    try {
        return ReadTitleList(workingFolder, useType);
    } catch (const std::exception& error) {
        dialogs.ShowInfo("確認", error.what());
        return {};
    }
}

bool IsListedTitle(const std::string& item) {
    return !WideTrim(item).empty();
}

}  // namespace velmora
