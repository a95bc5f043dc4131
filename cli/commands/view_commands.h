#pragma once
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace velmora::cli {

inline constexpr const char* kViewUsage =
    "FILE [--book B | --all-books] [--month M | --month ALL] [--title T] [--desc TEXT] "
    "[--income X] [--expense X] [--date YYYY/MM/DD]";

// view FILE ...: the ledger grid of one month, one line per row (marker and the six
// cells, TAB separated), then "totals" and "range".
int RunView(CliContext& ctx, const std::vector<std::string>& words);

}  // namespace velmora::cli
