#include "core/platform/key_lines.h"

#include "core/platform/file_io.h"

namespace velmora {

KeyLine SplitKeyLine(std::string_view line) {
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {"", std::string(line)};
    return {std::string(line.substr(0, eq)), std::string(line.substr(eq + 1))};
}

void SetKeyLine(const std::string& key, const std::string& value, const std::string& path) {
    SetKeyLine(key, value, path, DefaultFileWriter());
}

void SetKeyLine(const std::string& key, const std::string& value, const std::string& path,
                FileWriter& writer) {
    if (!FileExists(path)) return;
    std::vector<std::string> lines = ReadTextLines(path);
    bool changed = false;
    for (auto& line : lines) {
        std::size_t eq = line.find('=');
        if (eq != std::string::npos && line.compare(0, eq, key) == 0) {
            line = key + "=" + value;
            changed = true;
        }
    }
    if (changed) WriteTextLines(path, lines, writer);
}

}  // namespace velmora
