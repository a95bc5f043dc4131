#include "core/ledgerview/search_commands.h"

#include "core/ledger/record.h"
#include "core/session/book_commands.h"

namespace velmora {
namespace {

bool AskFilter(Session& session, const char* prompt, const std::string& initial,
               std::string& filter, std::string (*typed)(std::string_view) = nullptr) {
    auto answer = session.dialogs().AskText(kAppTitle, prompt, initial);
    if (!answer) return false;
    filter = typed ? typed(*answer) : *answer;
    session.NotifyViewChanged();
    return true;
}

}  // namespace

void SetAccountFilter(Session& session, const std::string& title) {
    session.accountFilter = title;
    session.NotifyViewChanged();
}

bool SearchByDescription(Session& session, ViewState& view, std::optional<int> selectedRecord) {
    const LineList& list = session.ledger.transactions;
    std::string initial = view.descriptionFilter;
    if (selectedRecord && *selectedRecord >= 0 && *selectedRecord < list.Count())
        initial = std::string(RecordSplit(list[*selectedRecord])[kFieldDescription]);
    return AskFilter(session, kDescriptionPrompt, initial, view.descriptionFilter);
}

std::string TypedAmountFilter(std::string_view typed) {
    std::string amount;
    for (char c : typed)
        if (c != ',' && c != ' ' && static_cast<unsigned char>(c) >= 0x20) amount += c;
    return amount;
}

bool SearchByIncome(Session& session, ViewState& view) {
    return AskFilter(session, kIncomePrompt, view.incomeFilter, view.incomeFilter,
                     TypedAmountFilter);
}

bool SearchByExpense(Session& session, ViewState& view) {
    return AskFilter(session, kExpensePrompt, view.expenseFilter, view.expenseFilter,
                     TypedAmountFilter);
}

std::string SearchConditionsText(const Session& session, const ViewState& view) {
    return "現在の検索条件は下記です。\r\n"
           "----------------------------------------------------\r\n"
           "科  目:" +
           session.accountFilter + "\r\n" + "摘  要:" + view.descriptionFilter + "\r\n" +
           "収入金額:" + view.incomeFilter + "\r\n" + "支出金額:" + view.expenseFilter;
}

void ShowSearchConditions(const Session& session, const ViewState& view) {
    session.dialogs().ShowInfo("確認", SearchConditionsText(session, view));
}

void ClearTitleSearch(Session& session, ViewState& view) {
    session.accountFilter.clear();
    EndSearches(session, view);
}

void ClearDescriptionSearch(Session& session, ViewState& view) {
    view.descriptionFilter.clear();
    EndSearches(session, view);
}

void ClearIncomeSearch(Session& session, ViewState& view) {
    view.incomeFilter.clear();
    EndSearches(session, view);
}

void ClearExpenseSearch(Session& session, ViewState& view) {
    view.expenseFilter.clear();
    EndSearches(session, view);
}

void ClearSearches(Session& session, ViewState& view) {
    session.accountFilter.clear();
    view.descriptionFilter.clear();
    view.incomeFilter.clear();
    view.expenseFilter.clear();
    EndSearches(session, view);
}

void EndSearches(Session& session, ViewState& view) {
    session.accountFilter.clear();
    view.dateFilter = false;
    session.allBooks = false;
    session.currentBook = session.lastSelectedBook;
    session.currentMonth = view.lastMonthShown;
    // Panel 2 would otherwise still say 13 after an all-periods search.
    session.monthPanel = std::to_string(view.lastMonthShown);
    session.NotifyViewChanged();
}

void RunSearch(Session& session) {
    if (session.allBooks) {
        SelectAllBooks(session);
        return;
    }
    session.currentBook = session.lastSelectedBook;
    session.RecomputeCurrent();
    session.NotifyViewChanged();
}

}  // namespace velmora
