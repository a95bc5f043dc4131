#pragma once
// The commands of velmora-cli. Each command lives in cli/commands/ and is listed once in
// commands.cpp.
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace velmora::cli {

struct Command {
    const char* name;
    const char* usage;  // the arguments after the command's name
    int (*run)(CliContext& ctx, const std::vector<std::string>& words);
};

const std::vector<Command>& AllCommands();

}  // namespace velmora::cli
