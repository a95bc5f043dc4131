#include "core/printstyle/image_file.h"

#include <algorithm>
#include <array>
#include <fstream>

#include "core/platform/file_io.h"

namespace velmora {
namespace {

constexpr std::size_t kLastJpegStartOffset = 256;

std::string_view ExtensionOf(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t separator = path.find_last_of("/\\:");
    if (dot == std::string_view::npos) return {};
    if (separator != std::string_view::npos && separator > dot) return {};
    return path.substr(dot);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

}  // namespace

ImageKind ImageKindOf(std::string_view path) {
    const std::string_view extension = ExtensionOf(path);
    if (extension == ".jpg" || extension == ".jpeg" || extension == ".JPG" || extension == ".JPEG")
        return ImageKind::kJpeg;
    if (EqualsIgnoringAsciiCase(extension, ".bmp")) return ImageKind::kBitmap;
    return ImageKind::kOther;
}

std::int64_t FindJpegStartInBytes(std::string_view bytes) {
    for (std::size_t offset = 0; offset <= kLastJpegStartOffset && offset + 1 < bytes.size();
         ++offset) {
        if (static_cast<unsigned char>(bytes[offset]) == 0xFF &&
            static_cast<unsigned char>(bytes[offset + 1]) == 0xD8)
            return static_cast<std::int64_t>(offset);
    }
    return -1;
}

std::int64_t FindJpegStart(const std::string& path) {
    if (!FileExists(path)) return -1;
    std::ifstream in(path, std::ios::binary);
    std::array<char, kLastJpegStartOffset + 2> head{};
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    return FindJpegStartInBytes(
        std::string_view(head.data(), static_cast<std::size_t>(in.gcount())));
}

}  // namespace velmora
