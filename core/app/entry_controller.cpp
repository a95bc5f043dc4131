#include "core/app/entry_controller.h"

#include <algorithm>

#include "core/app/command_scope.h"
#include "core/entry/description_completion.h"
#include "core/entry/row_editing.h"
#include "core/session/book_commands.h"
#include "core/settings/title_file.h"

namespace velmora {

void EntryController::OpenForm() {
    Application::CommandScope scope(app_);
    if (NewEntryCommand(app_.session_, app_.view_, app_.entryForm_)) app_.windows_->RunEntryForm();
}

void EntryController::EditSelectedRecord(std::optional<int> recordIndex) {
    Application::CommandScope scope(app_);
    if (EditSelectedRow(app_.session_, app_.entryForm_, recordIndex)) app_.windows_->RunEntryForm();
}

RegisterResult EntryController::Register() {
    const EntryForm& form = app_.entryForm_;
    Application::CommandScope scope(app_);
    Application::UndoStepScope step(
        app_, std::string(form.mode == EntryMode::Edit ? "修正 " : "登録 ") + form.yearText + "/" +
                  form.monthText + "/" + form.dayText + " " + form.title);
    return RegisterEntry(app_.session_, app_.view_, app_.entryForm_);
}

bool EntryController::Delete() {
    const EntryForm& form = app_.entryForm_;
    Application::CommandScope scope(app_);
    Application::UndoStepScope step(app_, "削除 " + form.yearText + "/" + form.monthText + "/" +
                                              form.dayText + " " + form.title);
    return DeleteEntry(app_.session_, app_.entryForm_);
}

void EntryController::ClickTitle(int item) {
    velmora::ClickTitle(app_.session_, app_.entryForm_, item);
}

void EntryController::TypeTitle(const std::string& title) {
    app_.entryForm_.title = CutTitle(title);
}

void EntryController::ClickBook(EntryTab tab, int item) {
    velmora::ClickBook(app_.entryForm_, tab, item);
}

void EntryController::ChangeTab(EntryTab tab) {
    ChangeEntryTab(app_.session_, app_.entryForm_, tab);
}

bool EntryController::ClickDescription(int column, int row) {
    return ClickDescriptionCell(app_.session_, app_.entryForm_, column, row);
}

bool EntryController::DoubleClickDescription(int column, int row) {
    return DoubleClickDescriptionCell(app_.session_, app_.entryForm_, column, row);
}

void EntryController::StepCalendar(int delta) {
    StepEntryCalendar(app_.entryForm_, delta);
}

void EntryController::CalendarToday() {
    EntryCalendarToday(app_.session_, app_.entryForm_);
}

void EntryController::ClickDay(int day, bool shift) {
    ClickEntryDay(app_.session_, app_.entryForm_, app_.holidays_, day, shift);
}

void EntryController::ShowDate(Date date) {
    ShowEntryDate(app_.entryForm_, date);
}

void EntryController::TakeTyped(const std::string& description, Amount income, Amount expense) {
    EntryForm& form = app_.entryForm_;
    form.description = description;
    form.income = income;
    form.expense = expense;
}

void EntryController::SetContinuous(bool on) {
    app_.entryForm_.continuousEntry = on;
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
