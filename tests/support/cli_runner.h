#pragma once
// Runs the real velmora-cli executable and captures what it prints.
#include <string>
#include <vector>

namespace velmora::testing {

struct CliResult {
    int status = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs velmora-cli with args, VELMORA_HOME set to workingFolder (when not empty), and the
// source tree's data/ as program folder.
CliResult RunCli(const std::vector<std::string>& args, const std::string& workingFolder);

// The lines of a text ("\n" separated; a final line break adds no empty line).
std::vector<std::string> Lines(const std::string& text);

}  // namespace velmora::testing
