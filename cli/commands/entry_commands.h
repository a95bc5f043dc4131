#pragma once
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace velmora::cli {

inline constexpr const char* kAddUsage =
    "FILE --date YYYY/MM/DD [--book B] (--title T | --petty NAME | --bank NAME) [--desc TEXT] "
    "[--income N | --expense N] [--blank] [--force]";
inline constexpr const char* kMoveDownUsage = "FILE --month M --row R [--book B] [--force]";

// add FILE ...: one new record through the entry form's "登　録", then the save command.
int RunAdd(CliContext& ctx, const std::vector<std::string>& words);

// move-down FILE ...: "一行下へ移動する" on grid row R of month M, then the save command.
int RunMoveDown(CliContext& ctx, const std::vector<std::string>& words);

}  // namespace velmora::cli
