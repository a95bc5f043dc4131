#include "core/printstyle/text_item.h"

#include "core/printstyle/device_mapping.h"
#include "core/util/text_length.h"

namespace velmora {
namespace {

std::string LimitedText(const std::string& text, int maxLength) {
    if (maxLength <= 0) return text;
    const auto limit = static_cast<std::size_t>(maxLength);
    return Utf16Length(text) > limit ? CutToUtf16Units(text, limit) : text;
}

}  // namespace

TextItem ReadTextItem(FieldReader& fields) {
    TextItem item;
    item.x = fields.Mm();
    item.y = fields.Mm();
    fields.Mm();  // the second point is read (it must convert) but not used
    fields.Mm();
    item.shadowDx = fields.Mm();
    item.shadowDy = fields.Mm();
    item.angle = fields.Int0();
    item.secondColour = fields.ColourField();
    item.face = fields.Text();
    item.size = fields.Int();
    item.style = FontStyleOf(fields.Text());
    item.mode = fields.Int();
    item.pitch = fields.Mm();
    item.colour = fields.ColourField();
    item.text = fields.Text();
    item.previewOnly = fields.IntT();
    item.maxLength = fields.IntT();
    item.alignDigits = fields.Int0();
    if (item.HasShadow()) {
        item.mainMaxLength = fields.IntT();
        item.mainAlignDigits = fields.Int0();
    }
    return item;
}

void DrawTextItemLine(PageDrawing& page, FieldReader& fields) {
    const TextItem item = ReadTextItem(fields);
    page.canvas.SetFontFace(item.face);
    page.canvas.SetFontStyle(item.style);
    if (item.x.IsZero()) return;
    if (item.HasShadow()) {
        DrawTextCopy(page, item,
                     {AddMm(item.x, item.shadowDx), AddMm(item.y, item.shadowDy), item.secondColour,
                      item.maxLength, item.alignDigits});
        DrawTextCopy(page, item,
                     {item.x, item.y, item.colour, item.mainMaxLength, item.mainAlignDigits});
    } else {
        DrawTextCopy(page, item, {item.x, item.y, item.colour, item.maxLength, item.alignDigits});
    }
}

void DrawTextCopy(PageDrawing& page, const TextItem& item, const TextCopy& copy) {
    if (copy.x.IsZero() || item.text.empty() || page.SkipsPreviewOnly(item.previewOnly)) return;
    const std::string text = LimitedText(item.text, copy.maxLength);
    page.canvas.SetFontColour(copy.colour);
    page.canvas.SetBrushStyle(BrushStyle::kClear);
    page.canvas.SetFontSize(item.size, page.context.previewResolution);
    switch (item.EffectiveMode()) {
        case 0:
            DrawHorizontalText(page, item, copy, text);
            break;
        case 2:
            DrawOutlinedText(page, item, copy, text, false);
            break;
        case 3:
            DrawOutlinedText(page, item, copy, text, true);
            break;
        case 4:
            DrawRotatedText(page, item, copy, text);
            break;
        default:
            DrawVerticalText(page, item, copy, text);
            break;
    }
}

}  // namespace velmora
