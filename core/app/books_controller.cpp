#include "core/app/books_controller.h"

#include <optional>
#include <vector>

#include "core/app/command_scope.h"
#include "core/entry/row_editing.h"
#include "core/entry/title_changes.h"
#include "core/ledgerview/main_calendar.h"
#include "core/ledgerview/month_selection.h"
#include "core/session/apply_settings.h"
#include "core/session/book_commands.h"

namespace velmora {

void BooksController::SelectCashBook() {
    Application::CommandScope scope(app_);
    velmora::SelectCashBook(app_.session_);
}

void BooksController::ChooseBookFromList(const std::string& kind) {
    Session& session = app_.session_;
    const std::vector<std::string> names = BookNames(session, kind);
    std::optional<int> chosen = app_.windows_->ChooseBook(kind, names);
    // The dialog may have added, renamed or deleted books: the index is one of the list
    // as it is now.
    const std::vector<std::string> now = BookNames(session, kind);
    if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(now.size())) return;
    SelectBook(session, BookId{kind, now[static_cast<std::size_t>(*chosen)]});
}

void BooksController::ChoosePettyCashBook() {
    Application::CommandScope scope(app_);
    ChooseBookFromList(std::string(kPettyKind));
}

void BooksController::ChooseBankBook() {
    Application::CommandScope scope(app_);
    ChooseBookFromList(std::string(kBankKind));
}

bool BooksController::ChooseMonthTab(int tab) {
    Application::CommandScope scope(app_);
    return velmora::ChooseMonthTab(app_.session_, app_.view_, tab);
}

bool BooksController::SelectMonth(int month) {
    Application::CommandScope scope(app_);
    return velmora::SelectMonth(app_.session_, app_.view_, month);
}

void BooksController::ChooseCalendarDay(Date day) {
    Application::CommandScope scope(app_);
    ChooseDay(app_.session_, app_.view_, day);
}

void BooksController::StepCalendar(int delta) {
    Application::CommandScope scope(app_);
    StepMainCalendar(app_.session_, app_.view_, delta);
}

void BooksController::CalendarToday() {
    Application::CommandScope scope(app_);
    ShowToday(app_.session_, app_.view_);
}

void BooksController::ToggleHolidayAndChooseDay(Date day) {
    Application::CommandScope scope(app_);
    ToggleHoliday(app_.session_, app_.holidays_, day);
    ChooseDay(app_.session_, app_.view_, day);
}

int BooksController::FirstRowToSelect() const {
    return kTopRow;
}

int BooksController::LastRowToSelect() const {
    return velmora::MoveDownRow(app_.shown_);
}

bool BooksController::MoveRowDown(std::size_t row) {
    Application::CommandScope scope(app_);
    Application::UndoStepScope step(app_, "一行下へ移動");
    return velmora::MoveRowDown(app_.session_, app_.shown_.rows, row);
}

void BooksController::RecalculateDates() {
    Application::CommandScope scope(app_);
    Application::UndoStepScope step(app_, "日付再計算");
    velmora::RecalculateDates(app_.session_);
    app_.session_.NotifyViewChanged();
}

void BooksController::RecalculateAmounts() {
    Application::CommandScope scope(app_);
    Application::UndoStepScope step(app_, "金額再計算");
    velmora::RecalculateAmounts(app_.session_);
    app_.session_.NotifyViewChanged();
}

bool BooksController::AddBook(const std::string& kind, const std::string& name, Amount balance) {
    Application::CommandScope scope(app_);
    Application::UndoStepScope step(app_, "帳簿追加 " + name);
    return velmora::AddBook(app_.session_, kind, name, balance);
}

bool BooksController::RenameBook(const std::string& kind, int index, const std::string& name,
                                 Amount balance) {
    Application::CommandScope scope(app_);
    Application::UndoStepScope step(app_, "帳簿変更 " + name);
    return velmora::RenameBook(app_.session_, kind, index, name, balance);
}

bool BooksController::DeleteBook(const std::string& kind, int index) {
    Application::CommandScope scope(app_);
    Application::UndoStepScope step(app_, "帳簿削除");
    return velmora::DeleteBook(app_.session_, kind, index);
}

void BooksController::EditTitles() {
    Application::CommandScope scope(app_);
    app_.windows_->EditTitles();
    app_.session_.NotifyTitlesChanged();
}

bool BooksController::UpdateTitles(TitleMaster& master) {
    Application::CommandScope scope(app_);
    Application::UndoStepScope step(app_, "科目設定");
    return velmora::UpdateTitles(app_.session_, master);
}

void BooksController::EditSettings() {
    Application::CommandScope scope(app_);
    Application::UndoStepScope step(app_, "環境設定");
    Session& session = app_.session_;
    if (SettingsCommand(session, [this, &session](FiscalSettingsForm& form) {
            app_.windows_->RunSettings(session, form);
        }))
        ShowCurrentMonth(session, app_.view_);
}

}  // namespace velmora
