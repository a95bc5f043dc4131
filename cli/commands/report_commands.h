#pragma once
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace velmora::cli {

// summary FILE [--book B] [--drill TITLE]: the monthly summary grid from the header row to
// the row marked "=", one line per row, columns 0..14 separated by TAB.
int RunSummary(CliContext& ctx, const std::vector<std::string>& words);

// graph FILE [--book B] [--drill TITLE]: the income/expense graph of the same summary,
// one line per fiscal month and a last "scale" line.
int RunGraph(CliContext& ctx, const std::vector<std::string>& words);

// The summary page as --book (default: all books) and --drill choose it: the book
// selector, then the title's descriptions. False, after saying why, when the book does
// not exist.
bool ChooseSummaryOptions(CliContext& ctx, const Args& args);

}  // namespace velmora::cli
