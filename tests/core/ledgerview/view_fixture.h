#pragma once
// A session on a ledger given as file text, with scripted dialogs, a fixed today and a
// working folder of its own, and the view state of the main window.
#include <string>
#include <string_view>
#include <vector>

#include "core/ledgerview/ledger_view.h"
#include "core/ledgerview/view_state.h"
#include "core/platform/clock.h"
#include "core/platform/file_io.h"
#include "core/session/session.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora::testing {

// Fiscal year 2014/04/01 - 2015/03/31, cash book opening balance 10000, petty-cash book
// 本店 (5000) and 支店 (100), bank book B (20000).
extern const std::string kViewLedger;

// Counts the redraws the commands ask for.
struct RedrawCounter : SessionListener {
    int views = 0;
    void ViewChanged() override { ++views; }
};

// The periods of a fiscal year from startYear/startMonth; closingDay 0 closes at the end
// of each month, else period k runs from the day after closingDay of month k - 1 to
// closingDay of month k.
Periods FiscalPeriods(int startYear, int startMonth, int closingDay = 0);

class ViewFixture {
public:
    explicit ViewFixture(std::string_view ledgerText = kViewLedger,
                         Date today = Date::FromYmd(2014, 4, 10));

    // The grid as text: one line per row, marker and the six cells separated by "|".
    std::vector<std::string> Grid();
    LedgerViewResult Show() { return ShowLedgerView(session, view); }

    ScriptedDialogs dialogs;
    FixedClock clock;
    DiskFileWriter writer;
    TempFolder home;
    Session session;
    ViewState view;
    RedrawCounter redraws;
};

std::string RowLine(const LedgerRow& row);

}  // namespace velmora::testing
