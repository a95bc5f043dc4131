#pragma once
// What the entry form's description field offers while it is typed: the descriptions the
// ledger already holds under the chosen title, most used first, then the title's quick
// descriptions that are not among them.
#include <string>
#include <string_view>
#include <vector>

#include "core/entry/description_lists.h"
#include "core/ledger/ledger.h"

namespace velmora {

// Each text once, empty ones left out. Among equally used descriptions the one used last
// in the year comes first.
std::vector<std::string> DescriptionCompletions(const Ledger& ledger, std::string_view title,
                                                const DescriptionCells& quick);

// The completions that begin with typed, in their order; all of them for nothing typed.
std::vector<std::string> CompletionsStartingWith(const std::vector<std::string>& completions,
                                                 std::string_view typed);

}  // namespace velmora
