#pragma once
// The ledger view of the main window: the rows of the current book (or of all books) in
// the current month, with carry rows, totals and the texts above the grid. The same
// procedure runs after every change of the ledger or of the view state.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ledgerview/ledger_row.h"
#include "core/ledgerview/ledger_rows.h"
#include "core/ledgerview/view_state.h"
#include "core/session/book_commands.h"
#include "core/session/session.h"

namespace velmora {

inline constexpr std::string_view kStartCarryText = "■前年度繰越";
inline constexpr std::string_view kMonthCarryText = "■前月繰越";
inline constexpr std::string_view kMonthTotalText = "【当月合計】";
inline constexpr std::string_view kFilteredTotalText = "【合  計】";
inline constexpr std::string_view kClosingCarryText = "□次月繰越";

// Row 0 of the grid, columns 1..6.
inline constexpr std::array<std::string_view, 6> kLedgerHeaders{"日　付", "科　目", "摘　要",
                                                                "収　入", "支　出", "差引残高"};

struct LedgerViewResult {
    // Grid rows from row 1 on: rows[0] is grid row 1. The end mark row of a filtered view
    // is the last one.
    LedgerRows rows;
    std::string totalIncome;                   // `totalincome`
    std::string totalExpense;                  // `totalexpence`
    std::string totalDifference;               // `totalsagaku`
    std::string searchRange;                   // `searchrange`
    std::string bookTitle;                     // `Panel8`
    int ledgerTab = 0;                         // the month tab of the month shown; 0 = "ALL"
    std::vector<BookBalanceRow> bookBalances;  // the "各帳簿別残高" list

    // The grid row of rows[i].
    static int GridRow(std::size_t i) { return static_cast<int>(i) + 1; }
};

// Builds the view: refreshes the book balance list, recomputes the current book, and
// lists the records of the current month that pass the filters. Sets the period totals
// of the month in view and, for a month other than 13, the last month shown.
LedgerViewResult ShowLedgerView(Session& session, ViewState& view);

// "先頭行へ移動" (PgUp) selects this grid row.
inline constexpr int kTopRow = 1;
// "最終行へ移動" (PgDn): the grid row above the first row marked "=" (the closing carry or
// the end mark), at least row 1. A view without such a row (its closing carry is
// negative) selects its last row.
int MoveDownRow(const LedgerViewResult& view);

// Ledger grid rows are this high, in pixels.
inline constexpr int kLedgerRowHeight = 20;
// The grid's row count below its header: the rows written, or the rows that fit in a
// visible height when that is more, so that an empty window still shows ruled rows.
int PaddedRowCount(std::size_t written, int visibleHeight, int rowHeight = kLedgerRowHeight);

// The balance cell is drawn red when the option "[OPTION2]=TRUE" is on and it holds "-".
bool BalanceInRed(const Session& session, const LedgerRow& row);
// The same for a balance of the "各帳簿別残高" list.
bool BalanceInRed(const Session& session, const BookBalanceRow& row);

// 'mm"月"dd"日"' + "(" + weekday + ")": the date label of the first row of a day.
std::string DayLabel(Date date);

// The text of `searchrange` and of `Panel8` for the view state.
std::string SearchRangeText(const Session& session, const ViewState& view);
std::string BookTitleText(const Session& session);

// The first line whose month tag (field 0) is tag; Count() when there is none.
int FirstLineOfMonth(const LineList& list, const std::string& tag);

}  // namespace velmora
