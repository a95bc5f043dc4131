#pragma once
// What a print job reads from the pages around it: the ledger view (its rows, and moving
// it to another month), the monthly summary and graph, the book balance list, and the
// values of the status bar. The main window provides them; SessionPrintSources takes them
// from a session, a view state and a monthly summary.
#include <string>
#include <vector>

#include "core/ledgerview/ledger_row.h"
#include "core/printstyle/ledger_filler.h"
#include "core/printstyle/page_headings.h"
#include "core/printstyle/summary_fillers.h"
#include "core/util/date.h"

namespace velmora {

// The ledger grid as shown.
struct LedgerListing {
    std::vector<LedgerRow> rows;  // grid row 1 first
    Date calendarMonth;           // the month the main calendar shows
    int month = 1;                // the month shown: 1..12, 13 for all months
    int ledgerTab = 1;            // its tab: 0 "ALL", 1..12 in fiscal order
};

class PrintSources {
public:
    virtual ~PrintSources() = default;

    // The ledger view as it stands.
    virtual LedgerListing CurrentLedger() = 0;
    // Moves the ledger view to month (1..12, 13 all months) as the month tabs do, with
    // status panel 2 set to it first, and gives the rows then shown.
    virtual LedgerListing ShowLedgerMonth(int month) = 0;
    // What writing the print data shows: `searchrange` and status panel 2.
    virtual void ShowPrintDataPanels(const std::string& searchRange,
                                     const std::string& monthPanel) = 0;
    // The inputs of the ledger filler that the windows hold (book, company, year and month
    // panels, account filter, all-books flag, use type, start year, red option, today);
    // the print job adds page, paper, KOKUYO option and the months to print.
    virtual LedgerPageInputs LedgerPage() const = 0;
    virtual int StartMonth() const = 0;

    // The monthly summary: its rows as `SummaryPrintLines` writes them, and its drill level.
    virtual std::vector<std::string> SummaryPrintData() const = 0;
    virtual int SummaryDrillLevel() const = 0;

    // Headings of the list and summary pages (the page number is the job's), and their
    // options apart from the paper.
    virtual PageHeadings Headings() const = 0;
    virtual bool NegativeInRed() const = 0;
    virtual GraphLabels Graph() const = 0;
    virtual BookBalancePageData BookBalances() = 0;

    // True, after saying so, when path must not be written as a printout (a PDF): it is the
    // open ledger, or a file the program keeps in its working folder.
    virtual bool RefuseOutput(const std::string& path) = 0;
    // The permission bits a printout of the ledger may have at most (OutputModeLimit).
    virtual unsigned OutputPermissions() const = 0;
    // The folder of the ledger's file, where the dialog of a printout's file opens; empty
    // when the ledger has none.
    virtual std::string OutputFolder() const = 0;
};

}  // namespace velmora
