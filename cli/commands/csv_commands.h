#pragma once
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace velmora::cli {

inline constexpr const char* kCsvUsage =
    "FILE OUT [--book B | --all-books] [--title T] [--no-header] [--codes] [--columns LIST]";

// csv: the CSV export of one book (or of all books) to OUT, with the working folder's code table
// opened, completed and saved as the option dialog does.
int RunCsv(CliContext& ctx, const std::vector<std::string>& words);

}  // namespace velmora::cli
