#pragma once
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace velmora::cli {

// books FILE [--month M]: the book balance list, "kind|name", TAB, the balance "#,##0".
int RunBooks(CliContext& ctx, const std::vector<std::string>& words);

}  // namespace velmora::cli
