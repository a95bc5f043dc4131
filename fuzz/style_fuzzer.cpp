// Feeds arbitrary bytes to the style reader as a style file (decoded like a loaded file),
// then does what showing and printing a page does with it: the header's page set-up, the
// rows-per-page directive, and drawing on a preview and on a printer canvas at the zoom
// extremes. A damaged line must end in a StyleError, never a crash, a hang or undefined
// behaviour.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/platform/file_io.h"
#include "core/printstyle/draw_style.h"
#include "core/printstyle/image_file.h"
#include "core/printstyle/page_setup.h"
#include "core/printstyle/recording_canvas.h"
#include "core/util/codepage.h"
#include "core/util/errors.h"

namespace {

using namespace velmora;

// Bitmaps without files: every ".bmp" path is a picture whose size comes from the path, a
// zero side among them, so that the fitting rules meet every shape of picture.
class PathSizedImages final : public ImageLoader {
public:
    std::unique_ptr<Bitmap> Load(const std::string& path) override {
        if (ImageKindOf(path) != ImageKind::kBitmap) return nullptr;
        const int width = static_cast<int>(path.size() % 61);
        const int height = static_cast<int>(path.size() % 7);
        return std::make_unique<Bitmap>(path, width, height);
    }
};

void DrawOn(RecordingCanvas& canvas, const StyleList& style, DrawContext context,
            const PageSetup& setup, int side) {
    PathSizedImages images;
    context.offsets = setup.offsets;
    context.pageSide = side;
    context.originX = side == 0 ? setup.offsets.oddX : setup.offsets.evenX;
    context.originY = side == 0 ? setup.offsets.oddY : setup.offsets.evenY;
    const DrawResult result = DrawStyle(canvas, style, context, images);
    if (!result.Ok()) (void)result.error->what();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text;
    try {
        text = DecodeFileText(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const EncodingError&) {
        return 0;
    }
    std::vector<std::string> lines;
    SplitTextLines(text, lines);
    StyleList style(std::move(lines), "fuzz.sle");

    PageSetup setup;
    try {
        setup = ApplyStyleHeader(style, "");
    } catch (const StyleError&) {
        // The page is still drawn from the lines as they are, as a preview would.
    }
    (void)TakeRowsPerPage(style);

    PrinterMetrics metrics;
    metrics.dpiX = Amount::FromYen(600);
    metrics.dpiY = Amount::FromYen(1200);
    for (int zoom : {5, 200}) {
        RecordingCanvas preview;
        DrawOn(preview, style, PreviewDrawContext(96, 96, zoom), setup, 0);
        RecordingCanvas printer(600);
        DrawOn(printer, style, PrinterDrawContext(metrics, zoom), setup, 1);
    }
    return 0;
}
