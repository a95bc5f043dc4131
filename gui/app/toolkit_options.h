#pragma once
// The program's own arguments: argv without the program name and without the options that
// Qt takes for itself (-platform offscreen, -style fusion, ...), so that those are neither
// refused as unknown nor taken for a file.
#include <string>
#include <vector>

namespace velmora::gui {

std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace velmora::gui
