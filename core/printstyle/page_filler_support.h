#pragma once
// What the list and summary page fillers share: the texts of the common heading
// placeholders and a list of placeholder fills applied in order to each style line.
#include <string>
#include <string_view>
#include <vector>

#include "core/printstyle/page_headings.h"

namespace velmora {

enum class FillFormat {
    kPlain,      // the value as it is
    kShrink,     // long positive amounts drawn smaller (ReplacePlaceholderShrink)
    kRed,        // negative values red when the option is on (ReplacePlaceholderRed)
    kShrinkRed,  // both: a sum of the year may be long and negative
};

struct PlaceholderFill {
    std::string placeholder;
    std::string value;
    FillFormat format = FillFormat::kPlain;
    // kShrink and kShrinkRed: the millimetres a long amount is fitted into (0: as
    // LongAmountShrink says).
    double widthMm = 0;
};

// The value of a common heading placeholder: "#Y" "#M" "#D" "#W" (today's "yyyy", "mm",
// "dd", "ddd"), "#date" ("yyyy/mm/dd"), "#OF", "#pg", "#TL", "#PY". Any other name gives
// the empty text.
std::string HeadingValue(std::string_view placeholder, const PageHeadings& headings);

// Plain fills of the named heading placeholders, in the order given.
std::vector<PlaceholderFill> HeadingFills(const std::vector<std::string_view>& placeholders,
                                          const PageHeadings& headings);

// Each fill in turn replaces the first occurrence of its placeholder in the line, zero
// never blanked. A placeholder written twice in a line is filled once unless the list
// names it twice.
void ApplyFills(std::string& line, const std::vector<PlaceholderFill>& fills, bool negativeInRed);

}  // namespace velmora
