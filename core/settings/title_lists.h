#pragma once
// The title lists beside the ledger and on the entry form: the title file's lines in
// order, empty lines included, so that item n - 1 is slot n and picks description list n.
#include <string>
#include <vector>

#include "core/platform/dialogs.h"

namespace velmora {

// The lines of the use type's title file in the working folder; none when it does not
// exist. Throws FileError or EncodingError.
std::vector<std::string> ReadTitleList(const std::string& workingFolder, int useType);

// The reload after the master dialog closes or the use type changes: a file that cannot
// be read is reported and gives an empty list.
std::vector<std::string> ReloadTitleList(const std::string& workingFolder, int useType,
                                         Dialogs& dialogs);

inline int SlotOfTitleItem(int item) {
    return item + 1;
}
inline int TitleItemOfSlot(int slot) {
    return slot - 1;
}

}  // namespace velmora
