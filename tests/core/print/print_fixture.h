#pragma once
// A print job on a scratch working folder, a recording printer, scripted dialogs and
// print sources given as plain values.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/print/print_job.h"
#include "core/print/recording_print_device.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora::testing {

// count record rows "r1".."rN" with balances 1,000 .. N,000; the last one is the closing
// carry row marked "=".
std::vector<LedgerRow> MonthRows(int count, const std::string& tag = "r");

class FakeSources final : public PrintSources {
public:
    std::map<int, std::vector<LedgerRow>> rowsByMonth;
    int currentMonth = 4;
    int startMonth = 4;
    LedgerPageInputs page;
    std::vector<std::string> summaryData;
    int drillLevel = 0;
    PageHeadings headings;
    GraphLabels graph;
    BookBalancePageData balances;
    std::vector<int> shownMonths;  // ShowLedgerMonth calls
    std::string searchRange;
    std::string monthPanel;

    FakeSources();
    LedgerListing CurrentLedger() override;
    LedgerListing ShowLedgerMonth(int month) override;
    void ShowPrintDataPanels(const std::string& range, const std::string& panel) override {
        searchRange = range;
        monthPanel = panel;
    }
    LedgerPageInputs LedgerPage() const override { return page; }
    int StartMonth() const override { return startMonth; }
    std::vector<std::string> SummaryPrintData() const override { return summaryData; }
    int SummaryDrillLevel() const override { return drillLevel; }
    PageHeadings Headings() const override { return headings; }
    bool NegativeInRed() const override { return false; }
    GraphLabels Graph() const override { return graph; }
    BookBalancePageData BookBalances() override { return balances; }
    bool RefuseOutput(const std::string& path) override { return path == refusedOutput; }
    unsigned OutputPermissions() const override { return 0600; }
    std::string OutputFolder() const override { return outputFolder; }
    std::string refusedOutput;  // the one output refused
    std::string outputFolder;
};

// A ledger style of three rows a page: header with odd offsets (1, 2), even offsets
// (4, 5) and counter 3; a line from (10, 10) to (20, 10) mm; "#ic_01".."#ic_03" and
// "- #pg -" as text items.
std::string ThreeRowStyle();

struct PrintBench {
    explicit PrintBench(int printers = 1);

    // Writes a style file into the working folder's style/ (UTF-8 text, "\n" lines).
    std::string WriteStyle(const std::string& name, const std::string& text) const;
    // The texts (field 20) of the loaded style's lines from line 3 on: for ThreeRowStyle the
    // three descriptions and the page number.
    std::vector<std::string> Texts() const;

    TempFolder home;
    TempFolder program;
    RecordingPrintDevice device;
    ScriptedDialogs dialogs;
    DiskFileWriter writer;
    FakeSources sources;
    std::unique_ptr<PrintJob> job;
};

}  // namespace velmora::testing
