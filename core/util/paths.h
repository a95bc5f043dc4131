#pragma once
// The folders of the program on Linux.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Reads one environment variable; injected so that folder rules are testable.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;
EnvironmentLookup ProcessEnvironment();

// The all-users application-data folder of the program's design, here the user's data
// folder ($XDG_DATA_HOME, else ~/.local/share), followed by tail ("\" written as "/").
std::string CommonAppDataPath(std::string_view tail, const EnvironmentLookup& env);

// The working folder: $VELMORA_HOME when set, else CommonAppDataPath("/tessary/velmora_xe5").
std::string WorkingFolder(const EnvironmentLookup& env);

// The running program's own file (/proc/self/exe); empty when it cannot be read.
std::string ExecutablePath();

// The program folder (shipped data): $VELMORA_DATA_DIR when set, else share/velmora of the
// prefix the executable sits in (PREFIX/bin/velmora reads PREFIX/share/velmora), so that an
// install works wherever it was put. The build tree is laid out the same way.
std::string ProgramDataFolder(const EnvironmentLookup& env, const std::string& executablePath);

// Joins a folder and a tail written with either "\" or "/".
std::string JoinPath(std::string_view folder, std::string_view tail);

}  // namespace velmora
