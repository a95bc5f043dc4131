// "image" items: a bitmap at its natural size or fitted to a box, with an optional frame.
#include "core/printstyle/device_mapping.h"
#include "core/printstyle/page_drawing.h"

namespace velmora {
namespace {

struct ImageItem {
    Amount x;
    Amount y;
    Amount width;  // mm; with the fit flag, 0 takes the picture's aspect ratio
    Amount height;
    int fit = 0;
    int previewOnly = 0;
    std::string path;
};

ImageItem ReadImageItem(FieldReader& fields) {
    ImageItem item;
    item.x = fields.Mm();
    item.y = fields.Mm();
    item.width = fields.Mm();
    item.height = fields.Mm();
    item.fit = fields.Int0();
    fields.Int0();
    item.previewOnly = fields.Int0();
    item.path = fields.Text();
    return item;
}

Amount WholeMm(std::int64_t mm) {
    return Amount::FromRaw(SaturatingMultiply(mm, Amount::kScale));
}

// nearest(pictureLength * other / pictureOther + 0.5) whole mm: the missing side of a box
// that keeps the picture's aspect ratio.
Amount MissingSide(int pictureLength, int pictureOther, Amount other) {
    if (pictureOther <= 0) return {};
    const std::int64_t numerator =
        SaturatingAdd(SaturatingMultiply(pictureLength, other.Raw()),
                      static_cast<std::int64_t>(pictureOther) * (Amount::kScale / 2));
    return WholeMm(
        DivideNearestEven(numerator, static_cast<std::int64_t>(pictureOther) * Amount::kScale));
}

Size FittedSize(const PageDrawing& page, const ImageItem& item, const Bitmap& bitmap) {
    Amount width = item.width;
    Amount height = item.height;
    if (width.IsZero()) width = MissingSide(bitmap.Width(), bitmap.Height(), height);
    if (height.IsZero()) height = MissingSide(bitmap.Height(), bitmap.Width(), width);
    return {MmToPixel(width, {}, page.pixelsPerMmX), MmToPixel(height, {}, page.pixelsPerMmY)};
}

// Pixels of the picture scaled from the screen to the printer, or by the preview zoom.
int NaturalLength(const PageDrawing& page, int pictureLength, Amount printerDpi, int screenDpi) {
    if (!page.IsPrinter())
        return ClampPixel(
            DivideNearestEven(SaturatingMultiply(pictureLength, page.context.zoom), 100));
    if (screenDpi <= 0) return pictureLength;
    return ClampPixel(DivideNearestEven(SaturatingMultiply(pictureLength, printerDpi.Raw()),
                                        static_cast<std::int64_t>(screenDpi) * Amount::kScale));
}

Size NaturalSize(const PageDrawing& page, const Bitmap& bitmap) {
    const DrawContext& context = page.context;
    return {NaturalLength(page, bitmap.Width(), context.resolutionX, context.screenDpiX),
            NaturalLength(page, bitmap.Height(), context.resolutionY, context.screenDpiY)};
}

void DrawPicture(PageDrawing& page, const ImageItem& item) {
    if (item.path.empty() || page.SkipsPreviewOnly(item.previewOnly)) return;
    const std::unique_ptr<Bitmap> bitmap = page.images.Load(item.path);
    if (!bitmap) return;
    const bool fitted = item.fit != 0 && (!item.width.IsZero() || !item.height.IsZero());
    const Size size = fitted ? FittedSize(page, item, *bitmap) : NaturalSize(page, *bitmap);
    const Point at = page.Map(item.x, item.y);
    page.canvas.DrawBitmap({at.x, at.y, ClampPixel(static_cast<std::int64_t>(at.x) + size.width),
                            ClampPixel(static_cast<std::int64_t>(at.y) + size.height)},
                           *bitmap);
}

}  // namespace

void DrawImageItemLine(PageDrawing& page, FieldReader& fields, int itemFlag) {
    const ImageItem item = ReadImageItem(fields);
    DrawPicture(page, item);
    if (itemFlag == 1)
        DrawRectShape(page, {item.x, item.y, AddMm(item.x, item.width), AddMm(item.y, item.height)},
                      0, PenStyle::kSolid, kBlack, 0);
}

}  // namespace velmora
