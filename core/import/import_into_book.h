#pragma once
// The import itself: every row the plan takes becomes a record of the book, made as the
// entry form makes one, all placed in date order in one pass. The main calendar moves to
// the last imported day and the ledger view follows, as after an entry.
#include <optional>
#include <string>
#include <vector>

#include "core/import/statement_import.h"
#include "core/ledgerview/view_state.h"
#include "core/session/session.h"

namespace velmora {

// The book's balance after the last imported row and the balance the statement gives on
// that row.
struct BalanceCheck {
    Amount book;
    Amount statement;
    bool Matches() const { return book == statement; }
};

struct AddedRow {
    int fileRow = 0;
    int line = 0;  // the record's line in the transaction list
};

struct ImportResult {
    std::vector<AddedRow> added;  // in date order
    // Nothing was added: why (no row to import, balances out of range); empty otherwise.
    std::string refusal;
    // With a balance column and a statement balance on the last imported row.
    std::optional<BalanceCheck> balance;
};

inline constexpr const char* kNothingToImport = "取り込める行がありません。";

// Adds the plan's rows to the session's ledger. Refused, with nothing changed, when no row
// is left to import or when a balance of the book would no longer fit in an amount.
ImportResult ImportIntoBook(Session& session, ViewState& view, const ImportPlan& plan);

// The result in words: how many rows were added and not added (and why, by kind), and
// whether the balances agree.
std::string ImportResultText(const ImportPlan& plan, const ImportResult& result);

}  // namespace velmora
