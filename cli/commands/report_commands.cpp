#include "cli/commands/report_commands.h"

#include <ostream>

#include "core/reports/monthly_summary.h"

namespace velmora::cli {
namespace {

// Loads the ledger, opens the summary page (or, with graph, the graph page) and chooses
// what the options ask for.
bool OpenSummary(CliContext& ctx, const std::vector<std::string>& words, bool graph) {
    Args args(words, {"book", "drill"}, {});
    args.ExpectAtMost(1);
    const std::string& file = args.Required(0, "FILE");
    if (!ctx.OpenLedger(file)) return false;
    if (graph)
        ctx.app().reports().ShowGraph();
    else
        ctx.app().reports().ShowSummaryPage();
    return ChooseSummaryOptions(ctx, args);
}

void PrintLabel(std::ostream& out, const GraphLabel& label) {
    out << '\t' << label.caption;
}

void PrintBar(std::ostream& out, const GraphBar& bar) {
    out << '\t' << bar.top << '\t' << bar.height;
}

}  // namespace

bool ChooseSummaryOptions(CliContext& ctx, const Args& args) {
    Application& app = ctx.app();
    if (auto book = args.Value("book"); book && *book != kAllBooksKind) {
        auto id = ParseBookOption(app.session(), *book);
        const int item = id ? app.summary().selector().IndexOf(*id) : -1;
        if (item < 0) {
            ctx.Fail("no such book: " + *book);
            return false;
        }
        app.reports().ChooseBook(item);
    }
    if (auto title = args.Value("drill")) app.reports().DrillIntoTitle(*title);
    return true;
}

int RunSummary(CliContext& ctx, const std::vector<std::string>& words) {
    if (!OpenSummary(ctx, words, false)) return 1;
    const MonthlySummary& summary = ctx.app().summary();
    const SummaryGrid& grid = summary.grid();
    for (int row = 0; row <= summary.lastRow(); ++row) {
        for (int column = 0; column < kSummaryColumns; ++column) {
            if (column > 0) ctx.out << '\t';
            ctx.out << grid.Cell(column, row);
        }
        ctx.out << '\n';
    }
    return 0;
}

int RunGraph(CliContext& ctx, const std::vector<std::string>& words) {
    if (!OpenSummary(ctx, words, true)) return 1;
    const GraphFigures& graph = ctx.app().summary().graph();
    for (const GraphMonth& m : graph.months) {
        ctx.out << m.month.caption << '\t' << m.hint;
        for (const GraphLabel* label :
             {&m.incomeTotal, &m.cumulativeIncome, &m.expenseTotal, &m.cumulativeExpense,
              &m.difference, &m.cumulativeDifference})
            PrintLabel(ctx.out, *label);
        PrintBar(ctx.out, m.income);
        PrintBar(ctx.out, m.expenses);
        ctx.out << '\n';
    }
    ctx.out << "scale\t" << graph.scaleTop.caption << '\t' << graph.scaleMiddle.caption << '\n';
    return 0;
}

}  // namespace velmora::cli
