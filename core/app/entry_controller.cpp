#include "core/app/entry_controller.h"

#include <algorithm>

#include "core/app/command_scope.h"
#include "core/entry/description_completion.h"
#include "core/entry/row_editing.h"
#include "core/ledger/record.h"
#include "core/session/book_commands.h"

namespace velmora {

void EntryController::OpenForm() {
    Application::CommandScope scope(app_);
    if (!NewEntryCommand(app_.session_, app_.view_, app_.entryForm_)) return;
    Application::WindowScope window(app_);
    app_.windows_->RunEntryForm();
}

void EntryController::EditSelectedRecord(std::optional<int> recordIndex) {
    Application::CommandScope scope(app_);
    if (!EditSelectedRow(app_.session_, app_.entryForm_, recordIndex)) return;
    Application::WindowScope window(app_);
    app_.windows_->RunEntryForm();
}

bool EntryController::DeleteSelectedRecord(std::optional<int> recordIndex) {
    Application::CommandScope scope(app_);
    std::string label = "削除";
    const LineList& list = app_.session_.ledger.transactions;
    if (recordIndex && *recordIndex >= 0 && *recordIndex < list.Count()) {
        const RecordSplit record(list[*recordIndex]);
        label += " " + std::string(record[kFieldDate]) + " " + std::string(record[kFieldTitle]);
    }
    Application::UndoStepScope step(app_, label);
    return DeleteSelectedRow(app_.session_, app_.entryForm_, recordIndex);
}

RegisterResult EntryController::Register() {
    const EntryForm& form = app_.entryForm_;
    Application::CommandScope scope(app_);
    Application::UndoStepScope step(
        app_, std::string(form.mode == EntryMode::Edit ? "修正 " : "登録 ") + form.yearText + "/" +
                  form.monthText + "/" + form.dayText + " " + form.title);
    app_.pending_ |= kEntryFormPending;
    return RegisterEntry(app_.session_, app_.view_, app_.entryForm_);
}

bool EntryController::Delete() {
    const EntryForm& form = app_.entryForm_;
    Application::CommandScope scope(app_);
    Application::UndoStepScope step(app_, "削除 " + form.yearText + "/" + form.monthText + "/" +
                                              form.dayText + " " + form.title);
    app_.pending_ |= kEntryFormPending;
    return DeleteEntry(app_.session_, app_.entryForm_);
}

// A change of the form alone is a command of its own, so that the form's window hears of
// it once, when it is complete, as every window hears of what it shows.
template <typename Change>
auto EntryController::ChangeForm(const Change& change) {
    Application::CommandScope scope(app_);
    app_.pending_ |= kEntryFormPending;
    return change();
}

void EntryController::ClickTitle(int item) {
    ChangeForm([&] { velmora::ClickTitle(app_.session_, app_.entryForm_, item); });
}

void EntryController::TypeTitle(const std::string& title) {
    ChangeForm([&] { app_.entryForm_.title = title; });
}

void EntryController::ClickBook(EntryTab tab, int item) {
    ChangeForm([&] { velmora::ClickBook(app_.entryForm_, tab, item); });
}

void EntryController::ChangeTab(EntryTab tab) {
    ChangeForm([&] { ChangeEntryTab(app_.session_, app_.entryForm_, tab); });
}

bool EntryController::ClickDescription(int column, int row) {
    return ChangeForm(
        [&] { return ClickDescriptionCell(app_.session_, app_.entryForm_, column, row); });
}

bool EntryController::DoubleClickDescription(int column, int row) {
    return ChangeForm(
        [&] { return DoubleClickDescriptionCell(app_.session_, app_.entryForm_, column, row); });
}

void EntryController::StepCalendar(int delta) {
    ChangeForm([&] { StepEntryCalendar(app_.entryForm_, delta); });
}

void EntryController::CalendarToday() {
    ChangeForm([&] { EntryCalendarToday(app_.session_, app_.entryForm_); });
}

// Shift marks the day as a holiday or a weekday: the main window's calendar follows when
// the command ends (the marks are part of the state every command compares).
void EntryController::ClickDay(int day, bool shift) {
    ChangeForm([&] { ClickEntryDay(app_.session_, app_.entryForm_, app_.holidays_, day, shift); });
}

void EntryController::ShowDate(Date date) {
    ChangeForm([&] { ShowEntryDate(app_.entryForm_, date); });
}

// The controls the text was taken from show it already: nothing is told.
void EntryController::TakeTyped(const std::string& description, Amount income, Amount expense) {
    Application::CommandScope scope(app_);
    EntryForm& form = app_.entryForm_;
    form.description = description;
    form.income = income;
    form.expense = expense;
}

void EntryController::SetContinuous(bool on) {
    ChangeForm([&] { app_.entryForm_.continuousEntry = on; });
}

bool EntryController::MayClose() {
    return ConfirmCloseEntry(app_.session_, app_.entryForm_);
}

std::vector<std::string> EntryController::Completions() const {
    const EntryForm& form = app_.entryForm_;
    return DescriptionCompletions(app_.session_.ledger, form.title, form.cells);
}

void EntryController::ImportStatement() {
    Application::CommandScope scope(app_);
    app_.windows_->RunStatementImport();
}

ImportResult EntryController::ImportStatementRows(const ImportPlan& plan) {
    ImportResult result;
    {
        Application::CommandScope scope(app_);
        Application::UndoStepScope step(
            app_,
            "取込 " + plan.book.name + " " + std::to_string(plan.Count(RowVerdict::Import)) + "件");
        result = ImportIntoBook(app_.session_, app_.view_, plan);
    }
    // Said once the view shows the records.
    app_.services_.dialogs.ShowInfo("確認", ImportResultText(plan, result));
    return result;
}

void EntryController::Undo() {
    TakeStep(false);
}

void EntryController::Redo() {
    TakeStep(true);
}

void EntryController::TakeStep(bool forward) {
    Application::CommandScope scope(app_);
    Session& session = app_.session_;
    UndoHistory& history = app_.history_;
    history.End({});
    const UndoHistory::Outcome outcome =
        forward ? history.Redo(session.ledger) : history.Undo(session.ledger);
    history.Begin(session.ledger);
    if (outcome == UndoHistory::Outcome::Locked)
        app_.services_.dialogs.ShowInfo(kCheckHeading, kLockedChangeMessage);
    if (outcome != UndoHistory::Outcome::Done) return;
    session.modified = !history.AtSavedState();
    // A book taken back may have been the one shown.
    const std::vector<BookId> books = BooksOf(session.ledger);
    if (!session.allBooks &&
        std::find(books.begin(), books.end(), session.currentBook) == books.end())
        SelectCashBook(session);
    session.NotifyTitlesChanged();
    session.NotifyViewChanged();
}

}  // namespace velmora
