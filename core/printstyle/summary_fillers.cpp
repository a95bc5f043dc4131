#include "core/printstyle/summary_fillers.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "core/printstyle/page_filler_support.h"
#include "core/printstyle/placeholders.h"
#include "core/util/fields.h"
#include "core/util/text_length.h"

namespace velmora {
namespace {

constexpr std::string_view kNoRowsHeading = "確認";
constexpr std::string_view kNoRowsText = "このスタイルには最大行数が指定されていません";

// Label, the twelve months in fiscal order, year total: the fields 1..14 of a row.
constexpr std::array<std::string_view, 14> kRowPrefixes = {"#ka_", "#kb_", "#kc_", "#kd_", "#ke_",
                                                           "#kf_", "#kg_", "#kh_", "#ki_", "#kj_",
                                                           "#kk_", "#kl_", "#km_", "#kn_"};
constexpr std::size_t kLabelColumn = 0;

// Month amounts grow into the next column when long; the KOKUYO form has wider columns and
// takes a larger size than plain paper. Amounts longer than 13 characters keep within the
// width 13 characters take, however long a year's totals grow.
std::optional<AmountShrink> MonthShrink(std::size_t length, int paperIndex) {
    const bool kokuyo = paperIndex == 1;
    switch (length) {
        case 10:
            return kokuyo ? AmountShrink{"10", "-2.1"} : AmountShrink{"9", "-1.7"};
        case 11:
            return kokuyo ? AmountShrink{"10", "-2"} : AmountShrink{"9", "-1.5"};
        case 12:
        case 13:
            return kokuyo ? AmountShrink{"10", "-1.7"} : AmountShrink{"8", "-1.3"};
        default:
            if (length < 10) return std::nullopt;
            return ShrinkToWidth(length, 13 * (kokuyo ? 1.7 : 1.3));
    }
}

struct RowPlaceholder {
    std::size_t column = 0;  // index into kRowPrefixes
    int row = 0;
    std::size_t at = 0;      // where it starts in the line
    std::size_t length = 0;  // prefix and digits
};

// The row number right after a prefix, written as RowNumber writes it ("00".."99", then
// "100" ... without a leading zero); -1 when the digits there are not such a number. The
// whole run of digits counts, so that "#ka_100" is row 100 and never row 10 with a "0"
// left over.
int RowNumberAt(std::string_view line, std::size_t at, std::size_t& digits) {
    std::size_t end = at;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
    digits = end - at;
    if (digits < 2 || digits > 6 || (digits > 2 && line[at] == '0')) return -1;
    int row = 0;
    for (std::size_t i = at; i < end; ++i) row = row * 10 + (line[i] - '0');
    return row;
}

// The placeholder filled in a line: the lowest row number up to lastRow, and for that row
// the first column in label, months, total order. A line carries one row value at most.
std::optional<RowPlaceholder> FirstRowPlaceholder(std::string_view line, int lastRow) {
    std::optional<RowPlaceholder> best;
    for (std::size_t column = 0; column < kRowPrefixes.size(); ++column) {
        const std::string_view prefix = kRowPrefixes[column];
        for (std::size_t at = line.find(prefix); at != std::string_view::npos;
             at = line.find(prefix, at + 1)) {
            std::size_t digits = 0;
            const int row = RowNumberAt(line, at + prefix.size(), digits);
            if (row < 0 || row > lastRow) continue;
            if (!best || row < best->row)
                best = RowPlaceholder{column, row, at, prefix.size() + digits};
        }
    }
    return best;
}

void FillRowPlaceholder(std::string& line, const RowPlaceholder& hit, std::string_view row,
                        const FillerOptions& options) {
    const std::string value = SemicolonFieldN(row, static_cast<int>(hit.column) + 1);
    line.replace(hit.at, hit.length, value);
    if (line.empty()) line = "    ";
    if (hit.column == kLabelColumn) return;
    // The year total shrinks as the months do: its column is wider, but not by much.
    if (auto shrink = MonthShrink(CodePointCount(value), options.paperIndex)) {
        line = SetLineField(line, shrink->size, 15);
        line = SetLineField(line, shrink->pitch, 18);
    }
    if (options.negativeInRed && value.find('-') != std::string::npos)
        line = SetLineField(line, kRedColour, 19);
}

}  // namespace

int SummaryPageCount(int rowsPerPage, std::size_t dataLines) {
    const auto rows = static_cast<std::int64_t>(dataLines) - 1;  // below the header
    if (rowsPerPage <= 0 || rows <= rowsPerPage) return 1;
    const std::int64_t pages = (rows + rowsPerPage - 1) / rowsPerPage;
    return static_cast<int>(std::min<std::int64_t>(pages, std::numeric_limits<int>::max()));
}

FillResult FillSummaryPage(StyleList& style, const std::vector<std::string>& printData,
                           const PageHeadings& headings, const FillerOptions& options,
                           Dialogs& dialogs) {
    const int rowsPerPage = TakeRowsPerPage(style);
    if (rowsPerPage == 0) dialogs.ShowInfo(std::string(kNoRowsHeading), std::string(kNoRowsText));

    // Row 0 is the header line on every page; rows 1..m are this page's data lines.
    const long long dataCount = static_cast<long long>(printData.size());
    const long long firstLine = (std::max(headings.page, 1) - 1LL) * rowsPerPage + 1;
    std::vector<std::string_view> rows(static_cast<std::size_t>(rowsPerPage) + 1);
    if (dataCount > 0) rows[0] = printData[0];
    for (int i = 1; i <= rowsPerPage && firstLine + i - 1 < dataCount; ++i)
        rows[static_cast<std::size_t>(i)] = printData[static_cast<std::size_t>(firstLine + i - 1)];

    const std::vector<PlaceholderFill> fills =
        HeadingFills({"#Y", "#M", "#D", "#W", "#OF", "#PY", "#pg", "#TL"}, headings);
    for (int index = 0; index < style.Count(); ++index) {
        std::string line = style.Line(index);
        if (line.find('#') == std::string::npos) continue;
        ApplyFills(line, fills, options.negativeInRed);
        if (auto hit = FirstRowPlaceholder(line, rowsPerPage))
            FillRowPlaceholder(line, *hit, rows[static_cast<std::size_t>(hit->row)], options);
        style.SetLine(index, std::move(line));
    }

    // A style without rows per page would show the same header-only page for ever.
    return FillResult{rowsPerPage == 0 || firstLine + rowsPerPage >= dataCount};
}

}  // namespace velmora
