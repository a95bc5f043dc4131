#pragma once
// Choosing an item of a list by typing, as list views do: the first characters of a title
// (typed, or committed by the input method) or its number (item n - 1 is number n, as the
// title file's slots count).
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The item typed chooses: from current on (current itself first while the typing goes on,
// the item after it for a fresh start), wrapping round, the first whose text begins with
// typed; for digits only, the item of that number. -1 when none matches (empty items never
// do).
int TypeAheadItem(const std::vector<std::string>& items, std::string_view typed, int current,
                  bool continued);

}  // namespace velmora
