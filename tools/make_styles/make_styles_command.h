#pragma once
// The command line of make_styles: `make_styles FOLDER` writes every shipped print style
// into FOLDER (made when missing) and lists the files with their line counts.
#include <ostream>
#include <string>
#include <vector>

namespace velmora {

// args without the program name. Returns the exit status: 0 done, 1 a file could not be
// written, 2 wrong arguments.
int RunMakeStyles(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace velmora
