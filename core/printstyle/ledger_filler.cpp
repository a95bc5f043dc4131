#include "core/printstyle/ledger_filler.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "core/ledger/book.h"
#include "core/printstyle/device_mapping.h"
#include "core/printstyle/placeholders.h"
#include "core/util/fields.h"
#include "core/util/text_length.h"

namespace velmora {
namespace {

constexpr std::string_view kAllBooksTitle = "科目別一覧表";

// The row placeholders in the order a line is checked for them.
enum RowField : int { kIa, kIb, kIc, kId, kIe, kIf, kCa, kCd, kCe, kCf, kCg, kRowFieldCount };
constexpr std::array<std::string_view, kRowFieldCount> kRowPrefixes{
    "#ia_", "#ib_", "#ic_", "#id_", "#ie_", "#if_", "#ca_", "#cd_", "#ce_", "#cf_", "#cg_"};
// The clean-up removes the placeholders of the last row in this order.
constexpr std::array<std::string_view, kRowFieldCount> kCleanUpOrder{
    "#ia_", "#ic_", "#ib_", "#id_", "#ie_", "#if_", "#ca_", "#cd_", "#ce_", "#cf_", "#cg_"};

constexpr std::size_t kPrefixLength = 4;  // "#ia_"

bool IsKokuyo(int paperIndex) {
    return paperIndex == 1 || paperIndex == 2;
}

// A KOKUYO form has no room for separators: amounts lose their commas, empty stays empty.
std::string KokuyoRow(std::string_view line) {
    std::string row;
    for (int n = 1; n <= 3; ++n) row.append(FieldNView(line, ";", n)).push_back(';');
    for (int n = 4; n <= 6; ++n) {
        std::string_view amount = FieldNView(line, ";", n);
        if (!amount.empty()) row += PlainAmountText(amount);
        row.push_back(';');
    }
    return row;
}

struct PageRows {
    std::vector<std::string> rows;  // index 0 unused, 1..m this page's rows
    bool readToEnd = true;
};

// Every page but the last shows m - 1 rows and the continuation row; the last shows up to
// m, since the row in index m is taken only when it is the last line of the data. A page
// of one row has no room for the continuation row and shows one row each.
PageRows RowsOfPage(const std::vector<std::string>& data, int m, int page, bool kokuyo) {
    PageRows out;
    out.rows.assign(static_cast<std::size_t>(m) + 1, std::string());
    if (m == 0) return out;
    const std::int64_t continued = std::max(m - 1, 1);
    const std::int64_t first = (static_cast<std::int64_t>(std::max(page, 1)) - 1) * continued;
    std::int64_t i = 1;
    const std::size_t n = data.size();
    for (std::size_t j = 0; j < n; ++j) {
        const bool more = j + 1 < n;
        if ((i > continued && more) || i > m) {
            out.readToEnd = false;
            break;
        }
        if (static_cast<std::int64_t>(j) < first) continue;
        out.rows[static_cast<std::size_t>(i++)] = kokuyo ? KokuyoRow(data[j]) : data[j];
    }
    if (!out.readToEnd && i <= m) out.rows[static_cast<std::size_t>(i)] = kContinuationRow;
    return out;
}

void ApplyKindWording(std::string& line, const LedgerPageInputs& in) {
    if (in.allBooks) return;
    if (in.bookKind == kCashKind && in.useType == 2) {
        ReplacePlaceholder(line, kAllBooksTitle, kAllowanceBookName, false);
        ReplacePlaceholder(line, kCashBookName, kAllowanceBookName, false);
    } else if (in.bookKind == kCashKind && in.useType == 1) {
        ReplacePlaceholder(line, kAllBooksTitle, UseTypeName(in.useType), false);
    } else if (in.bookKind == kPettyKind) {
        ReplacePlaceholder(line, kAllBooksTitle, "小口現金", false);
    } else if (in.bookKind == kBankKind) {
        ReplacePlaceholder(line, kAllBooksTitle, "銀行勘定帳", false);
    }
}

// The heading values of one page, worked out once for all its lines.
struct Headings {
    Headings(const LedgerPageInputs& in, const std::string& title)
        : year(FormatDate("yyyy", in.today)),
          month(FormatDate("mm", in.today)),
          day(FormatDate("dd", in.today)),
          weekday(FormatDate("ddd", in.today)),
          namedTitle(in.allBooks ? std::string() : title),
          prefixedTitle(TitlePrefix(title) + title),
          page(std::to_string(in.page)) {
        const bool kokuyo = IsKokuyo(in.paperIndex);
        const bool filtered = !in.accountFilter.empty();
        allMonthsSearch = filtered && in.monthsToPrint == 13;
        if (allMonthsSearch) {
            const std::string start = std::to_string(in.startYear);
            period = kokuyo ? start : start + "年度";
        } else if (filtered && !kokuyo) {
            period = in.yearPanel + "年" + in.monthPanel + "月";
        } else {
            period = in.yearPanel;
        }
    }

    std::string year;
    std::string month;
    std::string day;
    std::string weekday;
    std::string namedTitle;     // "#NS"
    std::string prefixedTitle;  // "#tl"
    std::string page;
    std::string period;  // "#PY"
    bool allMonthsSearch = false;
};

void FillHeadings(std::string& line, const LedgerPageInputs& in, const Headings& h) {
    ReplacePlaceholder(line, "#Y", h.year, false);
    ReplacePlaceholder(line, "#M", h.month, false);
    ReplacePlaceholder(line, "#D", h.day, false);
    ReplacePlaceholder(line, "#W", h.weekday, false);
    ReplacePlaceholder(line, "#OF", in.companyName, false);
    ReplacePlaceholder(line, "#NS", h.namedTitle, false);
    ReplacePlaceholder(line, "#tl", h.prefixedTitle, false);
    ReplacePlaceholder(line, "#PY", h.period, false);
    if (h.allMonthsSearch) ReplacePlaceholder(line, "#PM月分", "", false);
    ReplacePlaceholder(line, "#PM", in.monthPanel, false);
    ReplacePlaceholder(line, "#pg", h.page, false);
    ReplacePlaceholder(line, "#KF", in.accountFilter, false);
}

struct RowPlaceholder {
    int row = 0;
    RowField field = kIa;
    std::string text;  // prefix + row number, as the line holds it
};

// The placeholder a line gets filled: the lowest row number 1..m found, and for one row the
// first field in kRowPrefixes order. A row number is "01".."99", then three digits and more
// without a leading zero, so "#ia_100" also holds row 10 as "#ia_10".
std::optional<RowPlaceholder> FindRowPlaceholder(std::string_view line, int m) {
    std::optional<RowPlaceholder> best;
    auto consider = [&](int row, RowField field, std::string_view text) {
        if (row < 1 || row > m) return;
        if (best && (best->row < row || (best->row == row && best->field <= field))) return;
        best = RowPlaceholder{row, field, std::string(text)};
    };
    for (std::size_t at = line.find('#'); at != std::string_view::npos;
         at = line.find('#', at + 1)) {
        for (int f = 0; f < kRowFieldCount; ++f) {
            if (line.compare(at, kPrefixLength, kRowPrefixes[static_cast<std::size_t>(f)]) != 0)
                continue;
            std::size_t end = at + kPrefixLength;
            while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
            const std::string_view digits =
                line.substr(at + kPrefixLength, end - at - kPrefixLength);
            long long row = 0;
            for (std::size_t len = 1; len <= digits.size() && row <= m; ++len) {
                row = row * 10 + (digits[len - 1] - '0');
                const bool written = len == 2 || (len > 2 && digits[0] != '0');
                if (written)
                    consider(static_cast<int>(row), static_cast<RowField>(f),
                             line.substr(at, kPrefixLength + len));
            }
        }
    }
    return best;
}

void SetRedWhenNegative(std::string& line, std::string_view balance, bool red) {
    if (red && balance.find('-') != std::string_view::npos)
        line = SetLineField(line, kRedColour, 19);
}

// Amounts of more than ten characters are drawn smaller, so that they stay in their column.
void FillAmount(std::string& line, const std::string& placeholder, std::string_view amount) {
    if (const auto shrink = LongAmountShrink(CodePointCount(amount))) {
        line = SetLineField(line, shrink->size, 15);
        line = SetLineField(line, shrink->pitch, 18);
    }
    ReplacePlaceholder(line, placeholder, amount, false);
}

void FillBalance(std::string& line, const std::string& placeholder, std::string_view balance,
                 bool red) {
    SetRedWhenNegative(line, balance, red);
    FillAmount(line, placeholder, balance);
}

// A KOKUYO form has ten boxes for an amount, one digit centred in each. A longer amount is
// drawn smaller within the ten boxes, each digit 0.8 mm narrower than its pitch so
// that the last one stays inside the last box.
void FillKokuyoAmount(std::string& line, const std::string& placeholder, std::string_view amount) {
    constexpr std::size_t kBoxes = 10;
    const std::size_t length = CodePointCount(amount);
    const Amount box = AbsMm(Amount::TryParse(FieldNView(line, ";", 18)).value_or(Amount()));
    if (length > kBoxes && !box.IsZero()) {
        const double boxMm = static_cast<double>(box.Raw()) / Amount::kScale;
        const AmountShrink shrink = ShrinkToWidth(length, kBoxes * boxMm, 0.8);
        line = SetLineField(line, shrink.size, 15);
        line = SetLineField(line, shrink.pitch, 18);
    }
    ReplacePlaceholder(line, placeholder, amount, false);
}

void FillKokuyoBalance(std::string& line, const std::string& placeholder, std::string_view balance,
                       const LedgerPageInputs& in) {
    SetRedWhenNegative(line, balance, in.negativeInRed);
    // "整数での表示": the form's own columns say which side a figure is on.
    const bool withoutSign = IsKokuyo(in.paperIndex) && in.kokuyoNegatives == 0 &&
                             balance.find('-') != std::string_view::npos;
    FillKokuyoAmount(line, placeholder, withoutSign ? ReplaceAll(balance, "-", "") : balance);
}

void FillRow(std::string& line, const RowPlaceholder& at, const std::string& row,
             const LedgerPageInputs& in) {
    auto field = [&row](int n) { return SemicolonFieldN(row, n); };
    switch (at.field) {
        case kIa:
            ReplacePlaceholder(line, at.text, CutAtParen(field(1)), false);
            break;
        case kIb:
            ReplacePlaceholder(line, at.text, field(2), false);
            break;
        case kIc:
            ReplacePlaceholder(line, at.text, field(3), false);
            break;
        case kId:
            FillAmount(line, at.text, field(4));
            break;
        case kCd:
            FillKokuyoAmount(line, at.text, field(4));
            break;
        case kIe:
            FillAmount(line, at.text, field(5));
            break;
        case kCe:
            FillKokuyoAmount(line, at.text, field(5));
            break;
        case kIf:
            FillBalance(line, at.text, field(6), in.negativeInRed);
            break;
        case kCa:
            ReplacePlaceholder(line, at.text, SemicolonFieldN(DateDigits(row), 1), false);
            break;
        case kCf:
            FillKokuyoBalance(line, at.text, field(6), in);
            break;
        case kCg:
            ReplacePlaceholder(line, at.text, DayOfDate(field(1)), false);
            break;
        case kRowFieldCount:
            break;
    }
}

void CleanUp(std::string& line, int m) {
    const std::string number = RowNumber(m);
    for (std::string_view prefix : kCleanUpOrder)
        ReplacePlaceholder(line, std::string(prefix) + number, "", false);
}

}  // namespace

std::string LedgerPageTitle(const LedgerPageInputs& in) {
    if (in.allBooks) return std::string(kAllBooksTitle);
    const std::string suffix = in.accountFilter.empty() ? "" : "－" + in.accountFilter;
    if (in.bookKind == kCashKind && in.useType == 2)
        return std::string(kAllowanceBookName) + suffix;
    return in.bookName + suffix;
}

int LedgerPageCount(int rowsPerPage, std::size_t dataLines) {
    const auto n = static_cast<std::int64_t>(dataLines);
    if (rowsPerPage <= 0 || n <= rowsPerPage) return 1;
    const std::int64_t continued = std::max(rowsPerPage - 1, 1);
    const std::int64_t pages = 1 + (n - rowsPerPage + continued - 1) / continued;
    return static_cast<int>(std::min<std::int64_t>(pages, std::numeric_limits<int>::max()));
}

FillResult FillLedgerPage(StyleList& style, const std::vector<std::string>& printData,
                          const LedgerPageInputs& inputs) {
    const int m = TakeRowsPerPage(style);
    const PageRows page = RowsOfPage(printData, m, inputs.page, IsKokuyo(inputs.paperIndex));
    const Headings headings(inputs, LedgerPageTitle(inputs));
    for (int index = 0; index < style.Count(); ++index) {
        std::string line = style.Line(index);
        ApplyKindWording(line, inputs);
        if (line.find('#') != std::string::npos) {
            FillHeadings(line, inputs, headings);
            if (auto at = FindRowPlaceholder(line, m))
                FillRow(line, *at, page.rows[static_cast<std::size_t>(at->row)], inputs);
        }
        if (line.find('#') != std::string::npos) CleanUp(line, m);
        style.SetLine(index, std::move(line));
    }
    return {page.readToEnd || m == 0};
}

}  // namespace velmora
