#pragma once
// "登　録" and "削  除" of the entry form. Register checks in a fixed order and refuses
// before anything changes; then it builds the record, places it in date order, moves the
// main calendar to its date and asks for the ledger view.
#include <cstdint>

#include "core/entry/entry_form.h"
#include "core/ledgerview/view_state.h"
#include "core/session/session.h"

namespace velmora {

inline constexpr const char* kBothAmountsMessage =
    "収入・支出に金額が入力されています。どちらか一方のみ入力して下さい";
inline constexpr const char* kBlankLineQuestion = "空白行として登録しますか？";
inline constexpr const char* kNoAmountMessage =
    "収入・支出がどちらも入力されていません。どちらか一方には必ず入力して下さい";
inline constexpr const char* kNoTitleMessage = "科目が入力されていません";
inline constexpr const char* kNoDescriptionMessage = "摘要が入力されていません";
inline constexpr const char* kNoPeriodMessage =
    "指定された日付はどの月切にも該当しません。環境設定の期間設定を確認して下さい。";
inline constexpr const char* kLockedEntryMessage =
    "この月のデ－タはロックされていますので入力はできません。";
inline constexpr const char* kDeleteQuestion = "削除していいですか？";
// The largest amount an entry takes, in yen: twelve digits before the decimal point.
inline constexpr std::int64_t kEntryAmountLimitYen = 999'999'999'999;
inline constexpr const char* kEntryAmountLimitMessage = "金額は12桁（999,999,999,999円）までです。";
inline constexpr const char* kEntryOverflowMessage =
    "この金額を登録すると残高が計算できる範囲を超えます。";

// "開始日以前の日付は入力できません\r\n記録開始日は" + the first day + "です".
std::string BeforeStartMessage(Date firstDay);

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
