#pragma once
// "登　録" and "削  除" of the entry form. Register checks in a fixed order and refuses
// before anything changes; then it builds the record, places it in date order, moves the
// main calendar to its date and asks for the ledger view.
#include "core/entry/entry_checks.h"
#include "core/entry/entry_form.h"
#include "core/ledgerview/view_state.h"
#include "core/session/session.h"

namespace velmora {

inline constexpr const char* kBlankLineQuestion = "空白行として登録しますか？";
inline constexpr const char* kDeleteQuestion = "削除していいですか？";

struct RegisterResult {
    bool stored = false;     // false: refused, nothing changed
    bool closeForm = false;  // edit mode, or "連続入力" unchecked
    int line = -1;           // where the record now stands in the transaction list
};

// "登　録" (and Enter in an amount field).
RegisterResult RegisterEntry(Session& session, ViewState& view, EntryForm& form);

// "削  除" in edit mode, after its question. True when the record was deleted; the form
// then closes.
bool DeleteEntry(Session& session, EntryForm& form);

}  // namespace velmora
