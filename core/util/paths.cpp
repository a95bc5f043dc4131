#include "core/util/paths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace velmora {

EnvironmentLookup ProcessEnvironment() {
    return [](const std::string& name) -> std::optional<std::string> {
        const char* value = std::getenv(name.c_str());
        if (value == nullptr || *value == '\0') return std::nullopt;
        return std::string(value);
    };
}

std::string JoinPath(std::string_view folder, std::string_view tail) {
    std::string t(tail);
    for (char& c : t)
        if (c == '\\') c = '/';
    std::string_view rest(t);
    while (!rest.empty() && rest.front() == '/') rest.remove_prefix(1);
    std::string out(folder);
    while (out.size() > 1 && out.back() == '/') out.pop_back();
    if (rest.empty()) return out;
    if (out.empty() || out.back() != '/') out += '/';
    return out.append(rest);
}

std::string CommonAppDataPath(std::string_view tail, const EnvironmentLookup& env) {
    std::string base;
    // A relative XDG_DATA_HOME is invalid and ignored, as the base-directory rules say.
    if (auto xdg = env("XDG_DATA_HOME"); xdg && xdg->starts_with('/')) {
        base = *xdg;
    } else {
        base = JoinPath(env("HOME").value_or("/tmp"), ".local/share");
    }
    return JoinPath(base, tail);
}

std::string WorkingFolder(const EnvironmentLookup& env) {
    if (auto home = env("VELMORA_HOME")) return *home;
    return CommonAppDataPath("/tessary/velmora_xe5", env);
}

std::string ExecutablePath() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n <= 0 || static_cast<std::size_t>(n) == sizeof buffer) return {};
    return std::string(buffer, static_cast<std::size_t>(n));
}

std::string ProgramDataFolder(const EnvironmentLookup& env, const std::string& executablePath) {
    if (auto dir = env("VELMORA_DATA_DIR")) return *dir;
    if (executablePath.empty()) return {};
    const std::filesystem::path prefix =
        std::filesystem::path(executablePath).parent_path().parent_path();
    return (prefix / "share" / "velmora").string();
}

}  // namespace velmora
