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

char32_t CodePointOf(std::string_view c) {
    constexpr char32_t kReplacement = 0xFFFD;
    if (c.empty()) return kReplacement;
    const auto byte = [&c](std::size_t i) { return static_cast<unsigned char>(c[i]); };
    const std::size_t len = Utf8CharLength(byte(0));
    if (len == 1) return byte(0) < 0x80 ? byte(0) : kReplacement;
    if (c.size() < len) return kReplacement;
    char32_t cp = byte(0) & (0x7F >> len);
    for (std::size_t i = 1; i < len; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return kReplacement;
        cp = cp << 6 | (byte(i) & 0x3F);
    }
    return cp;
}

void AppendCodePoint(std::string& out, char32_t cp) {
    auto put = [&out](char32_t b) { out += static_cast<char>(b); };
    if (cp < 0x80) {
        put(cp);
    } else if (cp < 0x800) {
        put(0xC0 | cp >> 6);
        put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        put(0xE0 | cp >> 12);
        put(0x80 | (cp >> 6 & 0x3F));
        put(0x80 | (cp & 0x3F));
    } else {
        put(0xF0 | cp >> 18);
        put(0x80 | (cp >> 12 & 0x3F));
        put(0x80 | (cp >> 6 & 0x3F));
        put(0x80 | (cp & 0x3F));
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
