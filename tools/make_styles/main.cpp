#include <iostream>
#include <string>
#include <vector>

#include "tools/make_styles/make_styles_command.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return velmora::RunMakeStyles(args, std::cout, std::cerr);
}
