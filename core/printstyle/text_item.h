#pragma once
// Text items ("char" and "data"): their fields and the drawing of one copy (the text or its
// shadow) in each mode.
#include <string>

#include "core/printstyle/page_drawing.h"

namespace velmora {

struct TextItem {
    Amount x;         // F6; exactly 0: the item is not drawn
    Amount y;         // F7
    Amount shadowDx;  // F10, F11: a shadow is drawn first when either is non-zero
    Amount shadowDy;
    int angle = 0;                 // F12, degrees; non-zero forces mode 4
    Colour secondColour = kBlack;  // F13: shadow colour, gradient end colour
    std::string face;              // F14
    int size = 0;                  // F15, points
    FontStyle style;               // F16
    int mode = 0;            // F17: 0 horizontal, 2 outline, 3 gradient, 4 rotated, other vertical
    Amount pitch;            // F18, mm
    Colour colour = kBlack;  // F19
    std::string text;        // F20
    int previewOnly = 0;     // F21
    int maxLength = 0;       // F22, UTF-16 units, 0 = no limit
    int alignDigits = 0;     // F23
    int mainMaxLength = 0;   // F24, F25: the main text's limits when there is a shadow
    int mainAlignDigits = 0;

    bool HasShadow() const { return !shadowDx.IsZero() || !shadowDy.IsZero(); }
    int EffectiveMode() const { return angle != 0 ? 4 : mode; }
};

// One copy of a text item: where, in which colour and with which limits.
struct TextCopy {
    Amount x;
    Amount y;
    Colour colour = kBlack;
    int maxLength = 0;
    int alignDigits = 0;
};

// F6 to F23, and F24 and F25 when the item has a shadow.
TextItem ReadTextItem(FieldReader& fields);

void DrawTextCopy(PageDrawing& page, const TextItem& item, const TextCopy& copy);

// The text modes, called by DrawTextCopy with the font, its colour and the brush set.
void DrawHorizontalText(PageDrawing& page, const TextItem& item, const TextCopy& copy,
                        const std::string& text);
void DrawVerticalText(PageDrawing& page, const TextItem& item, const TextCopy& copy,
                      const std::string& text);
void DrawOutlinedText(PageDrawing& page, const TextItem& item, const TextCopy& copy,
                      const std::string& text, bool gradient);
void DrawRotatedText(PageDrawing& page, const TextItem& item, const TextCopy& copy,
                     const std::string& text);

// The digit alignment shift of pitch mode, whole millimetres (negative: to the left), for a
// text of n characters, digit width d (whole mm), pitch T (mm, not negative), font size.
Amount DigitAlignmentShift(int n, std::int64_t d, Amount pitch, int fontSize);

}  // namespace velmora
