#include "cli/commands/view_commands.h"

#include <ostream>

#include "core/ledgerview/ledger_view.h"
#include "core/ledgerview/month_selection.h"

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
    Application& app = ctx.app();
    if (auto title = args.Value("title")) app.search().FilterByTitle(*title);
    // The search commands, their input boxes answered with the options.
    if (auto text = args.Value("desc")) {
        ctx.dialogs.SetText(*text);
        app.search().SearchByDescription(std::nullopt);
    }
    if (auto amount = args.Value("income")) {
        ctx.dialogs.SetText(*amount);
        app.search().SearchByIncome();
    }
    if (auto amount = args.Value("expense")) {
        ctx.dialogs.SetText(*amount);
        app.search().SearchByExpense();
    }
    if (day) {
        // "日付指定" checked, then the day clicked on the calendar: the view moves to the
        // day's month.
        app.search().SetDateFilter(true);
        app.books().ChooseCalendarDay(*day);
    }
    // Without --month the view stays on the month the start shows (today's) or on the
    // day's month.
    if (month) {
        bool accepted = true;
        if (day) {
            // A month tab would move the calendar off the day; the month is selected under it.
            accepted = app.books().SelectMonth(*month);
        } else {
            accepted = ChooseMonth(ctx, *month);
        }
        if (!accepted) return 1;
    }
    PrintView(ctx.out, app.ledgerView());
    return 0;
}

}  // namespace velmora::cli
