#pragma once
// The print sources of the main window's state: a session, the ledger view state and the
// monthly summary.
#include "core/ledgerview/ledger_view.h"
#include "core/ledgerview/view_state.h"
#include "core/print/print_sources.h"
#include "core/reports/monthly_summary.h"
#include "core/session/session.h"

namespace velmora {

class SessionPrintSources final : public PrintSources {
public:
    SessionPrintSources(Session& session, ViewState& view, const MonthlySummary& summary)
        : session_(session), view_(view), summary_(summary) {}

    LedgerListing CurrentLedger() override;
    LedgerListing ShowLedgerMonth(int month) override;
    void ShowPrintDataPanels(const std::string& searchRange,
                             const std::string& monthPanel) override;
    LedgerPageInputs LedgerPage() const override;
    int StartMonth() const override { return session_.ledger.startMonth; }
    std::vector<std::string> SummaryPrintData() const override;
    int SummaryDrillLevel() const override { return summary_.drillLevel(); }
    PageHeadings Headings() const override;
    bool NegativeInRed() const override { return session_.settings.negativeInRed; }
    GraphLabels Graph() const override;
    BookBalancePageData BookBalances() override;
    bool RefuseOutput(const std::string& path) override;
    unsigned OutputPermissions() const override;
    std::string OutputFolder() const override;

    // The ledger view last built for the print job.
    const LedgerViewResult& LastView() const { return shown_; }
    // What LedgerPrintLines last showed in `searchrange`.
    const std::string& SearchRange() const { return searchRange_; }

private:
    LedgerListing Listing();

    Session& session_;
    ViewState& view_;
    const MonthlySummary& summary_;
    LedgerViewResult shown_;
    std::string searchRange_;
};

// "yyyy/mm/dd～yyyy/mm/dd": the first day of the start month's period to the last day of
// the period of the month before it.
std::string FiscalRangeText(const Ledger& ledger);

// The period text of the book balance page: the whole fiscal year when all months are
// shown, else the period of the month shown; each day as 'yyyy"年"mm"月"dd"日"', joined
// by "～".
std::string BookBalanceRangeText(const Ledger& ledger, int month);

}  // namespace velmora
