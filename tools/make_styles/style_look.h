#pragma once
// The typeface and heading colour that the user picks for a plain-paper style, and the
// parts they add to the style's file name.
#include <optional>
#include <string_view>

namespace velmora {

enum class Typeface { kGothic, kMincho };
enum class HeadingColour { kGray, kBlue, kPink, kWhite };

inline constexpr Typeface kTypefaces[] = {Typeface::kGothic, Typeface::kMincho};
inline constexpr HeadingColour kHeadingColours[] = {HeadingColour::kGray, HeadingColour::kBlue,
                                                    HeadingColour::kPink, HeadingColour::kWhite};

struct StyleLook {
    Typeface typeface = Typeface::kGothic;
    HeadingColour heading = HeadingColour::kGray;
};

// Faces that Debian ships in fonts-ipaexfont.
std::string_view FontName(Typeface typeface);
std::string_view TypefaceNamePart(Typeface typeface);
std::string_view HeadingNamePart(HeadingColour heading);
// The fill of heading bands; none for white headings.
std::optional<int> HeadingFill(HeadingColour heading);

}  // namespace velmora
