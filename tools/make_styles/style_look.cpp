#include "tools/make_styles/style_look.h"

#include "tools/make_styles/style_items.h"

namespace velmora {

std::string_view FontName(Typeface typeface) {
    return typeface == Typeface::kGothic ? "IPAexGothic" : "IPAexMincho";
}

std::string_view TypefaceNamePart(Typeface typeface) {
    return typeface == Typeface::kGothic ? "_ゴシック" : "_明朝";
}

std::string_view HeadingNamePart(HeadingColour heading) {
    switch (heading) {
        case HeadingColour::kGray:
            return "G";
        case HeadingColour::kBlue:
            return "B";
        case HeadingColour::kPink:
            return "P";
        case HeadingColour::kWhite:
            break;
    }
    return "";
}

std::optional<int> HeadingFill(HeadingColour heading) {
    // Pale tints, so that black captions stay legible on them and on a mono printer.
    switch (heading) {
        case HeadingColour::kGray:
            return Rgb(217, 217, 217);
        case HeadingColour::kBlue:
            return Rgb(197, 217, 241);
        case HeadingColour::kPink:
            return Rgb(250, 210, 225);
        case HeadingColour::kWhite:
            break;
    }
    return std::nullopt;
}

}  // namespace velmora
