#pragma once

// The searches of "編集＆検索" and the left pane as commands: each runs in the application's
// command scope and tells the listeners once, when it is complete.

#include <optional>
#include <string>

namespace velmora {

class Application;

class SearchController {
public:
    explicit SearchController(Application& app) : app_(app) {}
    SearchController(const SearchController&) = delete;
    SearchController& operator=(const SearchController&) = delete;

    void RunSearch();
    void SearchByTitle();
    // "摘要で検索(部分一致)": the description of the record selected on the grid.
    void SearchByDescription(std::optional<int> selectedRecord);
    void SearchByIncome();
    void SearchByExpense();
    void ShowSearchConditions();
    void ClearTitleSearch();
    void ClearDescriptionSearch();
    void ClearIncomeSearch();
    void ClearExpenseSearch();
    void ClearSearches();
    // The two check boxes "日付指定" and "全帳簿から検索".
    void SetDateFilter(bool on);
    void SetAllBooksSearch(bool on);
    // A title clicked in the title list: the account filter.
    void FilterByTitle(const std::string& title);

private:
    Application& app_;
};

}  // namespace velmora
