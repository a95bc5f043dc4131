#pragma once
// The month tabs above the ledger grid: "ALL", then the twelve months in fiscal order.
#include <string>
#include <vector>

namespace velmora {

// "ALL", then each month number followed by "月" from the start month on.
std::vector<std::string> MonthTabCaptions(int startMonth);
// The month of tab t: 13 for tab 0 ("ALL"), else the calendar month of tab t (1..12).
int MonthOfTab(int startMonth, int tab);
// The tab of month m: 0 for 13, else its position 1..12 in the fiscal year.
int TabOfMonth(int startMonth, int month);

}  // namespace velmora
