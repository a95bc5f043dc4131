#pragma once
// The desktop program's command line: velmora [--today YYYY/MM/DD] [--screenshot OUT.png
// [--page PAGE]] [FILE], and --help and --version.
#include <optional>
#include <string>
#include <vector>

#include "core/util/date.h"

namespace velmora {

struct ProgramOptions {
    std::optional<std::string> file;
    std::optional<Date> today;
    std::optional<std::string> screenshot;
    // The page the screenshot shows: "ledger" (the start page), "summary", "graph" or
    // "preview" (the cash book's print preview).
    std::string page = "ledger";
    bool help = false;
    bool version = false;
};

inline constexpr const char* kProgramUsage =
    "使い方: velmora [オプション] [FILE]\n"
    "  FILE                    起動時に開く帳簿ファイル (.exv / .clv)\n"
    "  --today YYYY/MM/DD      今日の日付をこの日にする\n"
    "  --screenshot OUT.png    起動後のメインウィンドウを OUT.png に保存して終了する\n"
    "  --page PAGE             保存する画面: ledger, summary, graph, preview\n"
    "  --help                  この説明を表示する\n"
    "  --version               バージョンを表示する\n";

struct ProgramOptionsResult {
    ProgramOptions options;
    std::string error;  // empty when the arguments were understood
};

// Arguments after the program name. Options of the toolkit (those Qt takes, such as
// -platform) are expected to be gone already.
ProgramOptionsResult ParseProgramOptions(const std::vector<std::string>& args);

}  // namespace velmora
