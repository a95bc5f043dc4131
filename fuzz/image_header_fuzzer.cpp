// Feeds arbitrary bytes to the picture header readers, as a bitmap file and as a file that
// may hold a JPEG stream after some leading bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/printstyle/image_file.h"
#include "core/printstyle/image_headers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)BmpSize(bytes);
    const std::int64_t start = FindJpegStartInBytes(bytes);
    if (start >= 0) (void)JpegSize(bytes.substr(static_cast<std::size_t>(start)));
    (void)JpegSize(bytes);
    return 0;
}
