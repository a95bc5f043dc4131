#pragma once
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace velmora::cli {

// resave FILE [OUT]: load, then save to OUT or run the save command (the current file).
int RunResave(CliContext& ctx, const std::vector<std::string>& words);
// rollover FILE NEWFILE: load, then make next year's ledger saved as NEWFILE.
int RunRollover(CliContext& ctx, const std::vector<std::string>& words);

}  // namespace velmora::cli
