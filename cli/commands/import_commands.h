#pragma once
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace velmora::cli {

inline constexpr const char* kImportUsage =
    "FILE CSV --book KIND:NAME --date N --desc N (--in N --out N | --amount N) [--balance N] "
    "[--title T] [--skip N] [--encoding auto|sjis|utf8]";

// import FILE CSV ...: the statement CSV into a book as "CSVファイルから取込…" imports it,
// then the save command.
int RunImport(CliContext& ctx, const std::vector<std::string>& words);

}  // namespace velmora::cli
