#pragma once
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace velmora::cli {

inline constexpr const char* kPagesUsage =
    "FILE --report KIND [--book B | --all-books] [--month M | --month ALL] [--title T] "
    "[--paper N] [--font N] [--column N] [--color N] [--kokuyo N] [--drill TITLE] "
    "[--style PATH] [--trace [--dpi D]] [--run odd|even|all] [--months M,M,...] [--even-first]";

// pages FILE --report KIND ...: the print job of a report kind on the ledger view or the
// monthly summary; for each page "=== page N" and the style lines as filled, or with
// --trace the drawing calls of each page, or with --run the sheets a print run prints.
int RunPages(CliContext& ctx, const std::vector<std::string>& words);

}  // namespace velmora::cli
