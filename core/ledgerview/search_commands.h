#pragma once
// The searches of the ledger view and the commands that end them. Every command that
// changes a filter asks for the view again.
#include <optional>
#include <string>
#include <string_view>

#include "core/ledgerview/view_state.h"
#include "core/session/session.h"

namespace velmora {

inline constexpr const char* kDescriptionPrompt = "摘要を入力してください。";
inline constexpr const char* kIncomePrompt = "収入金額を入力してください。";
inline constexpr const char* kExpensePrompt = "支出金額を入力してください。";

// A click on a title of the account title list.
void SetAccountFilter(Session& session, const std::string& title);

// "摘要で検索(部分一致)": the input box starts with the description of the record of the
// selected row, or with the current filter on a row without a record. True when the
// filter was set (false: cancelled).
bool SearchByDescription(Session& session, ViewState& view, std::optional<int> selectedRecord);
// An amount typed into the income or expense search as the stored field reads: amounts
// are typed as in the numeric field, where thousands separators (and blanks and control
// characters around them) are allowed and dropped, so "1,500" looks for "1500".
std::string TypedAmountFilter(std::string_view typed);
// "収入金額で検索" and "支出金額で検索".
bool SearchByIncome(Session& session, ViewState& view);
bool SearchByExpense(Session& session, ViewState& view);

// "現在の検索条件を表示": the text of its information box, and the box.
std::string SearchConditionsText(const Session& session, const ViewState& view);
void ShowSearchConditions(const Session& session, const ViewState& view);

// The cancel commands clear their filter, then end every search (EndSearches).
void ClearTitleSearch(Session& session, ViewState& view);
void ClearDescriptionSearch(Session& session, ViewState& view);
void ClearIncomeSearch(Session& session, ViewState& view);
void ClearExpenseSearch(Session& session, ViewState& view);
// "検索解除" (Esc): all four filters.
void ClearSearches(Session& session, ViewState& view);

// After every cancel command: the account filter, the date filter and the all-books flag
// off, back to the saved book and to the last month shown.
void EndSearches(Session& session, ViewState& view);

// "検索実行" (Ctrl+F): the all-books view when its check box is on, else the saved book.
void RunSearch(Session& session);

}  // namespace velmora
