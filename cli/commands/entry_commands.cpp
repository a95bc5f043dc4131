#include "cli/commands/entry_commands.h"

#include <algorithm>
#include <ostream>
#include <tuple>

#include "core/entry/entry_form.h"
#include "core/entry/entry_register.h"
#include "core/settings/title_file.h"

namespace velmora::cli {
namespace {

Date RequiredDate(const Args& args) {
    auto value = args.Value("date");
    if (!value) throw UsageError("--date YYYY/MM/DD is required");
    auto date = Date::TryParse(*value);
    if (!date) throw UsageError("--date takes a date YYYY/MM/DD");
    return *date;
}

Amount AmountOption(const Args& args, const std::string& name) {
    auto value = args.Value(name);
    if (!value) return Amount();
    auto amount = Amount::TryParse(*value);
    if (!amount) throw UsageError("--" + name + " takes an amount (1500, 12.5)");
    return *amount;
}

int ItemOf(const std::vector<std::string>& list, const std::string& text) {
    auto it = std::find(list.begin(), list.end(), text);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

// What the user picks on the form: a title of the list (or one typed, cut as the title
// master keeps titles), or a book on a transfer tab, which must be one the tab lists.
bool Pick(CliContext& ctx, const Args& args) {
    EntryController& entry = ctx.app().entry();
    const EntryForm& form = ctx.app().entryForm();
    if (auto title = args.Value("title")) {
        const int item = ItemOf(form.titleList, *title);
        if (item >= 0)
            entry.ClickTitle(item);
        else
            entry.TypeTitle(*title);
        return true;
    }
    for (auto [option, tab, caption] : {std::tuple{"petty", EntryTab::PettyCash, kPettyTabCaption},
                                        std::tuple{"bank", EntryTab::Bank, kBankTabCaption}}) {
        auto name = args.Value(option);
        if (!name) continue;
        entry.ChangeTab(tab);
        const int item = ItemOf(tab == EntryTab::PettyCash ? form.pettyList : form.bankList, *name);
        if (item < 0) {
            ctx.Fail("the tab " + std::string(caption) + " lists no book " + *name);
            return false;
        }
        entry.ClickBook(tab, item);
    }
    return true;
}

// The entry form as the options fill it: the date on its calendar, the pick, the
// description and the amounts, then "登　録".
class EntryWindow final : public AppWindows {
public:
    EntryWindow(CliContext& ctx, const Args& args, Date date, Amount income, Amount expense)
        : ctx_(ctx), args_(args), date_(date), income_(income), expense_(expense) {}

    void RunEntryForm() override {
        EntryController& entry = ctx_.app().entry();
        entry.ShowDate(date_);
        if (!Pick(ctx_, args_)) return;
        entry.TakeTyped(args_.Value("desc").value_or(""), income_, expense_);
        result = entry.Register();
    }

    // Not stored also when the form did not open.
    RegisterResult result;

private:
    CliContext& ctx_;
    const Args& args_;
    Date date_;
    Amount income_;
    Amount expense_;
};

}  // namespace

int RunAdd(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words, {"date", "book", "title", "petty", "bank", "desc", "income", "expense"},
              {"blank", "force"});
    args.ExpectAtMost(1);
    const std::string& file = args.Required(0, "FILE");
    const Date date = RequiredDate(args);
    const int picks = static_cast<int>(args.Value("title").has_value()) +
                      static_cast<int>(args.Value("petty").has_value()) +
                      static_cast<int>(args.Value("bank").has_value());
    if (picks > 1) throw UsageError("--title, --petty and --bank exclude each other");
    const Amount income = AmountOption(args, "income");
    const Amount expense = AmountOption(args, "expense");

    if (!ctx.OpenLedger(file)) return 1;
    if (ctx.RefuseSaveOverDamaged(ctx.session().filePanel, args.Flag("force"))) return 1;
    if (!SelectBookOption(ctx, args.Value("book"), false)) return 1;
    ctx.dialogs.AnswerYesNo(kBlankLineQuestion, args.Flag("blank"));

    Application& app = ctx.app();
    EntryWindow window(ctx, args, date, income, expense);
    {
        WindowsScope windows(app, window);
        app.entry().OpenForm();
    }
    if (!window.result.stored) return 1;
    // Shown only once it is in the file, as the file holds it (its balance settled).
    const std::string record =
        app.files().RecordLines()[static_cast<std::size_t>(window.result.line)];
    const int status = ctx.SaveStatus(app.files().SaveFile());
    if (status != 1) ctx.out << record << '\n';
    return status;
}

int RunMoveDown(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words, {"month", "row", "book"}, {"force"});
    args.ExpectAtMost(1);
    const std::string& file = args.Required(0, "FILE");
    auto monthText = args.Value("month");
    auto rowText = args.Value("row");
    if (!monthText || !rowText) throw UsageError("--month M and --row R are required");
    const int month = IntOption(*monthText, "month", 1, 12);
    const int row = IntOption(*rowText, "row", 1, 1000000000);

    if (!ctx.OpenLedger(file)) return 1;
    if (ctx.RefuseSaveOverDamaged(ctx.session().filePanel, args.Flag("force"))) return 1;
    if (!SelectBookOption(ctx, args.Value("book"), false)) return 1;
    if (!ChooseMonth(ctx, month)) return 1;
    Application& app = ctx.app();
    if (!app.books().MoveRowDown(static_cast<std::size_t>(row - 1))) return 1;
    return ctx.SaveStatus(app.files().SaveFile());
}

}  // namespace velmora::cli
