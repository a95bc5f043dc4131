#include "cli/commands/settings_commands.h"

#include <ostream>

#include "core/session/apply_settings.h"

namespace velmora::cli {
namespace {

struct PeriodEdit {
    int month = 0;
    Date start;
    Date end;
};

// The dialog's fields as the options change them, in the order they are changed.
struct FormEdits {
    std::optional<int> startMonth;
    std::optional<int> startYear;
    bool monthEnd = false;
    bool fromStart = false;
    std::vector<PeriodEdit> periods;
    std::vector<int> locks;
    std::vector<int> unlocks;
    std::optional<Amount> opening;
    std::optional<int> useType;
};

PeriodEdit ParsePeriod(const std::string& value) {
    const std::string usage = "--period takes M=YYYY/MM/DD-YYYY/MM/DD";
    std::size_t eq = value.find('=');
    std::size_t dash = value.find('-', eq == std::string::npos ? 0 : eq);
    if (eq == std::string::npos || dash == std::string::npos) throw UsageError(usage);
    auto start = Date::TryParse(value.substr(eq + 1, dash - eq - 1));
    auto end = Date::TryParse(value.substr(dash + 1));
    if (!start || !end) throw UsageError(usage);
    return {IntOption(value.substr(0, eq), "period", 1, 12), *start, *end};
}

FormEdits ParseEdits(const Args& args) {
    FormEdits edits;
    if (auto v = args.Value("start-month")) edits.startMonth = IntOption(*v, "start-month", 1, 12);
    // The start-year field holds four characters; the years it may hold are checked on apply.
    if (auto v = args.Value("start-year")) edits.startYear = IntOption(*v, "start-year", 0, 9999);
    edits.monthEnd = args.Flag("month-end");
    edits.fromStart = args.Flag("from-start");
    if (edits.monthEnd && edits.fromStart)
        throw UsageError("--month-end and --from-start exclude each other");
    for (const auto& v : args.Values("period")) edits.periods.push_back(ParsePeriod(v));
    for (const auto& v : args.Values("lock")) edits.locks.push_back(IntOption(v, "lock", 1, 12));
    for (const auto& v : args.Values("unlock"))
        edits.unlocks.push_back(IntOption(v, "unlock", 1, 12));
    if (auto v = args.Value("opening")) {
        auto amount = Amount::TryParse(*v);
        // The opening-balance field holds at most nine characters.
        if (!amount || *amount > Amount::FromYen(999999999) || *amount < Amount::FromYen(-99999999))
            throw UsageError("--opening takes an amount of at most nine digits");
        edits.opening = *amount;
    }
    if (auto v = args.Value("use-type")) edits.useType = IntOption(*v, "use-type", 1, 2);
    return edits;
}

// Changes the fields as a user would; false when an auto-setting button refused.
bool EditForm(FiscalSettingsForm& form, const FormEdits& edits, Dialogs& dialogs) {
    // The year first: clicking the start month cuts the periods from the year in the field,
    // and a user who sets both means the periods of that year.
    if (edits.startYear) form.startYearField = Amount::FromYen(*edits.startYear);
    if (edits.startMonth) form.ClickStartMonth(*edits.startMonth);
    if (edits.monthEnd && !form.AutoSetMonthEnd(dialogs)) return false;
    if (edits.fromStart && !form.AutoSetFromStartMonth(dialogs)) return false;
    for (const auto& p : edits.periods) {
        form.periods.start[p.month] = p.start;
        form.periods.end[p.month] = p.end;
    }
    for (int month : edits.locks) form.periods.lock[month] = 1;
    for (int month : edits.unlocks) form.periods.lock[month] = 0;
    if (edits.opening) form.openingBalanceField = *edits.opening;
    if (edits.useType) form.useTypeIndex = *edits.useType - 1;
    return true;
}

// The settings dialog "環境設定": the fields changed as the options say, then "適用(&A)".
class SettingsWindow final : public AppWindows {
public:
    SettingsWindow(CliContext& ctx, const FormEdits& edits) : ctx_(ctx), edits_(edits) {}

    void RunSettings(Session& session, FiscalSettingsForm& form) override {
        if (EditForm(form, edits_, ctx_.dialogs))
            applied = ApplySettingsForm(session, form) == ApplyOutcome::Applied;
    }

    bool applied = false;

private:
    CliContext& ctx_;
    const FormEdits& edits_;
};

}  // namespace

int RunConfigure(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words,
              {"start-month", "start-year", "opening", "period", "lock", "unlock", "use-type"},
              {"month-end", "from-start", "no", "force"});
    args.ExpectAtMost(1);
    const std::string& file = args.Required(0, "FILE");
    const FormEdits edits = ParseEdits(args);
    if (args.Flag("no")) ctx.dialogs.AnswerYesNo(kStartChangeQuestion, false);
    if (!ctx.OpenLedger(file)) return 1;
    if (ctx.RefuseSaveOverDamaged(ctx.session().filePanel, args.Flag("force"))) return 1;

    Application& app = ctx.app();
    SettingsWindow window(ctx, edits);
    {
        WindowsScope windows(app, window);
        app.books().EditSettings();
    }
    // Not applied also when the dialog did not open.
    if (!window.applied) return 1;
    return ctx.SaveStatus(app.files().SaveFile());
}

int RunPeriods(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words, {}, {});
    args.ExpectAtMost(1);
    const std::string& file = args.Required(0, "FILE");
    if (!ctx.OpenLedger(file)) return 1;
    const Ledger& ledger = ctx.session().ledger;
    for (int i = 0; i < 12; ++i) {
        int k = FiscalMonthAt(ledger.startMonth, i);
        ctx.out << k << "月度\t" << ledger.periods.start[k].ShortText() << '\t'
                << ledger.periods.end[k].ShortText();
        if (ledger.periods.IsLocked(k)) ctx.out << "\tLock";
        ctx.out << '\n';
    }
    return 0;
}

}  // namespace velmora::cli
