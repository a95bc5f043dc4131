#pragma once
// Key lines: small settings files of lines "[Key]=value". Readers split at the first "="
// and ignore keys they do not read; writers rewrite the line of a key in place.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class FileWriter;

struct KeyLine {
    std::string key;    // the text before the first "="; the whole line has none
    std::string value;  // the text after it; the whole line when there is no "="
};

KeyLine SplitKeyLine(std::string_view line);

// A file path as the value of key. Key lines are CP932, which cannot hold every character a
// path on Linux may have (nor bytes that are not UTF-8): such a path is written as key + "="
// + the path with "？" for what CP932 lacks (for people and other programs to read),
// followed by HexKeyOf(key) + "=" + the path's bytes in hexadecimal, which readers that
// know it take instead, exactly. Other programs ignore that key, as they ignore every key
// they do not read.
std::vector<std::string> PathKeyLines(std::string_view key, std::string_view path);
// "[FILE_DIR]" → "[FILE_DIR_HEX]".
std::string HexKeyOf(std::string_view key);
// The bytes a hexadecimal value names; nothing when it is not two hexadecimal digits a byte.
std::optional<std::string> BytesOfHex(std::string_view hex);

// In an existing text file, every line whose text before its first "=" equals key
// becomes key + "=" + value, and the file is written back. Nothing happens when the
// file is missing; nothing is added when no line matches. A file that cannot be read
// whole (ReadStartFile, which has told so where it was read) is left as it is.
// Throws FileError / EncodingError when the file exists but cannot be rewritten.
void SetKeyLine(const std::string& key, const std::string& value, const std::string& path);
void SetKeyLine(const std::string& key, const std::string& value, const std::string& path,
                FileWriter& writer);
// SetKeyLine for a path value (PathKeyLines): every line of key, and of its hexadecimal
// companion, is replaced by the lines PathKeyLines gives.
void SetPathKeyLine(const std::string& key, const std::string& value, const std::string& path,
                    FileWriter& writer);

}  // namespace velmora
