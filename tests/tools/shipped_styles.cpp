#include "tools/shipped_styles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace velmora::testing {

std::string ShippedStyleFolder() {
    return std::string(VELMORA_DATA_DIR) + "/style";
}

std::vector<std::string> StyleFileNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".sle" || extension == ".slf") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> StyleFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end = line.find(';'); end != std::string_view::npos;
         end = line.find(';', start)) {
        fields.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

std::vector<PlaceholderUse> PlaceholdersIn(std::string_view text) {
    std::vector<PlaceholderUse> uses;
    const auto isNameChar = [](char c) {
        return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_';
    };
    const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t at = text.find('#'); at != std::string_view::npos;
         at = text.find('#', at + 1)) {
        std::size_t end = at + 1;
        while (end < text.size() && isNameChar(text[end])) ++end;
        std::size_t digitsEnd = end;
        while (digitsEnd < text.size() && isDigit(text[digitsEnd])) ++digitsEnd;
        uses.push_back({std::string(text.substr(at, end - at)),
                        std::string(text.substr(end, digitsEnd - end))});
    }
    return uses;
}

}  // namespace velmora::testing
