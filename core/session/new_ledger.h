#pragma once
// A new, empty ledger of either use type, and next year's ledger made from this one.
#include "core/session/session.h"

namespace velmora {

inline constexpr const char* kSetPeriodsMessage = "環境設定にて開始月と締日を設定して下さい";

// "新規作成(現金出納帳)" (useType 1) / "新規作成(おこづかい帳)" (2). True when reset.
bool NewLedgerCommand(Session& session, int useType);
// Empties the ledger for the use type already set and asks for the periods to be set.
void NewLedgerReset(Session& session);

// "表示中のデータから残高を引き継いで次年度分を作成": asks for the new file's name, carries
// every book's closing balance into the new year's opening balances, moves the periods
// one year on, and saves. True when the new year's file was saved.
bool RollOver(Session& session);

}  // namespace velmora
