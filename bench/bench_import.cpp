// A bank's statement of 10,000 rows brought into the 100,000-record ledger: what the user
// waits for once the file is chosen in "CSVファイルから取込…" (the file read, its code page
// found, its rows split, the columns suggested and every row planned against the book),
// what a change of a choice costs (the plan again), and "取込" with the ledger view shown
// again when the command ends, also with the desktop program's recovery journal.
#include <array>
#include <cstdio>
#include <string>

#include "bench/support/bench_setup.h"
#include "bench/support/figure_reporter.h"
#include "bench/support/ledger_generator.h"
#include "bench/support/split_mix.h"
#include "core/import/statement_import_form.h"
#include "core/util/codepage.h"

namespace velmora::bench {
namespace {

constexpr int kStatementRows = 10000;

// A statement as a Japanese bank writes it: a title line, a header, then one row a
// transaction in date order over the generated fiscal year, descriptions in half-width
// katakana, amounts with separators in quotes, the balance after each row; CP932, CR LF.
std::string StatementBytes(int rows) {
    static const std::array<const char*, 3> kPayers = {"ﾌﾘｺﾐ ﾔﾏﾀﾞ ｼｮｳｼﾞ", "ﾌﾘｺﾐ ｻﾄｳ ﾊﾅｺ",
                                                       "ﾌﾘｺﾐ ｶ)ﾀﾅｶｺｳｷﾞｮｳ"};
    static const std::array<const char*, 6> kPayees = {
        "ﾃﾞﾝｷﾀﾞｲ ﾄｳｷｮｳﾃﾞﾝﾘｮｸ", "ｽｲﾄﾞｳﾀﾞｲ", "ｶｰﾄﾞ ﾋｷｵﾄｼ", "ATM ﾋｷﾀﾞｼ", "ﾃｽｳﾘｮｳ", "ｶﾞｽﾀﾞｲ"};
    SplitMix64 random(kDefaultSeed + 7);
    std::string text = "○○銀行 普通預金 入出金明細\r\n取引日,お取引内容,お引出し,お預入れ,残高\r\n";
    const Date first = Date::FromYmd(kGeneratedStartYear, kGeneratedStartMonth, 1);
    const int days = Date::FromYmd(kGeneratedStartYear + 1, kGeneratedStartMonth, 1) - first;
    std::int64_t balance = 5'000'000;
    for (int i = 0; i < rows; ++i) {
        const Date day =
            first.AddDays(static_cast<int>(static_cast<std::int64_t>(i) * days / rows));
        const bool deposit = random.Chance(30);
        const std::int64_t yen = random.Between(1, 2000) * (deposit ? 100 : 10);
        balance += deposit ? yen : -yen;
        const std::string amount = "\"" + GroupThousands(yen) + "\"";
        text += day.ShortText() + "," + (deposit ? random.Pick(kPayers) : random.Pick(kPayees)) +
                "," + (deposit ? "" : amount) + "," + (deposit ? amount : "") + ",\"" +
                GroupThousands(balance) + "\"\r\n";
    }
    return Utf8ToCp932(text);
}

// The generated ledger opened as the program opens it, the statement's file beside it, and
// the dialog with the file chosen and the first bank book, one title for the rows that no
// rule meets and two rules.
class ImportScene {
public:
    ImportScene(const ScratchFolder& folder, const std::string& source, bool desktop)
        : quiet_(folder.Path()) {
        if (desktop) {
            quiet_.app().Create();
            quiet_.app().Show(source);
            opened_ = !quiet_.session().currentFile.empty();
        } else {
            opened_ = quiet_.Open(source);
        }
        statement_ = folder.File("statement.csv");
        WriteBytes(statement_);
    }

    bool Ready() const { return opened_; }
    Application& app() { return quiet_.app(); }
    const std::string& statement() const { return statement_; }

    StatementImportForm Form() {
        StatementImportForm form(quiet_.session(), {});
        form.choices.titleChoice = TitleChoice::Rules;
        form.choices.title = "雑収入";
        form.AddRule("ﾃﾞﾝｷ", "水道光熱費");
        form.AddRule("ﾌﾘｺﾐ", "売上");
        return form;
    }

    void Choose(StatementImportForm& form) {
        form.choices.book = BookId{"預金", RegistryName(quiet_.session().ledger.bankRegistry[0])};
    }

private:
    void WriteBytes(const std::string& path) {
        DiskFileWriter writer;
        writer.WriteAtomic(path, StatementBytes(kStatementRows));
    }

    QuietApp quiet_;
    std::string statement_;
    bool opened_ = false;
};

void RegisterImportBenchmarks(const ScratchFolder& folder, const PreparedLedger& prepared) {
    const std::string source = prepared.path;
    const ScratchFolder* place = &folder;

    benchmark::RegisterBenchmark("ImportPreview", [place, source](benchmark::State& state) {
        ImportScene scene(*place, source, false);
        if (!scene.Ready()) return state.SkipWithError("the ledger did not open");
        QuietDialogs dialogs;
        int importable = 0;
        for (auto _ : state) {
            StatementImportForm form = scene.Form();
            if (!form.LoadFile(scene.statement(), dialogs))
                return state.SkipWithError("the statement was not read");
            scene.Choose(form);
            importable = form.Preview(scene.app().session().ledger).Count(RowVerdict::Import);
        }
        state.counters["importable"] = importable;
    })->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("ImportPreviewAgain", [place, source](benchmark::State& state) {
        ImportScene scene(*place, source, false);
        QuietDialogs dialogs;
        StatementImportForm form = scene.Form();
        if (!scene.Ready() || !form.LoadFile(scene.statement(), dialogs))
            return state.SkipWithError("no statement on the ledger");
        scene.Choose(form);
        for (auto _ : state)
            benchmark::DoNotOptimize(form.Preview(scene.app().session().ledger).rows.size());
    })->Unit(benchmark::kMillisecond);

    // The desktop program's journal of unsaved work: an import that is the first change since
    // the file was opened writes the whole ledger into it; one made after other unsaved work
    // appends its changes only.
    enum class Journal { None, FirstChange, AfterOtherWork };
    const std::pair<const char*, Journal> kinds[] = {
        {"ImportThenView", Journal::None},
        {"ImportThenViewWithJournal", Journal::AfterOtherWork},
        {"ImportFirstChangeThenViewWithJournal", Journal::FirstChange}};
    for (const auto& [name, journal] : kinds) {
        benchmark::RegisterBenchmark(name, [place, source, journal](benchmark::State& state) {
            ImportScene scene(*place, source, journal != Journal::None);
            QuietDialogs dialogs;
            StatementImportForm form = scene.Form();
            if (!scene.Ready() || !form.LoadFile(scene.statement(), dialogs))
                return state.SkipWithError("no statement on the ledger");
            scene.Choose(form);
            const ImportPlan plan = form.Preview(scene.app().session().ledger);
            if (journal == Journal::AfterOtherWork) {
                ImportPlan one = plan;
                one.rows.resize(1);
                scene.app().entry().ImportStatementRows(one);
            }
            std::size_t rows = 0;
            for (auto _ : state) {
                if (scene.app().entry().ImportStatementRows(plan).added.size() !=
                    static_cast<std::size_t>(plan.Count(RowVerdict::Import)))
                    return state.SkipWithError("rows were refused");
                rows = scene.app().ledgerView().rows.size();
                state.PauseTiming();
                scene.app().entry().Undo();
                state.ResumeTiming();
            }
            state.counters["viewRows"] = static_cast<double>(rows);
            state.counters["imported"] = plan.Count(RowVerdict::Import);
        })->Unit(benchmark::kMillisecond);
    }

    // Taking the import back: one undo.
    benchmark::RegisterBenchmark("ImportUndo", [place, source](benchmark::State& state) {
        ImportScene scene(*place, source, false);
        QuietDialogs dialogs;
        StatementImportForm form = scene.Form();
        if (!scene.Ready() || !form.LoadFile(scene.statement(), dialogs))
            return state.SkipWithError("no statement on the ledger");
        scene.Choose(form);
        const ImportPlan plan = form.Preview(scene.app().session().ledger);
        for (auto _ : state) {
            state.PauseTiming();
            scene.app().entry().ImportStatementRows(plan);
            state.ResumeTiming();
            scene.app().entry().Undo();
        }
    })->Unit(benchmark::kMillisecond);
}

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    using namespace velmora::bench;
    if (!InitBenchmarks(argc, argv)) return 1;
    ScratchFolder folder;
    const PreparedLedger prepared = PrepareAnnouncedLedger(folder);
    std::printf("statement: %d rows\n", velmora::bench::kStatementRows);
    RegisterImportBenchmarks(folder, prepared);
    RunWithFigures({
        {"statement of 10,000 rows: preview", "ImportPreview", "", 100},
        {"statement of 10,000 rows: import + view", "ImportThenView", "", 300},
        {"the same, the recovery journal appended", "ImportThenViewWithJournal", "", 300},
        {"the same as the first change: journal written whole",
         "ImportFirstChangeThenViewWithJournal", "", 300},
    });
    return 0;
}
