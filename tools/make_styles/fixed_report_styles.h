#pragma once
// The reports that come in one style each, on A4 in Gothic with grey headings: the
// income/expense table, the book balance list and the income/expense graph.
#include <string>
#include <vector>

namespace velmora {

// Twelve months and the year's total of income, expense and their difference, each with
// its running total.
std::vector<std::string> IncomeExpenseTableStyle();

// Up to 56 books with their balances, in two blocks of 28, and the ledger's totals.
std::vector<std::string> BookBalanceListStyle();

// Axes, grid and captions of the month-by-month bar graph with its figures below; the
// bars themselves are added when the page is filled.
std::vector<std::string> IncomeExpenseGraphStyle();

}  // namespace velmora
