#include <array>
#include <string_view>

#include "core/printstyle/page_filler_support.h"
#include "core/printstyle/placeholders.h"
#include "core/printstyle/summary_fillers.h"

namespace velmora {
namespace {

// The names of the eight per-month placeholders, in the order they are filled: income,
// cumulative income, expense, cumulative expense, difference, cumulative difference,
// year and month of the column.
using MonthNames = std::array<std::string_view, 8>;
constexpr MonthNames kTableNames = {"#income", "#rincome", "#expense", "#rexpense",
                                    "#sagaku", "#rsagaku", "#y",       "#m"};
constexpr MonthNames kGraphNames = {"#inc", "#rinc", "#exp", "#rexp", "#sag", "#rsag", "#y", "#m"};

// "yyyy" and "mm" of each column's month, from the month label's hint "2014/4/01".
struct ColumnMonths {
    std::array<std::string, 13> year;
    std::array<std::string, 13> month;
};

ColumnMonths ColumnMonthsOf(const GraphLabels& labels) {
    ColumnMonths out;
    for (std::size_t n = 1; n <= 12; ++n) {
        const Date first = Date::Parse(labels.monthHint[n]);
        out.year[n] = FormatDate("yyyy", first);
        out.month[n] = FormatDate("mm", first);
    }
    return out;
}

// The graph page's month columns are 22 mm apart: a long amount is fitted into 20 mm.
constexpr double kGraphFigureMm = 20;

// widthMm: the figures' width on the page (0: the table's cells, as wide as any amount).
void AddMonthFills(std::vector<PlaceholderFill>& fills, const MonthNames& names,
                   const GraphLabels& labels, const ColumnMonths& months, double widthMm) {
    for (std::size_t n = 1; n <= 12; ++n) {
        const std::string nn = RowNumber(static_cast<int>(n));
        auto add = [&](std::size_t name, const std::string& value, FillFormat format) {
            fills.push_back({std::string(names[name]) + nn, value, format, widthMm});
        };
        add(0, labels.income[n], FillFormat::kShrink);
        add(1, labels.cumulativeIncome[n], FillFormat::kShrink);
        add(2, labels.expense[n], FillFormat::kShrink);
        add(3, labels.cumulativeExpense[n], FillFormat::kShrink);
        add(4, labels.difference[n], FillFormat::kShrinkRed);
        add(5, labels.cumulativeDifference[n], FillFormat::kShrinkRed);
        add(6, months.year[n], FillFormat::kPlain);
        add(7, months.month[n], FillFormat::kPlain);
    }
}

// The year column "13" of the table: the cumulative figures of the last month.
void AddYearFills(std::vector<PlaceholderFill>& fills, const GraphLabels& labels) {
    fills.push_back({"#income13", labels.cumulativeIncome[12], FillFormat::kShrink});
    fills.push_back({"#rincome13", labels.cumulativeIncome[12], FillFormat::kShrink});
    fills.push_back({"#expense13", labels.cumulativeExpense[12], FillFormat::kShrink});
    fills.push_back({"#rexpense13", labels.cumulativeExpense[12], FillFormat::kShrink});
    fills.push_back({"#sagaku13", labels.cumulativeDifference[12], FillFormat::kShrinkRed});
    fills.push_back({"#rsagaku13", labels.cumulativeDifference[12], FillFormat::kShrinkRed});
}

void FillLines(StyleList& style, const std::vector<PlaceholderFill>& fills,
               const FillerOptions& options) {
    for (int index = 0; index < style.Count(); ++index) {
        std::string line = style.Line(index);
        if (line.find('#') == std::string::npos) continue;
        ApplyFills(line, fills, options.negativeInRed);
        style.SetLine(index, std::move(line));
    }
}

}  // namespace

void FillIncomeExpensePage(StyleList& style, const GraphLabels& labels,
                           const PageHeadings& headings, const FillerOptions& options) {
    const ColumnMonths months = ColumnMonthsOf(labels);
    std::vector<PlaceholderFill> fills =
        HeadingFills({"#date", "#Y", "#M", "#D", "#W", "#pg", "#TL", "#date"}, headings);
    fills.push_back({"#range", labels.range, FillFormat::kPlain});
    fills.push_back({"#notesname", labels.bookName, FillFormat::kPlain});
    AddMonthFills(fills, kTableNames, labels, months, 0);
    AddYearFills(fills, labels);
    FillLines(style, fills, options);
}

void FillGraphPage(StyleList& style, const GraphLabels& labels, const PageHeadings& headings,
                   const FillerOptions& options) {
    // Both can fail on a caption or hint that is no number or date; the style is left as
    // loaded then.
    const ColumnMonths months = ColumnMonthsOf(labels);
    const std::vector<std::string> bars = GraphBarLines(labels);

    std::vector<PlaceholderFill> fills =
        HeadingFills({"#date", "#Y", "#M", "#D", "#W", "#PY", "#pg", "#TL", "#date"}, headings);
    fills.push_back({"#range", labels.range, FillFormat::kPlain});
    fills.push_back({"#notename", labels.bookName, FillFormat::kPlain});
    AddMonthFills(fills, kGraphNames, labels, months, kGraphFigureMm);
    FillLines(style, fills, options);
    for (const std::string& bar : bars) style.Append(bar);
}

}  // namespace velmora
