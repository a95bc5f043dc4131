#pragma once

// The entry form, the statement import and the undo history as commands: each write runs in
// the application's command scope and tells the listeners once, when it is complete. What the
// form's controls do while the form is open is a command too, told as EntryFormChanged.

#include <optional>
#include <string>
#include <vector>

#include "core/app/app_controller.h"
#include "core/entry/entry_form.h"
#include "core/entry/entry_register.h"
#include "core/import/import_into_book.h"
#include "core/util/amount.h"
#include "core/util/date.h"

namespace velmora {

class EntryController : public AppController {
public:
    using AppController::AppController;

    // "出納帳データ入力" (F5): the form for a new record.
    void OpenForm();
    // "修正": the form on the record selected on the grid.
    void EditSelectedRecord(std::optional<int> recordIndex);
    // Delete on the grid: the record of the selected row deleted after the form's question.
    bool DeleteSelectedRecord(std::optional<int> recordIndex);
    // "登　録" on the form.
    RegisterResult Register();
    // "削  除" on the form in edit mode, after its question; true when deleted.
    bool Delete();

    // What the form's controls do to it.
    void ClickTitle(int item);
    // A title typed rather than picked from the list (velmora-cli), as it stands: "登　録"
    // refuses one the list lacks.
    void TypeTitle(const std::string& title);
    void ClickBook(EntryTab tab, int item);
    void ChangeTab(EntryTab tab);
    bool ClickDescription(int column, int row);
    bool DoubleClickDescription(int column, int row);
    void StepCalendar(int delta);
    void CalendarToday();
    void ClickDay(int day, bool shift);
    // A date typed into the form's date field (or stepped there by a key).
    void ShowDate(Date date);
    // What is typed into the description and amount fields, taken before each of the form's
    // commands; the form shows it already, so no listener is told.
    void TakeTyped(const std::string& description, Amount income, Amount expense);
    // "連続入力": the form stays open after a registration.
    void SetContinuous(bool on);
    // Esc or "閉じる": true when the form may close (typed input is given up after a
    // question).
    bool MayClose();
    // The descriptions the description field offers for the title on the form.
    std::vector<std::string> Completions() const;

    // "CSVファイルから取込…" (menu "その他"): the statement import dialog.
    void ImportStatement();
    // Its "取込": the plan's rows into its book, as one command that one undo takes back;
    // the result (rows added, rows left out, the balances compared) is said.
    ImportResult ImportStatementRows(const ImportPlan& plan);

    // "元に戻す" and "やり直し": the last change of the ledger taken back or done again.
    void Undo();
    void Redo();

private:
    void TakeStep(bool forward);
    template <typename Change>
    auto ChangeForm(const Change& change);
};

}  // namespace velmora
