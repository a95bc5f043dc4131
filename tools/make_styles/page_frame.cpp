#include "tools/make_styles/page_frame.h"

#include <utility>

namespace velmora {

void AddCentredText(StyleSheet& sheet, std::string text, std::string_view sample, double centreX,
                    double y, std::string_view font, int points, FontWeight weight) {
    const bool placeholder = HoldsPlaceholder(text);
    sheet.AddText({.x = centreX - EstimatedWidth(sample, points) / 2,
                   .y = y,
                   .font = font,
                   .points = points,
                   .text = std::move(text),
                   .weight = weight,
                   .holdsPlaceholder = placeholder});
}

void AddRightText(StyleSheet& sheet, std::string text, std::string_view sample, double rightX,
                  double y, std::string_view font, int points) {
    const bool placeholder = HoldsPlaceholder(text);
    sheet.AddText({.x = rightX - EstimatedWidth(sample, points),
                   .y = y,
                   .font = font,
                   .points = points,
                   .text = std::move(text),
                   .holdsPlaceholder = placeholder});
}

void AddPrintDate(StyleSheet& sheet, double rightX, double y, std::string_view font) {
    AddRightText(sheet, "作成日　#Y/#M/#D", "作成日　2099/12/31", rightX, y, font, 9);
}

bool HoldsPlaceholder(std::string_view text) {
    return text.find('#') != std::string_view::npos;
}

}  // namespace velmora
