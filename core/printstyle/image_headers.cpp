#include "core/printstyle/image_headers.h"

#include <cstdint>
#include <cstdlib>

#include "core/platform/file_io.h"
#include "core/printstyle/device_mapping.h"
#include "core/printstyle/image_file.h"
#include "core/util/errors.h"

namespace velmora {
namespace {

std::uint32_t LittleEndian(std::string_view bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i > 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i - 1]);
    return value;
}

std::uint32_t BigEndian16(std::string_view bytes, std::size_t at) {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << 8) |
           static_cast<unsigned char>(bytes[at + 1]);
}

std::optional<Size> PositiveSize(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0 || width > kPixelLimit || height > kPixelLimit)
        return std::nullopt;
    return Size{static_cast<int>(width), static_cast<int>(height)};
}

bool IsFrameHeader(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool IsStandalone(unsigned char marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);
}

}  // namespace

std::optional<Size> BmpSize(std::string_view bytes) {
    constexpr std::size_t kFileHeader = 14;
    if (bytes.size() < kFileHeader + 12 || bytes.substr(0, 2) != "BM") return std::nullopt;
    const std::uint32_t headerSize = LittleEndian(bytes, kFileHeader, 4);
    if (headerSize == 12)  // the old core header: 16-bit sizes
        return PositiveSize(LittleEndian(bytes, 18, 2), LittleEndian(bytes, 20, 2));
    if (headerSize < 16 || bytes.size() < kFileHeader + 16) return std::nullopt;
    const auto width = static_cast<std::int32_t>(LittleEndian(bytes, 18, 4));
    const auto height = static_cast<std::int32_t>(LittleEndian(bytes, 22, 4));
    // A negative height marks a top-down bitmap.
    return PositiveSize(width, std::llabs(static_cast<long long>(height)));
}

std::optional<Size> JpegSize(std::string_view bytes) {
    if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
        static_cast<unsigned char>(bytes[1]) != 0xD8)
        return std::nullopt;
    std::size_t at = 2;
    while (at + 1 < bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) != 0xFF) return std::nullopt;
        const auto marker = static_cast<unsigned char>(bytes[at + 1]);
        at += 2;
        if (marker == 0xFF) {  // fill byte
            at -= 1;
            continue;
        }
        if (IsStandalone(marker)) continue;
        if (marker == 0xD9 || marker == 0xDA || at + 2 > bytes.size()) return std::nullopt;
        const std::uint32_t length = BigEndian16(bytes, at);
        if (length < 2) return std::nullopt;
        if (IsFrameHeader(marker)) {
            if (length < 7 || at + 7 > bytes.size()) return std::nullopt;
            return PositiveSize(BigEndian16(bytes, at + 5), BigEndian16(bytes, at + 3));
        }
        at += length;
    }
    return std::nullopt;
}

std::unique_ptr<Bitmap> HeaderImageLoader::Load(const std::string& path) {
    const ImageKind kind = ImageKindOf(path);
    if (kind == ImageKind::kOther || !FileExists(path)) return nullptr;
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const FileError&) {
        return nullptr;
    }
    std::optional<Size> size;
    if (kind == ImageKind::kBitmap) {
        size = BmpSize(bytes);
    } else {
        const std::int64_t start = FindJpegStartInBytes(bytes);
        if (start >= 0)
            size = JpegSize(std::string_view(bytes).substr(static_cast<std::size_t>(start)));
    }
    if (!size) return nullptr;
    return std::make_unique<Bitmap>(path, size->width, size->height);
}

}  // namespace velmora
