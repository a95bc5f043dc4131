#pragma once
// How the books show on screen: the picture and heading above the ledger for the book
// selected, and the book list dialog through which petty-cash and bank books are chosen,
// added, renamed and deleted.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/session/session.h"

namespace velmora {

// The picture below the program folder and the heading beside it.
struct BookHeader {
    std::string image;
    std::string heading;
    bool operator==(const BookHeader&) const = default;
};

// By the kind of the current book: the cash book and the all-books view show bar1, a
// petty-cash book bar2, a bank book bar3.
BookHeader BookHeaderOf(const Session& session);

// The book list dialog (`Tfnotes_select`).
inline constexpr std::array<int, 3> kBookListColumnWidths{0, 212, 103};
inline constexpr std::array<std::string_view, 2> kBookListHeaders{"帳簿名", "前年度残"};
inline constexpr int kBookListMinimumWidth = 377;
inline constexpr int kBookListMinimumHeight = 470;

// "小口現金帳簿選択" or "預金帳簿選択".
std::string BookListHeading(const std::string& kind);

struct BookListRow {
    std::string name;
    std::string balanceText;  // the opening balance in currency form: "\5,000"
    // The hidden first column: name + ";" + balance + ";".
    std::string HiddenText() const { return name + ";" + balanceText + ";"; }
    // The balance as the grid shows it. The currency form carries the code page's yen
    // sign, the byte of "\"; a Unicode screen shows that byte as a backslash, so the grid
    // writes the yen sign itself: "¥5,000".
    std::string ShownBalance() const;
};

// One row per registry entry of kind, in registry order.
std::vector<BookListRow> BookListRows(const Session& session, const std::string& kind);

// The book data dialog (`TfnotesData`): the name is cut while typing (CutBookName), the
// opening balance typed through the numeric field.
inline constexpr const char* kBookNameHint = "(全角10文字以内)";
inline constexpr int kBookNameMaxLength = 16;
inline constexpr int kBookBalanceMaxLength = 9;
inline constexpr long long kBookBalanceMax = 999999999;

}  // namespace velmora
