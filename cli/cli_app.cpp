#include "cli/cli_app.h"

#include <iostream>

namespace velmora::cli {

int RunCli(int argc, char** argv) {
    (void)argv;
    if (argc < 2) {
        std::cerr << "usage: velmora-cli COMMAND ...\n";
        return 2;
    }
    return 2;
}

}  // namespace velmora::cli
