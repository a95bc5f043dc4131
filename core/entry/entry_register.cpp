#include "core/entry/entry_register.h"

#include <vector>

#include "core/entry/entry_record.h"
#include "core/ledger/kept_balances.h"
#include "core/ledger/record.h"
#include "core/ledgerview/main_calendar.h"
#include "core/session/book_commands.h"
#include "core/util/codepage.h"
#include "core/util/errors.h"
#include "core/util/fields.h"

namespace velmora {
namespace {

bool EditsLine(const Session& session, const EntryForm& form) {
    return form.mode == EntryMode::Edit && form.recordIndex >= 0 &&
           form.recordIndex < session.ledger.transactions.Count();
}

bool LineLocked(const Session& session, int index) {
    return session.ledger.periods.IsLocked(TaggedMonth(session.ledger.transactions[index]));
}

void AddMovedBook(std::vector<BookId>& books, const BookId& book, const BookId& current) {
    if (book.kind.empty() || book == current) return;
    for (const auto& known : books)
        if (known == book) return;
    books.push_back(book);
}

bool DateChanged(const EntryForm& form) {
    // "2014/4/1" and "2014/04/01" are the same day: a record is not moved for its spelling.
    if (auto stored = Date::TryParse(form.storedDate)) return *stored != form.calendar.selected;
    return form.calendar.selected.ShortText() != form.storedDate;
}

class Registration {
public:
    Registration(Session& session, EntryForm& form) : session_(session), form_(form) {}

    // The checks in their fixed order. False when the entry is refused (refusal says
    // why) or the user declined to store a blank line (refusal stays empty).
    bool Check(std::string& refusal) {
        const EntryForm& f = form_;
        if (f.mode == EntryMode::Edit && !EditsLine(session_, f))
            return Refuse(refusal, kChooseRecordMessage);
        std::string problem = AmountsRefusal(f.income, f.expense);
        if (!problem.empty()) return Refuse(refusal, problem);
        const bool noAmount = f.income.IsZero() && f.expense.IsZero();
        if (noAmount && WideTrim(f.title).empty() && WideTrim(f.description).empty()) {
            if (!session_.dialogs().AskYesNo(kAppTitle, kAppTitle, kBlankLineQuestion))
                return false;
            blank_ = true;
        }
        if (!blank_) {
            problem = MissingRefusal(f.income, f.expense, f.title, f.description);
            if (!problem.empty()) return Refuse(refusal, problem);
        }
        return CheckDate(refusal) && CheckTexts(refusal);
    }

    // Places the record, unless a balance would then no longer fit (refusal says so and
    // nothing has changed).
    RegisterResult Store(ViewState& view, std::string& refusal) {
        Ledger& ledger = session_.ledger;
        // A blank line has no book picked: it stays an ordinary record of its own book.
        const EntryTab tab = title_.empty() ? EntryTab::Titles : form_.tab;
        const EntrySides sides = SidesOfEntry(tab, form_.ownBook, title_, ledger.UseTypeName());
        LineList& list = ledger.transactions;
        const EntryRecord record{month_,        form_.yearText, form_.monthText, form_.dayText,
                                 list.Count(),  sides.title,    description_,    form_.income,
                                 form_.expense, form_.ownBook,  sides.other};
        const std::string text = EntryRecordText(record);

        // The books besides the current one whose balances the change moves.
        std::vector<BookId> moved;
        AddMovedBook(moved, sides.other, session_.currentBook);
        RegisterResult result;
        const bool editing = EditsLine(session_, form_);
        std::string replaced;
        if (editing) {
            replaced = list[form_.recordIndex];
            const RecordSplit old(replaced);
            AddMovedBook(moved, {std::string(old[kFieldOwnKind]), std::string(old[kFieldOwnName])},
                         session_.currentBook);
            AddMovedBook(moved,
                         {std::string(old[kFieldOtherKind]), std::string(old[kFieldOtherName])},
                         session_.currentBook);
        }
        const bool inPlace = editing && !DateChanged(form_);
        if (inPlace) {
            result.line = form_.recordIndex;
            list.Put(result.line, text);
        } else {
            if (editing) list.Delete(form_.recordIndex);
            result.line = DateOrderPosition(ledger, date_);
            list.Insert(result.line, text);
        }
        const int previousMonth = session_.currentMonth;
        session_.currentMonth = month_;
        session_.RecomputeCurrent();
        if (session_.balances.overflow || (!moved.empty() && KeptBalancesOverflow(ledger, moved))) {
            if (inPlace) {
                list.Put(result.line, replaced);
            } else {
                list.Delete(result.line);
                if (editing) list.Insert(form_.recordIndex, replaced);
            }
            session_.currentMonth = previousMonth;
            session_.RecomputeCurrent();
            refusal = kEntryOverflowMessage;
            return {};
        }
        form_.title = title_;
        form_.description = description_;

        ShowMainCalendar(session_, view, date_);
        session_.monthPanel = std::to_string(month_);
        session_.modified = true;
        // ShowMainCalendar changes no record and no book: the balances stand.
        session_.NotifyViewChanged();

        form_.description.clear();
        form_.income = Amount();
        form_.expense = Amount();
        result.stored = true;
        result.closeForm = form_.mode == EntryMode::Edit || !form_.continuousEntry;
        return result;
    }

private:
    static bool Refuse(std::string& refusal, std::string text) {
        refusal = std::move(text);
        return false;
    }

    bool CheckDate(std::string& refusal) {
        const Ledger& ledger = session_.ledger;
        try {
            date_ = Date::Parse(form_.yearText + "/" + form_.monthText + "/" + form_.dayText);
        } catch (const ConversionError& error) {
            return Refuse(refusal, error.what());
        }
        const std::string problem = DateRefusal(ledger, date_, month_);
        if (!problem.empty()) return Refuse(refusal, problem);
        // Moving a record out of a locked period changes that period as much as entering
        // one does.
        if (EditsLine(session_, form_) && LineLocked(session_, form_.recordIndex))
            return Refuse(refusal, kLockedEntryMessage);
        return true;
    }

    bool CheckTexts(std::string& refusal) {
        // The form shows what the record will hold, also when something else is refused.
        form_.title = ToWindowsForms(form_.title);
        form_.description = ToWindowsForms(form_.description);
        title_ = CleanEntryText(form_.title);
        description_ = CleanEntryText(form_.description);
        std::string problem = Cp932Refusal("科目", title_);
        if (problem.empty()) problem = Cp932Refusal("摘要", description_);
        if (!problem.empty()) return Refuse(refusal, problem);
        return true;
    }

    Session& session_;
    EntryForm& form_;
    bool blank_ = false;
    Date date_;
    int month_ = 0;
    std::string title_;
    std::string description_;
};

}  // namespace

RegisterResult RegisterEntry(Session& session, ViewState& view, EntryForm& form) {
    Registration registration(session, form);
    std::string refusal;
    RegisterResult result;
    if (registration.Check(refusal)) result = registration.Store(view, refusal);
    if (!refusal.empty()) session.dialogs().ShowInfo(kCheckHeading, refusal);
    return result;
}

bool DeleteEntry(Session& session, EntryForm& form) {
    if (!EditsLine(session, form)) return false;
    if (LineLocked(session, form.recordIndex)) {
        session.dialogs().ShowInfo(kCheckHeading, kLockedChangeMessage);
        return false;
    }
    const std::string heading = form.yearText + "/" + form.monthText + "/" + form.dayText + ":" +
                                form.title + " " + form.description;
    if (!session.dialogs().AskYesNo(kAppTitle, heading, kDeleteQuestion)) return false;
    session.ledger.transactions.Delete(form.recordIndex);
    session.RecomputeCurrent();
    session.modified = true;
    session.NotifyViewChanged();
    return true;
}

}  // namespace velmora
