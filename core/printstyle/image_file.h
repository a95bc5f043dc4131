#pragma once
// Which image files the renderer draws, and where a JPEG stream starts inside its file.
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

enum class ImageKind {
    kJpeg,    // ".jpg", ".jpeg", ".JPG" or ".JPEG" exactly: decoded from its start marker
    kBitmap,  // ".bmp" in any case
    kOther,   // any other picture: loaded by the platform, never a bitmap, not drawn
};

ImageKind ImageKindOf(std::string_view path);

// The first offset 0..256 at which the bytes FF D8 stand; -1 when there is none.
std::int64_t FindJpegStartInBytes(std::string_view bytes);
// The same for a file (only its first 258 bytes are read); -1 also when the path names no
// regular file or it cannot be read.
std::int64_t FindJpegStart(const std::string& path);

}  // namespace velmora
