#pragma once
// Every print style the program ships, by file name.
#include <string>
#include <vector>

namespace velmora {

struct StyleFile {
    std::string name;  // file name with its extension, UTF-8
    std::vector<std::string> lines;
};

// In a fixed order: plain-paper ledgers, KOKUYO forms, monthly summaries, single reports.
std::vector<StyleFile> AllStyleFiles();

// Writes each style as CP932 with CR LF into the existing folder, replacing files of the
// same name. Throws EncodingError (before writing that file) or FileError.
void WriteStyleFiles(const std::vector<StyleFile>& files, const std::string& folder);

}  // namespace velmora
