#pragma once
// Drawing style lines on a recording canvas for the renderer tests.
#include <map>
#include <string>
#include <vector>

#include "core/printstyle/draw_style.h"
#include "core/printstyle/recording_canvas.h"

namespace velmora::testing {

// Pictures by path, each a bitmap of a fixed size; other paths load nothing.
class FakeImageLoader final : public ImageLoader {
public:
    std::map<std::string, Size> pictures;
    std::unique_ptr<Bitmap> Load(const std::string& path) override;
};

// Exactly 10 pixels per millimetre both ways (254 dpi), P = 144 so that a pen width field
// w is w pixels on the preview and fonts are two pixels per point; zoom 100, and a screen
// of 144 dpi, which makes a digit of a 10-point font 2 mm wide.
DrawContext TenPixelsPerMm();

inline constexpr int kPrinterDpi = 600;

struct Drawn {
    std::vector<std::string> calls;
    DrawResult result;
};

// Draws a style of the header line followed by items, on a preview canvas (printerDpi 0) or
// a printer canvas.
Drawn DrawItems(const std::vector<std::string>& items, const DrawContext& context,
                int printerDpi = RecordingCanvas::kPreview, ImageLoader* images = nullptr);

}  // namespace velmora::testing
