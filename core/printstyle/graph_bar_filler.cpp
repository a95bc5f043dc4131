#include <cstdint>
#include <limits>

#include "core/printstyle/summary_fillers.h"
#include "core/util/errors.h"
#include "core/util/fields.h"

namespace velmora {
namespace {

// 125 × value × 10000 does not fit 64 bits for large amounts.
__extension__ typedef __int128 WideInt;

constexpr std::int64_t kBaseLineMm = 155;
constexpr std::int64_t kFullBarMm = 125;
constexpr std::int64_t kFirstColumnMm = 20;
constexpr std::int64_t kColumnWidthMm = 22;
constexpr std::string_view kIncomeColour = "12615808";
constexpr std::string_view kExpenseColour = "8421440";

// Halves away from zero.
WideInt DivideRounded(WideInt numerator, WideInt denominator) {
    WideInt quotient = numerator / denominator;
    WideInt rest = numerator % denominator;
    if (rest < 0) rest = -rest;
    if (2 * rest >= denominator) quotient += numerator < 0 ? -1 : 1;
    return quotient;
}

std::string BarLine(std::int64_t left, std::int64_t right, Amount top, std::string_view colour) {
    std::string line = "0;0;0;0;rrect;" + std::to_string(left) + ";" + std::to_string(kBaseLineMm) +
                       ";" + std::to_string(right) + ";" + top.PlainText() + ";0;0;0;実線;";
    line.append(colour).append(";枠;").append(colour).append(";0;");
    return line;
}

}  // namespace

Amount GraphBarTop(std::string_view caption, Amount maximum) {
    const Amount value = AmountOf(PlainAmountText(caption));
    const std::int64_t scale = maximum > Amount() ? maximum.Raw() : Amount::kScale;
    Amount top = Amount::FromYen(kBaseLineMm);
    if (!value.IsZero()) {
        // 155 − 125 × value / maximum in ten-thousandths of a millimetre, over maximum.
        const WideInt exact =
            WideInt{top.Raw()} * scale - WideInt{kFullBarMm} * value.Raw() * Amount::kScale;
        const WideInt raw = DivideRounded(exact, scale);
        if (raw > std::numeric_limits<std::int64_t>::max() ||
            raw < std::numeric_limits<std::int64_t>::min())
            throw ConversionError("'" + std::string(caption) + "' は正しい数値ではありません");
        top = Amount::FromRaw(static_cast<std::int64_t>(raw));
    }
    // A month with entries must not vanish into the base line: it gets a 2 mm bar.
    if (top >= Amount::FromYen(kBaseLineMm - 1) && caption != "0")
        top = Amount::FromYen(kBaseLineMm - 2);
    return top;
}

std::vector<std::string> GraphBarLines(const GraphLabels& labels) {
    std::vector<std::string> lines;
    lines.reserve(24);
    for (std::size_t month = 1; month <= 12; ++month) {
        const std::int64_t q =
            kFirstColumnMm + kColumnWidthMm * static_cast<std::int64_t>(month - 1);
        lines.push_back(BarLine(q + 2, q + 10, GraphBarTop(labels.income[month], labels.maximum),
                                kIncomeColour));
        lines.push_back(BarLine(q + 12, q + 20, GraphBarTop(labels.expense[month], labels.maximum),
                                kExpenseColour));
    }
    return lines;
}

}  // namespace velmora
