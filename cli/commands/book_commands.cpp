#include "cli/commands/book_commands.h"

#include <ostream>

namespace velmora::cli {

int RunBooks(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words, {"month"}, {});
    args.ExpectAtMost(1);
    const std::string& file = args.Required(0, "FILE");
    std::optional<int> month;
    if (auto m = args.Value("month")) month = IntOption(*m, "month", 1, 12);
    if (!ctx.OpenLedger(file)) return 1;
    // The balance list beside the ledger grid shows the month of the tab chosen.
    if (month) ChooseMonth(ctx, *month);
    for (const auto& row : ctx.app().ledgerView().bookBalances)
        ctx.out << row.Label() << '\t' << row.balanceText << '\n';
    return 0;
}

}  // namespace velmora::cli
