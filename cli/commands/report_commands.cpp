#include "cli/commands/report_commands.h"

#include <ostream>

#include "core/reports/monthly_summary.h"

namespace velmora::cli {
namespace {

// Loads the ledger and builds the summary the options ask for: the book of --book
// (default all books), on level 0 or, with --drill, on level 1 for that title.
bool BuildSummary(CliContext& ctx, const std::vector<std::string>& words, MonthlySummary& summary) {
    Args args(words, {"book", "drill"}, {});
    args.ExpectAtMost(1);
    const std::string& file = args.Required(0, "FILE");
    if (!ctx.OpenLedger(file)) return false;
    const Ledger& ledger = ctx.session->ledger;
    summary.notesSelectSetup(ledger);
    int item = 0;
    if (auto book = args.Value("book"); book && *book != kAllBooksKind) {
        auto id = ParseBookOption(*ctx.session, *book);
        item = id ? summary.selector().IndexOf(*id) : -1;
        if (item < 0) {
            ctx.Fail("no such book: " + *book);
            return false;
        }
    }
    summary.notes_selectClick(item, ledger);
    if (auto title = args.Value("drill")) summary.DrillInto(*title, ledger);
    return true;
}

void PrintLabel(std::ostream& out, const GraphLabel& label) {
    out << '\t' << label.caption;
}

void PrintBar(std::ostream& out, const GraphBar& bar) {
    out << '\t' << bar.top << '\t' << bar.height;
}

}  // namespace

int RunSummary(CliContext& ctx, const std::vector<std::string>& words) {
    MonthlySummary summary;
    if (!BuildSummary(ctx, words, summary)) return 1;
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
    MonthlySummary summary;
    if (!BuildSummary(ctx, words, summary)) return 1;
    const GraphFigures& graph = summary.graph();
    for (const GraphMonth& m : graph.months) {
        ctx.out << m.month.caption << '\t' << m.hint;
        for (const GraphLabel* label :
             {&m.tincome, &m.rincome, &m.texpenses, &m.rexpenses, &m.sagaku, &m.rsagaku})
            PrintLabel(ctx.out, *label);
        PrintBar(ctx.out, m.income);
        PrintBar(ctx.out, m.expenses);
        ctx.out << '\n';
    }
    ctx.out << "scale\t" << graph.maxlevel.caption << '\t' << graph.divlevel.caption << '\n';
    return 0;
}

}  // namespace velmora::cli
