#pragma once
// What one command did to a list of lines, kept so that it can be taken back: each change
// names the line it touched and carries the one text needed to reverse it. A list records
// into a log only while one is attached (see LineList::RecordChangesInto).
#include <cstdint>
#include <iterator>
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

// From `from`, the end of the changes of from's kind whose indexes, in the order they are
// taken, rise (rising) or fall: inserts at rising indexes are one LineList::InsertMany,
// deletes at falling ones one DeleteMany.
template <typename It>
It IndexRun(It from, It end, bool rising) {
    It next = from;
    for (++next; next != end && next->kind == from->kind; ++next) {
        const auto previous = std::prev(next)->index;
        if (rising ? next->index <= previous : next->index >= previous) break;
    }
    return next;
}

}  // namespace velmora
