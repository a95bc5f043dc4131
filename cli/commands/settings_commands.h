#pragma once
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace velmora::cli {

inline constexpr const char* kConfigureUsage =
    "FILE [--start-month M] [--start-year Y] [--opening N] [--month-end | --from-start] "
    "[--period M=YYYY/MM/DD-YYYY/MM/DD]... [--lock M]... [--unlock M]... [--use-type 1|2] [--no] "
    "[--force]";

// configure: the settings dialog on FILE, its fields changed as the options say, applied,
// and the ledger saved.
int RunConfigure(CliContext& ctx, const std::vector<std::string>& words);

// periods FILE: the twelve periods in fiscal order, "M月度", start, end and "Lock" when
// locked, TAB separated.
int RunPeriods(CliContext& ctx, const std::vector<std::string>& words);

}  // namespace velmora::cli
