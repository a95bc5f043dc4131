#pragma once
// What one command did to a list of lines, kept so that it can be taken back: each change
// names the line it touched and carries the one text needed to reverse it. A list records
// into a log only while one is attached (see TLightStrings::RecordChangesInto).
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

struct LineChange {
    enum class Kind : std::uint8_t { Insert, Delete, Put, Exchange };
    Kind kind = Kind::Put;
    std::int32_t index = 0;
    std::int32_t other = 0;  // Exchange: the second line
    // Insert: the line inserted. Delete: the line removed. Put: the line as it was before.
    std::string text;
};

struct LineChangeLog {
    std::vector<LineChange> changes;
    // The list was replaced as a whole (cleared, loaded, assigned, sorted): the changes
    // recorded cannot take it back.
    bool replacedWhole = false;

    bool Empty() const { return changes.empty() && !replacedWhole; }
};

}  // namespace velmora
