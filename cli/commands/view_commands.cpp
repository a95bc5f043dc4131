#include "cli/commands/view_commands.h"

#include <ostream>

#include "core/view/ledger_view.h"
#include "core/view/main_calendar.h"
#include "core/view/month_selection.h"

namespace velmora::cli {
namespace {

std::optional<int> MonthOption(const Args& args) {
    auto value = args.Value("month");
    if (!value) return std::nullopt;
    if (*value == "ALL") return 13;
    return IntOption(*value, "month", 1, 12);
}

std::optional<Date> DateOption(const Args& args) {
    auto value = args.Value("date");
    if (!value) return std::nullopt;
    auto date = Date::TryParse(*value);
    if (!date) throw UsageError("--date takes a date YYYY/MM/DD");
    return date;
}

void PrintView(std::ostream& out, const LedgerViewResult& view) {
    for (const auto& row : view.rows) {
        out << row.Marker();
        for (int c = 0; c < LedgerRow::kCellCount; ++c)
            out << '\t' << row.CellText(static_cast<LedgerRow::Cell>(c));
        out << '\n';
    }
    out << "totals\t" << view.totalIncome << '\t' << view.totalExpense << '\t'
        << view.totalDifference << '\n';
    out << "range\t" << view.searchRange << '\n';
}

}  // namespace

int RunView(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words, {"book", "month", "title", "desc", "income", "expense", "date"},
              {"all-books"});
    args.ExpectAtMost(1);
    const std::string& file = args.Required(0, "FILE");
    const auto book = args.Value("book");
    const bool allBooks = args.Flag("all-books");
    if (book && allBooks) throw UsageError("--book and --all-books exclude each other");
    const std::optional<int> month = MonthOption(args);
    const std::optional<Date> day = DateOption(args);

    if (!ctx.OpenLedger(file)) return 1;
    if (!SelectBookOption(ctx, book, allBooks)) return 1;
    Session& s = *ctx.session;
    ViewState view(s.clock().Today());
    s.accountFilter = args.Value("title").value_or("");
    view.descriptionFilter = args.Value("desc").value_or("");
    view.incomeFilter = args.Value("income").value_or("");
    view.expenseFilter = args.Value("expense").value_or("");
    if (day) {
        // As a click on the calendar with "日付指定" checked: the view moves to that day.
        view.dateFilter = true;
        ChooseDay(s, view, *day);
    }
    const int shown = month.value_or(day ? s.currentMonth : s.clock().Today().Month());
    if (!SelectMonth(s, view, shown)) return 1;
    PrintView(ctx.out, ShowLedgerView(s, view));
    return 0;
}

}  // namespace velmora::cli
