#include "core/entry/description_completion.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "core/ledger/record.h"

namespace velmora {

std::vector<std::string> DescriptionCompletions(const Ledger& ledger, std::string_view title,
                                                const DescriptionCells& quick) {
    struct Use {
        int count = 0;
        int last = 0;  // the line of its last use
    };
    std::unordered_map<std::string_view, Use> uses;
    const LineList::Lines lines = ledger.transactions.Items();
    if (!title.empty())
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            if (!IsRecordLine(line) || LeadingRecordField(line, kFieldTitle) != title) continue;
            const std::string_view description = LeadingRecordField(line, kFieldDescription);
            if (description.empty()) continue;
            Use& use = uses[description];
            ++use.count;
            use.last = static_cast<int>(i);
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
