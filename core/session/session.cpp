#include "core/session/session.h"

#include "core/ledger/kept_balances.h"
#include "core/util/paths.h"

namespace velmora {

Session::Session(SessionServices services) : services_(std::move(services)) {
    currentBook = ledger.CashBook();
    lastSelectedBook = currentBook;
    currentMonth = services_.clock.Today().Month();
}

std::string Session::SettingsPath() const {
    return JoinPath(workingFolder(), kSettingsFileName);
}

void Session::NotifyViewChanged() const {
    if (listener_ != nullptr) listener_->ViewChanged();
}

void Session::NotifyLedgerReplaced() const {
    if (listener_ != nullptr) listener_->LedgerReplaced();
}

void Session::NotifyTitlesChanged() const {
    if (listener_ != nullptr) listener_->TitlesChanged();
}

LineList::Lines Session::RecordLines() {
    SettleBalances(ledger, currentBook);
    return ledger.transactions.Items();
}

void Session::RecomputeCurrent() {
    balances = KeptBalances(ledger, currentBook, currentMonth);
}

}  // namespace velmora
