#include "core/entry/type_ahead.h"

#include <algorithm>
#include <cctype>

#include "core/entry/numeric_field.h"

namespace velmora {
namespace {

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

}  // namespace

int TypeAheadItem(const std::vector<std::string>& items, std::string_view typed, int current,
                  bool continued) {
    const int count = static_cast<int>(items.size());
    if (typed.empty() || count == 0) return -1;
    const std::string half = HalfWidthNumberText(typed);
    if (std::all_of(half.begin(), half.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
        half.size() <= 4) {
        const int item = std::stoi(half) - 1;
        return item >= 0 && item < count && !items[static_cast<std::size_t>(item)].empty() ? item
                                                                                           : -1;
    }
    const int start = current < 0 ? 0 : (continued ? current : current + 1);
    for (int step = 0; step < count; ++step) {
        const int i = (start + step) % count;
        const std::string& item = items[static_cast<std::size_t>(i)];
        if (!item.empty() && StartsWithFolded(item, typed)) return i;
    }
    return -1;
}

}  // namespace velmora
