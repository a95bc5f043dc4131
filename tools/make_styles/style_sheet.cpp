#include "tools/make_styles/style_sheet.h"

namespace velmora {

void StyleSheet::AddRowsPerPage(int rows, std::string_view font) {
    AddText({.x = 0,
             .y = 0,
             .font = font,
             .points = 10,
             .text = "#maxline=" + std::to_string(rows),
             .holdsPlaceholder = true});
}

std::string TwoDigits(int number) {
    return number < 10 ? "0" + std::to_string(number) : std::to_string(number);
}

}  // namespace velmora
