// How a text copy is laid out in each mode: horizontal (in one piece or one character per
// pitch step), outlined and filled, outlined with a vertical gradient, rotated, vertical.
#include <algorithm>
#include <vector>

#include "core/printstyle/device_mapping.h"
#include "core/printstyle/text_item.h"
#include "core/util/text_length.h"

namespace velmora {
namespace {

// Pitched text is laid out from the first 256 UTF-16 units only.
constexpr std::size_t kPitchedUnits = 256;
// Gradient bands are one pixel high; a text taller than this many pixels (far beyond any
// page) gets taller bands so that a damaged size cannot make the fill run without end.
constexpr int kMaxGradientBands = 4096;

std::vector<std::string_view> PitchedCharacters(const std::string& text, std::string& storage) {
    storage = CutToUtf16Units(text, kPitchedUnits);
    std::vector<std::string_view> chars;
    SplitCharacters(storage, chars);
    return chars;
}

bool StartsWithSurrogatePair(std::string_view text) {
    return !text.empty() && Utf8CharLength(static_cast<unsigned char>(text.front())) == 4;
}

// The width of a digit in whole millimetres, measured at the preview resolution.
std::int64_t DigitWidthMm(PageDrawing& page, std::string_view text) {
    const DrawContext& context = page.context;
    const int width = page.canvas.TextWidthAt(StartsWithSurrogatePair(text) ? "翔" : "5",
                                              context.previewResolution);
    const std::int64_t dotsPerInchTimesZoom =
        static_cast<std::int64_t>(context.screenDpiX) * context.zoom;
    if (dotsPerInchTimesZoom <= 0) return 0;
    // width * 25.4 / (screen dpi * zoom / 100)
    return DivideNearestEven(static_cast<std::int64_t>(width) * 2540, dotsPerInchTimesZoom);
}

Colour GradientColour(Colour start, Colour end, std::int64_t row, std::int64_t height) {
    Colour result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::int64_t from = (start >> shift) & 0xFF;
        const std::int64_t to = (end >> shift) & 0xFF;
        const std::int64_t step = height > 0 ? DivideNearestEven(row * (to - from), height) : 0;
        result |= static_cast<Colour>((from + step) & 0xFF) << shift;
    }
    return result;
}

void FillGradient(Canvas& canvas, const Rect& box, int height, Colour start, Colour end) {
    const int rows = std::max(height, 0);
    const int bandHeight = 1 + rows / kMaxGradientBands;
    for (int row = 0; row <= rows; row += bandHeight) {
        canvas.SetBrushColour(GradientColour(start, end, row, rows));
        const int top = ClampPixel(static_cast<std::int64_t>(box.top) + row);
        const int bottom =
            ClampPixel(static_cast<std::int64_t>(box.top) + std::min(row + bandHeight, rows + 1));
        canvas.FillRect({box.left, top, box.right, bottom});
    }
}

}  // namespace

Amount DigitAlignmentShift(int n, std::int64_t d, Amount pitch, int fontSize) {
    const std::int64_t half = DivideNearestEven(d, 2);
    // nearest(T / 4 + 0.5) and trunc(T / 4), whole mm, from T in ten-thousandths
    const std::int64_t quarterUp = DivideNearestEven(SaturatingAdd(pitch.Raw(), 20000), 40000);
    const std::int64_t quarterDown = pitch.Raw() / 40000;
    std::int64_t shift = 0;
    switch (n) {
        case 2:
            shift = -half;
            break;
        case 3:
            shift = -d - quarterDown + (fontSize == 48 ? 2 : 0);
            break;
        case 4:
            shift = -(half + d) - quarterUp;
            break;
        case 5:
            shift = -2 * d - quarterUp;
            break;
        case 6:
            shift = -(half + 2 * d) - quarterUp;
            break;
        case 7:
            shift = -3 * d - quarterUp;
            break;
        case 8:
            shift = -(half + 3 * d) - quarterUp;
            break;
        default:
            break;
    }
    return Amount::FromRaw(SaturatingMultiply(shift, Amount::kScale));
}

void DrawHorizontalText(PageDrawing& page, const TextItem& item, const TextCopy& copy,
                        const std::string& text) {
    if (item.pitch.IsZero()) {
        page.canvas.TextOut(page.Map(copy.x, copy.y), text);
        return;
    }
    std::string storage;
    const auto chars = PitchedCharacters(text, storage);
    const auto n = static_cast<std::int64_t>(chars.size());
    Amount pitch = item.pitch;
    Amount x = copy.x;
    if (pitch.Raw() < 0) {
        pitch = AbsMm(pitch);
        x = AddMm(x, MultiplyMm(pitch, -n));
    }
    if (copy.alignDigits == 1)
        x = AddMm(x, DigitAlignmentShift(static_cast<int>(n), DigitWidthMm(page, storage), pitch,
                                         item.size));
    std::vector<Canvas::PlacedCharacter> placed;
    placed.reserve(chars.size());
    for (std::string_view c : chars) {
        placed.push_back({page.Map(x, copy.y), c});
        x = AddMm(x, pitch);
    }
    page.canvas.PlacedTextOut(placed);
}

void DrawVerticalText(PageDrawing& page, const TextItem& item, const TextCopy& copy,
                      const std::string& text) {
    Amount pitch = item.pitch;
    if (pitch.IsZero()) pitch = Amount::FromRaw(static_cast<std::int64_t>(item.size) * 5000);
    std::string storage;
    const auto chars = PitchedCharacters(text, storage);
    Amount y = copy.y;
    if (pitch.Raw() < 0) {
        pitch = AbsMm(pitch);
        y = AddMm(y, MultiplyMm(pitch, -static_cast<std::int64_t>(chars.size())));
    }
    for (std::string_view c : chars) {
        page.canvas.TextOut(page.Map(copy.x, y), c);
        y = AddMm(y, pitch);
    }
}

void DrawOutlinedText(PageDrawing& page, const TextItem& item, const TextCopy& copy,
                      const std::string& text, bool gradient) {
    Canvas& canvas = page.canvas;
    canvas.SetFontFace(item.face);
    canvas.SetFontSize(item.size, page.context.previewResolution);
    FontStyle bold = canvas.CurrentFont().style;
    bold.bold = true;
    canvas.SetFontStyle(bold);
    canvas.SetBrushColour(copy.colour);
    const Point at = page.Map(copy.x, copy.y);
    const Size extent = canvas.TextExtent(text);
    const Rect box{at.x, at.y, ClampPixel(static_cast<std::int64_t>(at.x) + extent.width),
                   ClampPixel(static_cast<std::int64_t>(at.y) + extent.height)};
    canvas.BeginPath();
    canvas.PathText(box, text);
    canvas.EndPath();
    if (canvas.PathToClip()) {
        if (gradient)
            FillGradient(canvas, box, extent.height, copy.colour, item.secondColour);
        else
            canvas.FillRect(box);
    }
    canvas.RemoveClip();
}

void DrawRotatedText(PageDrawing& page, const TextItem& item, const TextCopy& copy,
                     const std::string& text) {
    const DrawContext& context = page.context;
    // The cell height the preview gives at this zoom, at the preview resolution; a printer
    // canvas scales it to its own resolution, so rotated text keeps its size on paper.
    const std::int64_t cellHeight = DivideNearestEven(
        SaturatingMultiply(static_cast<std::int64_t>(item.size) + 4, context.zoom), 100);
    const int escapement = ClampPixel(static_cast<std::int64_t>(item.angle) * 10);
    page.canvas.SetRotatedFont(item.face, ClampPixel(cellHeight), context.previewResolution,
                               escapement);
    page.canvas.TextOut(page.Map(copy.x, copy.y), text);
}

}  // namespace velmora
