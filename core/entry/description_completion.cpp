#include "core/entry/description_completion.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "core/ledger/ledger_index.h"

namespace velmora {

std::vector<std::string> DescriptionCompletions(const Ledger& ledger, std::string_view title,
                                                const DescriptionCells& quick) {
    struct Use {
        int count = 0;
        int last = 0;  // the line of its last use
    };
    // Read from the index's facts of each line (title and description as text ids), not
    // from the lines: a year of a million records is gone through within a frame.
    const LedgerIndex& index = ledger.Index();
    std::unordered_map<std::string_view, Use> uses;
    if (const auto titleId = title.empty() ? std::nullopt : index.FindText(title)) {
        std::unordered_map<std::uint32_t, Use> byId;
        index.Walk(0, [&byId, titleId](std::int32_t line, const LineFacts& facts) {
            if (facts.title == *titleId && facts.Has(LineFacts::kRecordLine)) {
                Use& use = byId[facts.description];
                ++use.count;
                use.last = line;
            }
            return true;
        });
        for (const auto& [id, use] : byId)
            if (const std::string_view description = index.Texts().Text(id); !description.empty())
                uses.emplace(description, use);
    }
    std::vector<std::pair<std::string_view, Use>> used(uses.begin(), uses.end());
    std::sort(used.begin(), used.end(), [](const auto& a, const auto& b) {
        return a.second.count != b.second.count ? a.second.count > b.second.count
                                                : a.second.last > b.second.last;
    });
    std::vector<std::string> completions;
    completions.reserve(used.size() + quick.size());
    std::unordered_set<std::string_view> offered;
    for (const auto& [text, use] : used) {
        completions.emplace_back(text);
        offered.insert(text);
    }
    for (const std::string& cell : quick)
        if (!cell.empty() && offered.insert(cell).second) completions.push_back(cell);
    return completions;
}

std::vector<std::string> CompletionsStartingWith(const std::vector<std::string>& completions,
                                                 std::string_view typed) {
    std::vector<std::string> matching;
    for (const std::string& c : completions)
        if (std::string_view(c).substr(0, typed.size()) == typed) matching.push_back(c);
    return matching;
}

}  // namespace velmora
