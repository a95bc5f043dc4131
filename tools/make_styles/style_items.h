#pragma once
// One line of a print style per drawing item. Every line the generator writes goes through
// these builders, so the field order of each item kind is written down in one place.
#include <string>
#include <string_view>

namespace velmora {

// Colours are stored as 0x00BBGGRR, red in the lowest byte.
constexpr int Rgb(int red, int green, int blue) {
    return red | (green << 8) | (blue << 16);
}
constexpr int kBlack = 0;

// Millimetres as the style files write them: plain decimal with "." and no trailing zeros
// ("12.5", "-1.6", "0"). Positions are kept to a hundredth of a millimetre, which is far
// below what a printer resolves and keeps the files free of floating-point noise.
std::string MmText(double mm);

// Page set-up carried by the header line.
struct PageSetup {
    int paperCode = 9;  // the platform's paper codes: 9 A4, 12 B4, 13 B5
    bool landscape = false;
    double evenOffsetX = 0;  // pre-printed forms: where the back of a sheet has its grid
    double evenOffsetY = 0;
};
std::string HeaderLine(const PageSetup& setup);

enum class FontWeight { kRegular, kBold };

// A text item. Fixed captions are written as "char" items and texts with placeholders as
// "data" items; both draw alike, the kind only tells a reader of the file which is which.
struct TextItem {
    double x = 0;  // an x of exactly 0 is never drawn
    double y = 0;
    std::string_view font;
    int points = 10;
    std::string text;
    // 0 draws the text in one piece; a negative pitch draws one character every |pitch| mm
    // so that the text ends at x, which right-aligns amounts.
    double pitch = 0;
    FontWeight weight = FontWeight::kRegular;
    int maxLength = 0;  // in UTF-16 units, 0 = no limit
    int colour = kBlack;
    bool holdsPlaceholder = false;
};
std::string TextLine(const TextItem& item);

// Pen style names of the format.
inline constexpr std::string_view kSolidPen = "実線";
inline constexpr std::string_view kDottedPen = "点線";

struct Segment {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
};

// A straight line; width in 1/144 inch (0 is a hairline).
std::string LineLine(const Segment& segment, int width, std::string_view pen = kSolidPen);
// A line printed on a pre-printed form: drawn only in a preview that asks for the form's
// lines (the preview-only flag kFormLineFlag), so that alignment can be judged on screen.
inline constexpr int kFormLineFlag = 2;
std::string FormLine(const Segment& segment, int colour, std::string_view pen = kSolidPen);
// The four edges of a box, no fill.
std::string RectLine(const Segment& box, int width);
// A box filled in one colour. The format's "fillrect" item names no fill colour (it fills
// with whatever brush the previous item left), so a coloured area is a rounded rectangle
// with zero corners whose outline and fill share the colour.
std::string FilledBoxLine(const Segment& box, int colour);

// The height of one em of a font, in millimetres.
constexpr double EmOf(int points) {
    return points * 25.4 / 72.0;
}

// Width a text takes in the IPAex faces: Japanese characters are one em wide, ASCII about
// half. Good enough to centre captions and titles.
double EstimatedWidth(std::string_view utf8Text, int points);

}  // namespace velmora
