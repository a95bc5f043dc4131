// The monthly summary of the whole year by account title (level 0) and the graph figures
// worked out from its two total rows, on the generated ledger as loaded.
#include <cstdio>
#include <string>

#include "bench/support/bench_setup.h"
#include "bench/support/figure_reporter.h"
#include "core/ledger/ledger_file.h"
#include "core/reports/graph_figures.h"
#include "core/reports/monthly_summary.h"

namespace velmora::bench {
namespace {

Ledger LoadedLedger(const std::string& path) {
    return ReadLedgerFile(path, Ledger(), Date::FromYmd(2024, 10, 15)).ledger;
}

// Selector item 0 (all books) or 1 (the cash book).
void RegisterSummaryBenchmark(const char* name, const std::string& source, int item) {
    benchmark::RegisterBenchmark(name, [source, item](benchmark::State& state) {
        const Ledger ledger = LoadedLedger(source);
        MonthlySummary summary;
        summary.RefillBookSelector(ledger);
        summary.ChooseBook(item, ledger);
        for (auto _ : state) summary.BuildLevel(0, ledger);
        state.counters["rows"] = summary.lastRow();
    })->Unit(benchmark::kMillisecond);
}

void RegisterReportBenchmarks(const PreparedLedger& prepared) {
    const std::string source = prepared.path;
    RegisterSummaryBenchmark("MonthlySummaryAllBooks", source, 0);
    RegisterSummaryBenchmark("MonthlySummaryCashBook", source, 1);

    // The descriptions of one title: the drill-down a double-click on its row shows.
    benchmark::RegisterBenchmark("MonthlySummaryDrillDown", [source](benchmark::State& state) {
        const Ledger ledger = LoadedLedger(source);
        MonthlySummary summary;
        summary.OpenPage(ledger);
        const std::string title = summary.grid().Cell(kLabelColumn, 2);
        for (auto _ : state) summary.DrillInto(title, ledger);
        state.counters["rows"] = summary.lastRow();
    })->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("GraphRefresh", [source](benchmark::State& state) {
        const Ledger ledger = LoadedLedger(source);
        MonthlySummary summary;
        summary.OpenPage(ledger);
        if (summary.incomeTotalRow() == 0 || summary.expenseTotalRow() == 0)
            return state.SkipWithError("the summary has no total rows");
        for (auto _ : state) {
            GraphFigures figures =
                GraphFiguresOf(summary.grid(), summary.incomeTotalRow(), summary.expenseTotalRow(),
                               ledger.startYear, ledger.startMonth);
            benchmark::DoNotOptimize(figures.months[0].income.height);
        }
    })->Unit(benchmark::kMicrosecond);
}

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    using namespace velmora::bench;
    if (!InitBenchmarks(argc, argv)) return 1;
    ScratchFolder folder;
    const PreparedLedger prepared = PrepareAnnouncedLedger(folder);
    RegisterReportBenchmarks(prepared);
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintFigures(
        {{"monthly summary, all books (level 0)", "MonthlySummaryAllBooks", "", 100}});
    // Microseconds: in milliseconds the figure would read 0.00.
    if (const auto graph = reporter.Median("GraphRefresh")) {
        const double us = graph->cpu * 1e6;
        PrintFigure("graph figures (GraphFiguresOf)",
                    Fixed(us, 2) + " us cpu (real " + Fixed(graph->real * 1e6, 2) + " us)",
                    "<= 1000 us", us <= 1000);
    }
    benchmark::Shutdown();
    return 0;
}
