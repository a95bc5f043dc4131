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

ApplyOutcome ApplySettingsForm(Session& session, FiscalSettingsForm& form) {
    const ApplyOutcome outcome = ApplyFiscalSettings(
        form, FiscalApplyTarget{session.ledger, session.modified, session.dialogs(),
                                session.writer(), session.SettingsPath()});
    if (outcome == ApplyOutcome::Applied) form.applied = true;
    return outcome;
}

void ReapplySettings(Session& session, bool applied) {
    Ledger& ledger = session.ledger;
    RenameCashBookInRecords(ledger);
    try {
        session.settings = ReadSettingsFile(session.SettingsPath(), true);
    } catch (const std::exception& error) {
        session.dialogs().ShowInfo("確認", error.what());
    }
    // The month tabs are rebuilt in fiscal order with today's month selected; a dialog
    // closed without applying leaves the month shown.
    if (applied) session.currentMonth = session.clock().Today().Month();
    RetagPeriods(ledger);
    FollowUseType(session.currentBook, ledger);
    FollowUseType(session.lastSelectedBook, ledger);
    session.RecomputeCurrent();
    session.NotifyTitlesChanged();
    session.NotifyViewChanged();
}

SettingsClosed SettingsCommand(Session& session,
                               const std::function<void(FiscalSettingsForm&)>& runDialog) {
    auto form = OpenSettingsForm(session);
    if (!form) return SettingsClosed::Refused;
    runDialog(*form);
    ReapplySettings(session, form->applied);
    return form->applied ? SettingsClosed::Applied : SettingsClosed::Closed;
}

}  // namespace velmora
