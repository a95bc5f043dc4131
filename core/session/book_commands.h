#pragma once
// Selecting the current book, the list of all books with their balances, and adding,
// renaming, re-balancing and deleting petty-cash and bank books.
#include <string>
#include <vector>

#include "core/session/session.h"

namespace velmora {

inline constexpr const char* kCheckHeading = "確認してください。";

void SelectCashBook(Session& session);
// A petty-cash or bank book chosen in the book list.
void SelectBook(Session& session, const BookId& book);
// The all-books view: "全帳簿" in both panels.
void SelectAllBooks(Session& session);

// The names in the registry of kind ("小口" or "預金"), in registry order.
std::vector<std::string> BookNames(const Session& session, const std::string& kind);

struct BookBalanceRow {
    std::string kind;
    std::string name;
    std::string balanceText;  // the current-month balance, "#,##0"

    std::string HiddenText() const { return kind + ";" + name + ";" + balanceText + ";"; }
    std::string Label() const { return kind + "|" + name; }
};

// The cash book, then every petty-cash book, then every bank book, each recomputed for
// the current month. Afterwards field 7 of the records holds the balances of the last
// book listed: the caller recomputes for the current book before showing records.
std::vector<BookBalanceRow> BookBalanceList(Session& session);

// BookBalanceList followed by RecomputeCurrent, as the ledger view runs them, in one walk
// over the ledger: the same rows, the same lines and the same session.balances.
std::vector<BookBalanceRow> BookBalanceListAndRecomputeCurrent(Session& session);

// The book list dialog's line for a registry entry.
std::string PettyListLine(const std::string& registryLine);
std::string BankListLine(const std::string& registryLine);

// The name as the book data dialog keeps it while typing: at most 16 characters and its
// first 20 CP932 bytes.
std::string CutBookName(const std::string& name);

// "新規追加" with the dialog's name and balance. Refusals are information boxes; true
// when the book was added.
bool AddBook(Session& session, const std::string& kind, const std::string& name, Amount balance);
// "名称・残高変更" of the registry entry at index. True when changed.
bool RenameBook(Session& session, const std::string& kind, int index, const std::string& name,
                Amount balance);
// "削　除" of the registry entry at index, after the question. True when deleted.
bool DeleteBook(Session& session, const std::string& kind, int index);

}  // namespace velmora
