#pragma once
// The title lists beside the ledger and on the entry form: the title file's lines in
// order, empty lines included, so that item n - 1 is slot n and picks description list n.
#include <string>
#include <vector>

#include "core/platform/dialogs.h"

namespace velmora {

// The lines of the use type's title file in the working folder; none when it does not
// exist. What could not be read is told in *problem (ReadTitleFile).
std::vector<std::string> ReadTitleList(const std::string& workingFolder, int useType,
                                       std::string* problem = nullptr);

// The reload after the master dialog closes or the use type changes: what could not be
// read is reported.
std::vector<std::string> ReloadTitleList(const std::string& workingFolder, int useType,
                                         Dialogs& dialogs);

// Whether a title list shows the item: an empty slot keeps its item, so that item n - 1
// stays slot n, but is not listed, since no record can be found or made under it.
bool IsListedTitle(const std::string& item);

inline int SlotOfTitleItem(int item) {
    return item + 1;
}
inline int TitleItemOfSlot(int slot) {
    return slot - 1;
}

}  // namespace velmora
