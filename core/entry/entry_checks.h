#pragma once
// The checks a record goes through before it is stored, in the entry form's order and
// with its messages: the amounts, the title and the description, the date against the
// fiscal year's periods and locks, the characters the ledger file can hold. The entry
// form and the statement import both apply them; each gives the refusal's text, empty
// when the record passes.
#include <cstdint>
#include <string>
#include <vector>

#include "core/ledger/ledger.h"
#include "core/util/amount.h"
#include "core/util/date.h"

namespace velmora {

inline constexpr const char* kBothAmountsMessage =
    "収入・支出に金額が入力されています。どちらか一方のみ入力して下さい";
inline constexpr const char* kNoAmountMessage =
    "収入・支出がどちらも入力されていません。どちらか一方には必ず入力して下さい";
inline constexpr const char* kNoTitleMessage = "科目が入力されていません";
inline constexpr const char* kNoDescriptionMessage = "摘要が入力されていません";
inline constexpr const char* kNoPeriodMessage =
    "指定された日付はどの月切にも該当しません。環境設定の期間設定を確認して下さい。";
inline constexpr const char* kLockedEntryMessage =
    "この月のデ－タはロックされていますので入力はできません。";
// The largest amount an entry takes, in yen: twelve digits before the decimal point.
inline constexpr std::int64_t kEntryAmountLimitYen = 999'999'999'999;
inline constexpr const char* kEntryAmountLimitMessage = "金額は12桁（999,999,999,999円）までです。";
inline constexpr const char* kEntryOverflowMessage =
    "この金額を登録すると残高が計算できる範囲を超えます。";

// "開始日以前の日付は入力できません\r\n記録開始日は" + the first day + "です".
std::string BeforeStartMessage(Date firstDay);

// More than twelve digits, then both amounts given.
std::string AmountsRefusal(Amount income, Amount expense);

// No amount, no title, no description (after trimming, ideographic spaces included); a
// blank line, which has none of the three, is asked about before and not refused here.
std::string MissingRefusal(Amount income, Amount expense, const std::string& title,
                           const std::string& description);

// A title on the titles tab is one of the title list; only an edited record may keep the
// title it has (a title since renamed or removed from the list).
inline constexpr const char* kUnlistedTitleMessage = "科目は科目リストから選択して下さい";
std::string UnlistedTitleRefusal(const std::string& title,
                                 const std::vector<std::string>& titleList,
                                 const std::string* keptTitle);

// A date before the fiscal year's first day, in no period, or in a locked one. On a pass,
// month is the period's calendar month (the highest when periods overlap).
std::string DateRefusal(const Ledger& ledger, Date date, int& month);

// The refusal of a title or description (field names it: "科目", "摘要") that the ledger
// file could not hold.
std::string Cp932Refusal(const char* field, const std::string& text);

}  // namespace velmora
