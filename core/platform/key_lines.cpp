#include "core/platform/key_lines.h"

#include "core/platform/file_io.h"
#include "core/platform/start_files.h"
#include "core/util/codepage.h"

namespace velmora {

KeyLine SplitKeyLine(std::string_view line) {
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {"", std::string(line)};
    return {std::string(line.substr(0, eq)), std::string(line.substr(eq + 1))};
}

std::string HexKeyOf(std::string_view key) {
    std::string hex(key);
    if (!hex.empty() && hex.back() == ']') {
        hex.insert(hex.size() - 1, "_HEX");
        return hex;
    }
    return hex + "_HEX";
}

std::vector<std::string> PathKeyLines(std::string_view key, std::string_view path) {
    const std::string shown = WithCp932StandIns(path);
    std::vector<std::string> lines{std::string(key) + "=" + shown};
    if (shown == path) return lines;
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex = HexKeyOf(key) + "=";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
    }
    lines.push_back(std::move(hex));
    return lines;
}

std::optional<std::string> BytesOfHex(std::string_view hex) {
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = digit(hex[i]);
        const int low = digit(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high << 4 | low);
    }
    return bytes;
}

void SetKeyLine(const std::string& key, const std::string& value, const std::string& path) {
    SetKeyLine(key, value, path, DefaultFileWriter());
}

void SetKeyLine(const std::string& key, const std::string& value, const std::string& path,
                FileWriter& writer) {
    if (!FileExists(path)) return;
    StartFileLines read = ReadStartFile(path);
    if (!read.problem.empty()) return;
    std::vector<std::string>& lines = read.lines;
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

void SetPathKeyLine(const std::string& key, const std::string& value, const std::string& path,
                    FileWriter& writer) {
    if (!FileExists(path)) return;
    StartFileLines read = ReadStartFile(path);
    if (!read.problem.empty()) return;
    const std::string hexKey = HexKeyOf(key);
    std::vector<std::string> lines;
    bool changed = false;
    for (std::string& line : read.lines) {
        const std::string lineKey = SplitKeyLine(line).key;
        if (lineKey == hexKey) continue;  // written again after its key's line
        if (lineKey != key) {
            lines.push_back(std::move(line));
            continue;
        }
        for (std::string& keyLine : PathKeyLines(key, value)) lines.push_back(std::move(keyLine));
        changed = true;
    }
    if (changed) WriteTextLines(path, lines, writer);
}

}  // namespace velmora
