#pragma once
// Texts that several page kinds place around their tables: a centred title, a line of text
// ending at a right margin, a centred page number.
#include <string>
#include <string_view>

#include "tools/make_styles/style_sheet.h"

namespace velmora {

// A title whose width is known only roughly: centred on centreX by its sample text.
void AddCentredText(StyleSheet& sheet, std::string text, std::string_view sample, double centreX,
                    double y, std::string_view font, int points,
                    FontWeight weight = FontWeight::kRegular);

// A text that should end near rightX, placed by the width of its sample text.
void AddRightText(StyleSheet& sheet, std::string text, std::string_view sample, double rightX,
                  double y, std::string_view font, int points);

// The date the page was printed, as "作成日" and year/month/day, ending near rightX.
void AddPrintDate(StyleSheet& sheet, double rightX, double y, std::string_view font);

// True when the text holds a placeholder ("#" followed by a name) that a page filler fills.
bool HoldsPlaceholder(std::string_view text);

}  // namespace velmora
