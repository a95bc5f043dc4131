#include "core/session/new_ledger.h"

#include "core/ledger/kept_balances.h"
#include "core/session/book_commands.h"
#include "core/session/file_commands.h"

namespace velmora {

bool NewLedgerCommand(Session& session, int useType) {
    if (session.modified &&
        !session.dialogs().AskYesNo(kAppTitle, kAppTitle, "編集中のデ－タは破棄されます。"))
        return false;
    session.ledger.useType = useType;
    NewLedgerReset(session);
    return true;
}

void NewLedgerReset(Session& session) {
    const Date today = session.clock().Today();
    Ledger& ledger = session.ledger;
    session.lastSelectedBook = ledger.CashBook();
    session.modified = false;
    ledger.transactions.Clear();
    ledger.pettyRegistry.Clear();
    ledger.bankRegistry.Clear();
    session.NotifyLedgerReplaced();
    ledger.periods = Periods::CalendarYear(today.Year());
    session.NotifyTitlesChanged();
    ledger.openingBalance = Amount();
    ledger.startMonth = 1;
    ledger.startYear = today.Year();
    session.currentMonth = today.Month();
    session.accountFilter.clear();
    session.allBooks = false;
    session.balances = Balances{};
    session.monthPanel.clear();
    session.filePanel.clear();
    session.currentFile.clear();
    session.fileIdentity = FileIdentity{};
    session.damagedFile.clear();
    session.currentBook = ledger.CashBook();
    RetagPeriods(ledger);
    session.RecomputeCurrent();
    session.NotifyViewChanged();
    session.dialogs().ShowInfo("確認", kSetPeriodsMessage);
}

namespace {

Amount ClosingBalance(Session& session, const BookId& book) {
    return KeptBalances(session.ledger, book, session.currentMonth).current;
}

void CarryRegistry(Session& session, LineList& registry, std::string_view kind) {
    for (int i = 0; i < registry.Count(); ++i) {
        const std::string name = RegistryName(registry[i]);
        registry.Put(i,
                     RegistryLine(kind, name, ClosingBalance(session, {std::string(kind), name})));
    }
}

}  // namespace

bool RollOver(Session& session) {
    // Unsaved changes of this year would be lost with its records.
    if (!OfferToSaveChanges(session)) return false;
    auto chosen = session.dialogs().AskSaveFile(
        LedgerFileRequest(session, "現金出納帳-Velmora5-ファイル|*.exv", false));
    if (!chosen) return false;
    // Next year's ledger written over this year's file would leave this year nowhere.
    if (RefuseProtectedOutput(session, *chosen)) return false;

    const Ledger thisYear = session.ledger;
    const std::string previousFile = session.currentFile;
    const std::string previousPanel = session.filePanel;
    const FileIdentity previousIdentity = session.fileIdentity;
    const std::string previousDamaged = session.damagedFile;
    const bool wasModified = session.modified;

    Ledger& ledger = session.ledger;
    ledger.openingBalance = ClosingBalance(session, ledger.CashBook());
    CarryRegistry(session, ledger.pettyRegistry, kPettyKind);
    CarryRegistry(session, ledger.bankRegistry, kBankKind);
    // The use type stays: an allowance book carries on as an allowance book.
    session.modified = false;
    ledger.transactions.Clear();
    ledger.startYear += 1;
    for (int k = 1; k <= 12; ++k) {
        ledger.periods.start[k] = ledger.periods.start[k].AddMonths(12);
        ledger.periods.end[k] = ledger.periods.end[k].AddMonths(12);
        ledger.periods.lock[k] = 0;
    }
    SelectCashBook(session);
    session.filePanel.clear();
    // Next year's ledger is whole, whatever this year's file lacked.
    session.damagedFile.clear();
    if (SaveLedger(session, *chosen)) return true;

    // The new year could not be written: this year's ledger comes back as it was.
    session.ledger = thisYear;
    session.currentFile = previousFile;
    session.filePanel = previousPanel;
    session.fileIdentity = previousIdentity;
    session.damagedFile = previousDamaged;
    SelectCashBook(session);
    session.modified = wasModified;
    return false;
}

}  // namespace velmora
