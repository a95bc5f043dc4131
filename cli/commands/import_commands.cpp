#include "cli/commands/import_commands.h"

#include <algorithm>
#include <map>
#include <ostream>

#include "core/import/statement_import_form.h"
#include "core/util/fields.h"

namespace velmora::cli {
namespace {

int ColumnOption(const Args& args, const std::string& name) {
    auto value = args.Value(name);
    return value ? IntOption(*value, name, 1, 10000) : 0;
}

StatementEncoding EncodingOption(const Args& args) {
    const std::string value = args.Value("encoding").value_or("auto");
    if (value == "auto") return StatementEncoding::Auto;
    if (value == "sjis") return StatementEncoding::ShiftJis;
    if (value == "utf8") return StatementEncoding::Utf8;
    throw UsageError("--encoding takes auto, sjis or utf8");
}

// The dialog with the choices of the command line; its "取込" runs at once.
class ImportWindow final : public AppWindows {
public:
    ImportWindow(CliContext& ctx, std::string csv, StatementEncoding encoding,
                 ImportChoices choices)
        : ctx_(ctx), csv_(std::move(csv)), encoding_(encoding), choices_(std::move(choices)) {}

    void RunStatementImport() override {
        Application& app = ctx_.app();
        StatementImportForm form(app.session(), app.entryForm().titleList);
        if (!form.ChooseEncoding(encoding_, ctx_.dialogs) || !form.LoadFile(csv_, ctx_.dialogs))
            return;
        // The program's own export is known by its title row, as the window knows it: its
        // book columns, and its title column unless --title names one title for all rows.
        const StatementColumns found = form.choices.columns;
        const BookColumns books = form.choices.bookColumns;
        form.choices = choices_;
        if (std::find(books.begin(), books.end(), 0) == books.end()) {
            form.choices.bookColumns = books;
            if (choices_.title.empty()) form.choices.columns.title = found.title;
        }
        plan = form.Preview(app.session().ledger);
        result = app.entry().ImportStatementRows(plan);
    }

    ImportPlan plan;
    ImportResult result;

private:
    CliContext& ctx_;
    std::string csv_;
    StatementEncoding encoding_;
    ImportChoices choices_;
};

}  // namespace

int RunImport(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(
        words,
        {"book", "date", "desc", "in", "out", "amount", "balance", "title", "skip", "encoding"},
        {"force"});
    args.ExpectAtMost(2);
    const std::string& file = args.Required(0, "FILE");
    const std::string& csv = args.Required(1, "CSV");
    const auto book = args.Value("book");
    if (!book) throw UsageError("--book KIND:NAME is required");
    ImportChoices choices;
    StatementColumns& c = choices.columns;
    c.date = ColumnOption(args, "date");
    c.description = ColumnOption(args, "desc");
    if (c.date == 0 || c.description == 0) throw UsageError("--date N and --desc N are required");
    c.deposit = ColumnOption(args, "in");
    c.withdrawal = ColumnOption(args, "out");
    c.amount = ColumnOption(args, "amount");
    const bool two = c.deposit > 0 && c.withdrawal > 0;
    if (two == (c.amount > 0) || (!two && (c.deposit > 0 || c.withdrawal > 0)))
        throw UsageError("give --in N and --out N, or --amount N");
    c.amounts = two ? AmountColumns::DepositAndWithdrawal : AmountColumns::Signed;
    c.balance = ColumnOption(args, "balance");
    if (auto skip = args.Value("skip")) choices.skipRows = IntOption(*skip, "skip", 0, 1000000);
    if (auto title = args.Value("title")) {
        choices.titleChoice = TitleChoice::AllRows;
        choices.title = *title;
    } else {
        choices.titleChoice = TitleChoice::Rules;
    }
    const StatementEncoding encoding = EncodingOption(args);

    if (!ctx.OpenLedger(file)) return 1;
    if (ctx.RefuseSaveOverDamaged(ctx.session().filePanel, args.Flag("force"))) return 1;
    const std::optional<BookId> target = ParseBookOption(ctx.session(), *book);
    if (!target) return ctx.Fail("no such book: " + *book);
    choices.book = *target;

    Application& app = ctx.app();
    ImportWindow window(ctx, csv, encoding, choices);
    {
        WindowsScope windows(app, window);
        app.entry().ImportStatement();
    }
    const std::vector<AddedRow>& added = window.result.added;
    const int status = added.empty() ? 1 : ctx.SaveStatus(app.files().SaveFile());
    // The records are shown once they are in the file; the rows left out in any case.
    std::map<int, int> lines;
    for (const AddedRow& row : added) lines[row.fileRow] = row.line;
    for (const PlannedRow& row : window.plan.rows) {
        if (row.verdict != RowVerdict::Import)
            ctx.out << "refused\t" << row.fileRow << '\t' << ReplaceAll(row.reason, "\r\n", " ")
                    << '\n';
        else if (status != 1 && lines.count(row.fileRow))
            ctx.out << "added\t" << row.fileRow << '\t'
                    << ctx.session().ledger.transactions[lines[row.fileRow]] << '\n';
    }
    if (const auto& b = window.result.balance; b && status != 1)
        ctx.out << "balance\t" << b->book.YenText() << '\t' << b->statement.YenText() << '\t'
                << (b->Matches() ? "equal" : "differs") << '\n';
    return status;
}

}  // namespace velmora::cli
