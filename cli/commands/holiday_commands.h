#pragma once
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace velmora::cli {

// holidays YEAR: the national holidays of YEAR, "yyyy/mm/dd", TAB, the name, by date.
int RunHolidays(CliContext& ctx, const std::vector<std::string>& words);

}  // namespace velmora::cli
