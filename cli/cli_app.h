#pragma once

namespace velmora::cli {

// Runs velmora-cli: 0 done, 1 refused or failed, 2 wrong usage.
int RunCli(int argc, char** argv);

}  // namespace velmora::cli
