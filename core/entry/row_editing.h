#pragma once
// Commands on the rows of the ledger view: editing the selected record through the entry
// form, moving it one place down within its day, and working out the period tags or the
// balances again.
#include <cstddef>
#include <optional>
#include <vector>

#include "core/entry/entry_form.h"
#include "core/ledgerview/ledger_row.h"
#include "core/session/session.h"

namespace velmora {

inline constexpr const char* kCannotMoveDownMessage = "このデ－タは下に移動する事はできません。";

// "修正" (Ctrl+F5), a double-click on the grid and "この行を修正する" on the row carrying
// recordIndex (none on carry, totals and empty rows). Refused in a locked month, in the
// all-books view, without a record, and for a transfer seen from its other book;
// otherwise the form is filled from the record in edit mode and shown. True when the
// form is to be shown.
bool EditSelectedRow(Session& session, EntryForm& form, std::optional<int> recordIndex);

// "一行下へ移動する" on rows[selected] of the view shown: the record changes places with
// the next row's record of the same day; records of other books between them move down
// with it, keeping their order. True when moved.
bool MoveRowDown(Session& session, const std::vector<LedgerRow>& rows, std::size_t selected);

// "日付再計算": after the periods were changed by hand, every record gets the tag of its
// period again, and the current book is recomputed.
void RecalculateDates(Session& session);

// "金額再計算": the current book's balances from the first line on.
void RecalculateAmounts(Session& session);

}  // namespace velmora
