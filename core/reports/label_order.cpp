#include "core/reports/label_order.h"

namespace velmora {
namespace {

// Full-width Ａ..Ｚ are U+FF21..U+FF3A (EF BC A1..EF BC BA); their lower-case forms
// U+FF41..U+FF5A are EF BD 81..EF BD 9A.
constexpr unsigned char kFullWidthLead = 0xEF;
constexpr unsigned char kFullWidthUpperMiddle = 0xBC;
constexpr unsigned char kFullWidthLowerMiddle = 0xBD;
constexpr unsigned char kFullWidthUpperFirst = 0xA1;
constexpr unsigned char kFullWidthUpperLast = 0xBA;
constexpr unsigned char kFullWidthCaseShift = 0xA1 - 0x81;

bool IsFullWidthUpper(std::string_view text, std::size_t i) {
    if (i + 2 >= text.size()) return false;
    const auto b0 = static_cast<unsigned char>(text[i]);
    const auto b1 = static_cast<unsigned char>(text[i + 1]);
    const auto b2 = static_cast<unsigned char>(text[i + 2]);
    return b0 == kFullWidthLead && b1 == kFullWidthUpperMiddle && b2 >= kFullWidthUpperFirst &&
           b2 <= kFullWidthUpperLast;
}

}  // namespace

std::string FoldedLabel(std::string_view label) {
    std::string out(label);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char c = out[i];
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c - 'A' + 'a');
        } else if (IsFullWidthUpper(out, i)) {
            out[i + 1] = static_cast<char>(kFullWidthLowerMiddle);
            out[i + 2] =
                static_cast<char>(static_cast<unsigned char>(out[i + 2]) - kFullWidthCaseShift);
            i += 2;
        }
    }
    return out;
}

}  // namespace velmora
