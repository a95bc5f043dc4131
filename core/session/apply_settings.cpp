#include "core/session/apply_settings.h"

#include <exception>

#include "core/ledger/record.h"

namespace velmora {
namespace {

void RenameCashBookInRecords(Ledger& ledger) {
    const std::string useTypeName = ledger.UseTypeName();
    const std::string_view otherName =
        useTypeName == kCashBookName ? kAllowanceBookName : kCashBookName;
    LineList& list = ledger.transactions;
    RecordSplit split;
    for (int i = 0; i < list.Count(); ++i) {
        const std::string& line = list[i];
        if (!IsRecordLine(line) || line.find(otherName) == std::string::npos) continue;
        split.Split(line);
        auto fields = RecordFieldsOf(split);
        if (RenameCashBookFields(fields, useTypeName)) list.Put(i, JoinRecord(fields));
    }
}

// The status panels name the cash book by the use type too; without this the current
// book would name a book no record belongs to any more.
void FollowUseType(BookId& book, const Ledger& ledger) {
    if (book.kind == kCashKind) book.name = ledger.UseTypeName();
}

}  // namespace

std::optional<FiscalSettingsForm> OpenSettingsForm(Session& session) {
    if (!session.accountFilter.empty()) {
        session.dialogs().ShowInfo("確認", kSettingsWhileFilteredMessage);
        return std::nullopt;
    }
    return FiscalSettingsForm::Show(session.ledger, session.SettingsPath(), session.dialogs());
}

ApplyOutcome ApplySettingsForm(Session& session, const FiscalSettingsForm& form) {
    return ApplyFiscalSettings(
        form, FiscalApplyTarget{session.ledger, session.modified, session.dialogs(),
                                session.writer(), session.SettingsPath()});
}

void ReapplySettings(Session& session) {
    Ledger& ledger = session.ledger;
    RenameCashBookInRecords(ledger);
    try {
        session.settings = ReadSettingsFile(session.SettingsPath(), true);
    } catch (const std::exception& error) {
        session.dialogs().ShowInfo("確認", error.what());
    }
    // The month tabs are rebuilt in fiscal order with today's month selected.
    session.currentMonth = session.clock().Today().Month();
    RetagPeriods(ledger);
    FollowUseType(session.currentBook, ledger);
    FollowUseType(session.lastSelectedBook, ledger);
    session.RecomputeCurrent();
    session.NotifyTitlesChanged();
    session.NotifyViewChanged();
}

bool SettingsCommand(Session& session, const std::function<void(FiscalSettingsForm&)>& runDialog) {
    auto form = OpenSettingsForm(session);
    if (!form) return false;
    runDialog(*form);
    ReapplySettings(session);
    return true;
}

}  // namespace velmora
