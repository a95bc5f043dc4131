#include "core/util/text_length.h"

#include <algorithm>

#include "core/util/codepage.h"

namespace velmora {

std::size_t Utf8CharLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

void SplitCharacters(std::string_view text, std::vector<std::string_view>& chars) {
    chars.clear();
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len =
            std::min(Utf8CharLength(static_cast<unsigned char>(text[i])), text.size() - i);
        chars.push_back(text.substr(i, len));
        i += len;
    }
}

std::size_t CodePointCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

std::size_t Utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = Utf8CharLength(static_cast<unsigned char>(text[i]));
        units += len == 4 ? 2 : 1;
        i += len;
    }
    return units;
}

std::size_t Cp932Length(std::string_view text) {
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len =
            std::min(Utf8CharLength(static_cast<unsigned char>(text[i])), text.size() - i);
        std::string_view ch = text.substr(i, len);
        if (len == 1) {
            bytes += 1;
        } else if (IsCp932Encodable(ch)) {
            bytes += Utf8ToCp932(ch).size();
        } else {
            bytes += 2;
        }
        i += len;
    }
    return bytes;
}

std::string CutToUtf16Units(std::string_view text, std::size_t maxUnits) {
    std::size_t units = 0, i = 0;
    while (i < text.size()) {
        std::size_t len = Utf8CharLength(static_cast<unsigned char>(text[i]));
        std::size_t u = len == 4 ? 2 : 1;
        if (units + u > maxUnits) break;
        units += u;
        i += len;
    }
    return std::string(text.substr(0, std::min(i, text.size())));
}

std::string CutToCp932Bytes(std::string_view text, std::size_t maxBytes) {
    std::size_t bytes = 0, i = 0;
    while (i < text.size()) {
        std::size_t len =
            std::min(Utf8CharLength(static_cast<unsigned char>(text[i])), text.size() - i);
        std::size_t b = Cp932Length(text.substr(i, len));
        if (bytes + b > maxBytes) break;
        bytes += b;
        i += len;
    }
    return std::string(text.substr(0, i));
}

std::string CutToCodePoints(std::string_view text, std::size_t maxChars) {
    std::size_t count = 0, i = 0;
    while (i < text.size() && count < maxChars) {
        i += Utf8CharLength(static_cast<unsigned char>(text[i]));
        ++count;
    }
    return std::string(text.substr(0, std::min(i, text.size())));
}

}  // namespace velmora
