#include "core/app/search_controller.h"

#include "core/app/command_scope.h"
#include "core/ledgerview/search_commands.h"
#include "core/settings/title_lists.h"

namespace velmora {

void SearchController::RunSearch() {
    Application::CommandScope scope(app_);
    velmora::RunSearch(app_.session_);
}

void SearchController::SearchByTitle() {
    Application::CommandScope scope(app_);
    if (std::optional<std::string> title = app_.windows_->ChooseTitle())
        SetAccountFilter(app_.session_, *title);
    else
        app_.view_.dateFilter = false;  // "キャンセル" of the dialog
    app_.session_.NotifyViewChanged();
}

void SearchController::SearchByDescription(std::optional<int> selectedRecord) {
    Application::CommandScope scope(app_);
    velmora::SearchByDescription(app_.session_, app_.view_, selectedRecord);
}

void SearchController::SearchByIncome() {
    Application::CommandScope scope(app_);
    velmora::SearchByIncome(app_.session_, app_.view_);
}

void SearchController::SearchByExpense() {
    Application::CommandScope scope(app_);
    velmora::SearchByExpense(app_.session_, app_.view_);
}

void SearchController::ShowSearchConditions() {
    velmora::ShowSearchConditions(app_.session_, app_.view_);
}

void SearchController::ClearTitleSearch() {
    Application::CommandScope scope(app_);
    velmora::ClearTitleSearch(app_.session_, app_.view_);
}

void SearchController::ClearDescriptionSearch() {
    Application::CommandScope scope(app_);
    velmora::ClearDescriptionSearch(app_.session_, app_.view_);
}

void SearchController::ClearIncomeSearch() {
    Application::CommandScope scope(app_);
    velmora::ClearIncomeSearch(app_.session_, app_.view_);
}

void SearchController::ClearExpenseSearch() {
    Application::CommandScope scope(app_);
    velmora::ClearExpenseSearch(app_.session_, app_.view_);
}

void SearchController::ClearSearches() {
    Application::CommandScope scope(app_);
    velmora::ClearSearches(app_.session_, app_.view_);
}

// The two check boxes only change the state that the next search reads.
void SearchController::SetDateFilter(bool on) {
    Application::CommandScope scope(app_);
    app_.view_.dateFilter = on;
}

void SearchController::SetAllBooksSearch(bool on) {
    Application::CommandScope scope(app_);
    app_.session_.allBooks = on;
}

void SearchController::FilterByTitle(const std::string& title) {
    Application::CommandScope scope(app_);
    if (!IsListedTitle(title)) return;  // a blank slot: no title, nothing to find
    SetAccountFilter(app_.session_, title);
    app_.session_.NotifyViewChanged();
}

}  // namespace velmora
