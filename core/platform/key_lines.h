#pragma once
// Key lines: small settings files of lines "[Key]=value". Readers split at the first "="
// and ignore keys they do not read; writers rewrite the line of a key in place.
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

// In an existing text file, every line whose text before its first "=" equals key
// becomes key + "=" + value, and the file is written back. Nothing happens when the
// file is missing; nothing is added when no line matches.
// Throws FileError / EncodingError when the file exists but cannot be rewritten.
void SetKeyLine(const std::string& key, const std::string& value, const std::string& path);
void SetKeyLine(const std::string& key, const std::string& value, const std::string& path,
                FileWriter& writer);

}  // namespace velmora
