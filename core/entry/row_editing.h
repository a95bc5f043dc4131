#pragma once
// Commands on the rows of the ledger view: editing the selected record through the entry
// form, moving it one place down within its day, and working out the period tags or the
// balances again.
#include <cstddef>
#include <optional>
#include <vector>

#include "core/entry/entry_form.h"
#include "core/ledgerview/ledger_rows.h"
#include "core/session/session.h"

namespace velmora {

inline constexpr const char* kCannotMoveDownMessage = "このデ－タは下に移動する事はできません。";

// "修正" (Ctrl+F5), a double-click on the grid and "この行を修正する" on the row carrying
// recordIndex (none on carry, totals and empty rows). Refused in a locked month, in the
// all-books view, without a record, and for a transfer seen from its other book;
// otherwise the form is filled from the record in edit mode and shown. True when the
// form is to be shown.
bool EditSelectedRow(Session& session, EntryForm& form, std::optional<int> recordIndex);

// Delete on the grid's row carrying recordIndex: refused as editing it is (a row without a
// record with a message of its own); otherwise the record is taken into the form as for
// editing and deleted as the form's "削  除" deletes it, after the same question. True when
// it was deleted.
bool DeleteSelectedRow(Session& session, EntryForm& form, std::optional<int> recordIndex);

// "一行下へ移動する" on rows[selected] of the view shown: the record changes places with
// the next row's record of the same day; records of other books between them move down
// with it, keeping their order. True when moved.
bool MoveRowDown(Session& session, const LedgerRows& rows, std::size_t selected);

inline constexpr const char* kRecalculateDatesQuestion =
    "すべてのデータの月度を現在の期間設定で付け直し、日付順に並べ直します。よろしいですか？";
inline constexpr const char* kRecalculateAmountsQuestion =
    "表示中の帳簿の残高を最初のデータから計算し直します。よろしいですか？";
// After the count of records.
inline constexpr const char* kDatesRecalculated = " 件の日付を再計算しました";
inline constexpr const char* kRecordsReordered = " 件を日付順に並べ替えました";
inline constexpr const char* kBalancesRecalculated = " 件の残高を再計算しました";

// "日付再計算": after the periods were changed by hand, every record gets the tag of its
// period again and the records are put into date order (a day's records keep their
// order), since the ledger view reads a month as one run of lines; then the current book
// is recomputed. Asks first and says how many records changed. False when declined.
bool RecalculateDates(Session& session);

// "金額再計算": the current book's balances from the first line on, after a question;
// says how many balances changed. False when declined.
bool RecalculateAmounts(Session& session);

}  // namespace velmora
