#include "core/printstyle/page_filler_support.h"

#include "core/printstyle/placeholders.h"

namespace velmora {

std::string HeadingValue(std::string_view placeholder, const PageHeadings& headings) {
    if (placeholder == "#Y") return FormatDate("yyyy", headings.today);
    if (placeholder == "#M") return FormatDate("mm", headings.today);
    if (placeholder == "#D") return FormatDate("dd", headings.today);
    if (placeholder == "#W") return FormatDate("ddd", headings.today);
    if (placeholder == "#date") return FormatDate("yyyy/mm/dd", headings.today);
    if (placeholder == "#OF") return headings.companyName;
    if (placeholder == "#pg") return std::to_string(headings.page);
    if (placeholder == "#TL") return headings.caption;
    if (placeholder == "#PY") return headings.fiscalRange;
    return {};
}

std::vector<PlaceholderFill> HeadingFills(const std::vector<std::string_view>& placeholders,
                                          const PageHeadings& headings) {
    std::vector<PlaceholderFill> fills;
    fills.reserve(placeholders.size());
    for (std::string_view name : placeholders)
        fills.push_back({std::string(name), HeadingValue(name, headings), FillFormat::kPlain});
    return fills;
}

void ApplyFills(std::string& line, const std::vector<PlaceholderFill>& fills, bool negativeInRed) {
    for (const PlaceholderFill& fill : fills) {
        switch (fill.format) {
            case FillFormat::kPlain:
                ReplacePlaceholder(line, fill.placeholder, fill.value, false);
                break;
            case FillFormat::kShrink:
                if (ReplacePlaceholder(line, fill.placeholder, fill.value, false))
                    ShrinkLongAmount(line, fill.value, fill.widthMm);
                break;
            case FillFormat::kRed:
                ReplacePlaceholderRed(line, fill.placeholder, fill.value, negativeInRed, false);
                break;
            case FillFormat::kShrinkRed:
                if (ReplacePlaceholderRed(line, fill.placeholder, fill.value, negativeInRed, false))
                    ShrinkLongAmount(line, fill.value, fill.widthMm);
                break;
        }
    }
}

}  // namespace velmora
