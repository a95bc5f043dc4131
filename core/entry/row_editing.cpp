#include "core/entry/row_editing.h"

#include <string>

#include "core/entry/entry_record.h"
#include "core/entry/entry_register.h"
#include "core/ledger/record.h"
#include "core/session/book_commands.h"
#include "core/util/errors.h"
#include "core/util/fields.h"

namespace velmora {
namespace {

bool CurrentMonthLocked(const Session& session) {
    return session.ledger.periods.IsLocked(session.currentMonth);
}

bool Refuse(Session& session, const char* text) {
    session.dialogs().ShowInfo(kCheckHeading, text);
    return false;
}

bool ValidLine(const Session& session, int index) {
    return index >= 0 && index < session.ledger.transactions.Count();
}

// The form takes the record at index; a date or an amount that does not read is reported
// and leaves the form as it was.
bool FillForm(Session& session, EntryForm& form, int index) {
    const std::string& line = session.ledger.transactions[index];
    const RecordSplit r(line);
    Date date;
    Amount income, expense;
    try {
        date = Date::Parse(r[kFieldDate]);
        income = AmountOf(r[kFieldIncome]);
        expense = AmountOf(r[kFieldExpense]);
    } catch (const ConversionError& error) {
        session.dialogs().ShowInfo(kCheckHeading, error.what());
        return false;
    }
    form.recordIndex = index;
    form.calendar.Show(date);
    form.storedDate = std::string(r[kFieldDate]);
    form.title = std::string(r[kFieldTitle]);
    form.description = std::string(r[kFieldDescription]);
    form.ownBook = {std::string(r[kFieldOwnKind]), std::string(r[kFieldOwnName])};
    form.otherBook = {std::string(r[kFieldOtherKind]), std::string(r[kFieldOtherName])};
    form.income = income;
    form.expense = expense;
    form.mode = EntryMode::Edit;
    return true;
}

// The refusals of a change to the row carrying recordIndex: a locked month, the
// all-books view, no record (noRecord says so), a transfer seen from its other book.
bool MayChangeRow(Session& session, std::optional<int> recordIndex, const char* noRecord) {
    if (CurrentMonthLocked(session)) return Refuse(session, kLockedChangeMessage);
    if (session.allBooks) return Refuse(session, kAllBooksEntryRefusal);
    if (!recordIndex || !ValidLine(session, *recordIndex)) return Refuse(session, noRecord);
    const RecordSplit r(session.ledger.transactions[*recordIndex]);
    const BookId& book = session.currentBook;
    if (!r.IsOwnBook(book.kind, book.name)) return Refuse(session, kTransferEditMessage);
    return true;
}

}  // namespace

bool EditSelectedRow(Session& session, EntryForm& form, std::optional<int> recordIndex) {
    if (!MayChangeRow(session, recordIndex, kChooseRecordMessage) ||
        !FillForm(session, form, *recordIndex))
        return false;
    ShowEntryForm(session, form);
    return true;
}

bool DeleteSelectedRow(Session& session, EntryForm& form, std::optional<int> recordIndex) {
    if (!MayChangeRow(session, recordIndex, kChooseRecordToDeleteMessage) ||
        !FillForm(session, form, *recordIndex))
        return false;
    ShowEntryDate(form, form.calendar.selected);
    return DeleteEntry(session, form);
}

bool MoveRowDown(Session& session, const LedgerRows& rows, std::size_t selected) {
    if (CurrentMonthLocked(session)) return Refuse(session, kLockedChangeMessage);
    if (selected + 1 >= rows.size() || !rows[selected].RecordIndex())
        return Refuse(session, kCannotMoveDownMessage);
    const LedgerRow& next = rows[selected + 1];
    if (!next.DateText().empty() || !next.RecordIndex())
        return Refuse(session, kCannotMoveDownMessage);
    const int a = *rows[selected].RecordIndex();
    const int b = *next.RecordIndex();
    if (!ValidLine(session, a) || !ValidLine(session, b) || b <= a)
        return Refuse(session, kCannotMoveDownMessage);
    LineList& list = session.ledger.transactions;
    // In the all-periods view no month is current; the record's own period still holds.
    if (session.ledger.periods.IsLocked(TaggedMonth(list[a])))
        return Refuse(session, kLockedChangeMessage);

    const RecordSplit nextRecord(list[b]);
    const std::string otherKind(nextRecord[kFieldOtherKind]);
    const std::string otherName(nextRecord[kFieldOtherName]);
    int t = a + 1;
    for (RecordSplit r; t < b; ++t) {
        r.Split(list[t]);
        if (r.IsOtherBook(otherKind, otherName)) break;
    }
    for (int i = t; i > a; --i) list.Exchange(i - 1, i);

    session.RecomputeCurrent();
    // The new order is a change like any other: closing must offer to save it.
    session.modified = true;
    session.NotifyViewChanged();
    return true;
}

bool RecalculateDates(Session& session) {
    if (!session.dialogs().AskYesNo(kAppTitle, kAppTitle, kRecalculateDatesQuestion)) return false;
    LineList& list = session.ledger.transactions;
    std::vector<std::string> tags;
    tags.reserve(static_cast<std::size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) tags.push_back(list[i].substr(0, 4));
    RetagPeriods(session.ledger);
    int retagged = 0;
    for (int i = 0; i < list.Count(); ++i)
        if (list[i].compare(0, 4, tags[static_cast<std::size_t>(i)]) != 0) ++retagged;
    const int moved = SortRecordsByDate(list);
    if (retagged > 0 || moved > 0) session.modified = true;
    session.RecomputeCurrent();
    session.NotifyViewChanged();
    std::string said = std::to_string(retagged) + kDatesRecalculated;
    if (moved > 0) said += "\r\n" + std::to_string(moved) + kRecordsReordered;
    session.dialogs().ShowInfo("確認", said);
    return true;
}

bool RecalculateAmounts(Session& session) {
    if (!session.dialogs().AskYesNo(kAppTitle, kAppTitle, kRecalculateAmountsQuestion))
        return false;
    const std::vector<std::string> before = session.ledger.transactions.Items();
    session.RecomputeCurrent();
    session.NotifyViewChanged();
    const LineList::Lines after = session.ledger.transactions.Items();
    int changed = 0;
    for (std::size_t i = 0; i < after.size(); ++i)
        if (after[i] != before[i]) ++changed;
    session.dialogs().ShowInfo("確認", std::to_string(changed) + kBalancesRecalculated);
    return true;
}

}  // namespace velmora
