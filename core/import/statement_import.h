#pragma once
// A bank's statement brought into one book: which cells make each record, what every row
// would become (the entry form's checks, the fiscal year, the records already in the
// book), and the import itself, all rows at once in date order.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/import/statement_file.h"
#include "core/import/title_rules.h"
#include "core/ledger/book.h"
#include "core/ledger/ledger.h"
#include "core/util/amount.h"
#include "core/util/date.h"

namespace velmora {

// The amounts as two columns (deposit, withdrawal) or as one signed column (a negative
// amount is a withdrawal).
enum class AmountColumns { DepositAndWithdrawal, Signed };

// Columns counted from 1, as a spreadsheet shows them; 0 for none.
struct StatementColumns {
    int date = 0;
    int description = 0;
    AmountColumns amounts = AmountColumns::DepositAndWithdrawal;
    int deposit = 0;
    int withdrawal = 0;
    int amount = 0;
    int balance = 0;  // the statement's balance after the row, to check the book against
    int title = 0;    // an account title per row, as the program's own export writes it
    bool operator==(const StatementColumns&) const = default;
};

// Where a row's account title comes from when no title column is chosen: the one title
// for every row, or the first rule whose text its description contains (then the one
// title, when given, for the rows no rule meets).
enum class TitleChoice { AllRows, Rules };

// The book columns of the program's own export: kind, name, other kind, other name, counted
// from 1 (0: none). With all four, a transfer between the chosen book and another comes
// back as that transfer.
using BookColumns = std::array<int, 4>;

struct ImportChoices {
    StatementColumns columns;
    int skipRows = 0;  // header rows at the top
    BookId book;
    TitleChoice titleChoice = TitleChoice::AllRows;
    std::string title;
    bool widenKana = true;  // half-width katakana in descriptions as full-width
    BookColumns bookColumns{};
};

enum class RowVerdict { Import, Refused, OutsideYear, Duplicate };

struct PlannedRow {
    int fileRow = 0;  // the row's number in the file, from 1
    RowVerdict verdict = RowVerdict::Import;
    std::string reason;  // why a row is not imported
    Date date;
    int month = 0;  // the period of the date
    std::string title;
    std::string description;
    Amount income;  // as the chosen book sees the record
    Amount expense;
    std::optional<Amount> balance;
    // A transfer: the book on the record's other side, and whether the chosen book is the
    // record's other book (which sees the record's amounts the other way round).
    std::optional<BookId> transferWith;
    bool bookIsOtherSide = false;
};

struct ImportPlan {
    BookId book;
    std::vector<PlannedRow> rows;  // every row after the header rows, in file order
    // The statement lists its newest row first: rows of one day go into the book the
    // other way round.
    bool newestFirst = false;
    int Count(RowVerdict verdict) const;
};

inline constexpr const char* kUnreadableDate = "日付を読み取れません";
inline constexpr const char* kUnreadableAmount = "金額を読み取れません";
inline constexpr const char* kOutsideYear = "会計年度外の日付です";
inline constexpr const char* kDuplicateRow = "同じ日付・金額・摘要の記録が帳簿にあります";
inline constexpr const char* kUnknownBook = "相手の帳簿がありません";

// What every row would become in the book. A row of empty cells is passed over. A row is
// a duplicate when the book holds a record of the same date, amount (as the book sees it)
// and description that no earlier row of the statement was matched with.
ImportPlan PlanImport(const Ledger& ledger, const std::vector<StatementRow>& rows,
                      const ImportChoices& choices, const std::vector<TitleRule>& rules);

// The columns and header rows a statement suggests: the first row that has a date and an
// amount starts the data; the row above it, if any, names the columns ("日付", "摘要",
// "お預入れ", "お引出し", "金額", "残高", ...).
struct SuggestedLayout {
    StatementColumns columns;
    int skipRows = 0;
    BookColumns bookColumns{};  // the export's "種別", "帳簿名", "相手種別", "相手帳簿名"
};
SuggestedLayout SuggestLayout(const std::vector<StatementRow>& rows);

}  // namespace velmora
