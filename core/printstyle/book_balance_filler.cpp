#include <algorithm>
#include <string_view>

#include "core/printstyle/page_filler_support.h"
#include "core/printstyle/placeholders.h"
#include "core/printstyle/summary_fillers.h"
#include "core/util/fields.h"
#include "core/util/text_length.h"

namespace velmora {
namespace {

constexpr std::string_view kShortTitle = "#notetitle_m";
constexpr std::string_view kLongTitle = "#notetitle_s";
constexpr std::string_view kBookName = "#notename";
constexpr std::string_view kBookBalance = "#notezan";
// A caption of this many characters or more goes into the smaller title item.
constexpr std::size_t kLongTitleLength = 10;

// Grid rows p×56−55 … p×56+1 (counted from 1): the row after a page's 56 is walked too, and
// opens the next page as well.
std::vector<PlaceholderFill> BookFills(const std::vector<std::string>& rows, long long page) {
    std::vector<PlaceholderFill> fills;
    const long long first = (page - 1) * kBooksPerPage + 1;
    const long long last = first + kBooksPerPage;
    const long long rowCount = static_cast<long long>(rows.size());
    int counter = 0;
    for (long long row = first; row <= last && row <= rowCount; ++row) {
        const std::string& hidden = rows[static_cast<std::size_t>(row - 1)];
        if (hidden.empty()) continue;
        const std::string kk = RowNumber(++counter);
        fills.push_back({std::string(kBookName) + kk,
                         SemicolonFieldN(hidden, 1) + "|" + SemicolonFieldN(hidden, 2),
                         FillFormat::kPlain});
        fills.push_back(
            {std::string(kBookBalance) + kk, SemicolonFieldN(hidden, 3), FillFormat::kRed});
    }
    return fills;
}

// Every title and book placeholder the page did not use, so that none prints as written.
void RemoveUnused(std::string& line) {
    ReplacePlaceholder(line, kLongTitle, "", false);
    ReplacePlaceholder(line, kShortTitle, "", false);
    for (int k = 1; k <= kBooksPerPage; ++k) {
        const std::string kk = RowNumber(k);
        ReplacePlaceholder(line, std::string(kBookName) + kk, "", false);
        ReplacePlaceholder(line, std::string(kBookBalance) + kk, "", false);
    }
}

}  // namespace

FillResult FillBookBalancePage(StyleList& style, const BookBalancePageData& data,
                               const PageHeadings& headings, const FillerOptions& options) {
    const long long page = std::max(headings.page, 1);
    std::vector<PlaceholderFill> fills =
        HeadingFills({"#date", "#Y", "#M", "#D", "#W", "#pg", "#TL", "#date"}, headings);
    fills.push_back({"#range", data.range, FillFormat::kPlain});
    if (CodePointCount(data.bookTitle) < kLongTitleLength)
        fills.push_back({std::string(kShortTitle), data.bookTitle, FillFormat::kPlain});
    else
        fills.push_back(
            {std::string(kLongTitle), std::string(TrimBlanks(data.bookTitle)), FillFormat::kPlain});
    std::vector<PlaceholderFill> books = BookFills(data.rows, page);
    fills.insert(fills.end(), std::make_move_iterator(books.begin()),
                 std::make_move_iterator(books.end()));
    fills.push_back({"#income", data.totalIncome, FillFormat::kPlain});
    fills.push_back({"#expense", data.totalExpense, FillFormat::kPlain});
    fills.push_back({"#sagaku", data.totalDifference, FillFormat::kRed});

    for (int index = 0; index < style.Count(); ++index) {
        std::string line = style.Line(index);
        if (line.find('#') == std::string::npos) continue;
        ApplyFills(line, fills, options.negativeInRed);
        RemoveUnused(line);
        style.SetLine(index, std::move(line));
    }

    // Last page when no listed book lies beyond this page's 56 rows (a 57th row that is
    // empty or missing must not start a page of headings only).
    const std::size_t nextPageRow = static_cast<std::size_t>(
        std::min<long long>(page * kBooksPerPage, static_cast<long long>(data.rows.size())));
    const bool moreBooks =
        std::any_of(data.rows.begin() + static_cast<std::ptrdiff_t>(nextPageRow), data.rows.end(),
                    [](const std::string& row) { return !row.empty(); });
    return FillResult{!moreBooks};
}

}  // namespace velmora
