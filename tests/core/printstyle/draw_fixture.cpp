#include "draw_fixture.h"

namespace velmora::testing {

std::unique_ptr<Bitmap> FakeImageLoader::Load(const std::string& path) {
    auto found = pictures.find(path);
    if (found == pictures.end()) return nullptr;
    return std::make_unique<Bitmap>(path, found->second.width, found->second.height);
}

DrawContext TenPixelsPerMm() {
    DrawContext context;
    context.resolutionX = Amount::FromYen(254);
    context.resolutionY = Amount::FromYen(254);
    context.previewResolution = 144;
    context.zoom = 100;
    context.screenDpiX = 144;
    context.screenDpiY = 144;
    return context;
}

Drawn DrawItems(const std::vector<std::string>& items, const DrawContext& context, int printerDpi,
                ImageLoader* images) {
    std::vector<std::string> lines{"header;Ver1.1;0;0;9;0;0;100;0;;;0;"};
    lines.insert(lines.end(), items.begin(), items.end());
    RecordingCanvas canvas(printerDpi);
    FakeImageLoader noImages;
    DrawResult result = DrawStyle(canvas, StyleList(lines, "test.sle"), context,
                                  images != nullptr ? *images : noImages);
    return {canvas.Lines(), result};
}

}  // namespace velmora::testing
