#pragma once
// Picture sizes read from file headers without decoding the pictures, and the image
// loader that pairs with RecordingCanvas.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/printstyle/bitmap.h"
#include "core/printstyle/canvas_types.h"

namespace velmora {

// Width and height of a Windows bitmap file ("BM", core or info header); nothing when the
// bytes are not one or give no positive size.
std::optional<Size> BmpSize(std::string_view bytes);
// Width and height from the frame header of a JPEG stream that starts with FF D8; nothing
// when no frame header is found before the image data.
std::optional<Size> JpegSize(std::string_view bytes);

// Loads ".bmp" files and JPEG files (from their start marker, see FindJpegStart) as
// bitmaps that know only their source path and pixel size.
class HeaderImageLoader final : public ImageLoader {
public:
    std::unique_ptr<Bitmap> Load(const std::string& path) override;
};

}  // namespace velmora
