// What a user waits for after "登　録" in the cash book: the record placed in date order
// and the cash book recomputed (RegisterEntry), then the ledger view of the entry's month
// built again, which refreshes the balance list of every book and recomputes once more
// (ShowLedgerView). The parts are timed on their own as well, to show where the time goes.
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/support/bench_setup.h"
#include "bench/support/figure_reporter.h"
#include "bench/support/ledger_bench_main.h"
#include "core/entry/entry_form.h"
#include "core/entry/entry_register.h"
#include "core/ledger/balances.h"
#include "core/ledgerview/ledger_view.h"
#include "core/ledgerview/main_calendar.h"
#include "core/session/book_commands.h"

namespace velmora::bench {
namespace {

// Notes that the entry form was shown.
class EntryFormShown final : public AppWindows {
public:
    void RunEntryForm() override { shown = true; }
    bool shown = false;
};

// The generated ledger opened as the program opens it, the cash book chosen, day clicked
// on the calendar and the entry form opened for a new record on it, as F5 opens it.
class EntryScene {
public:
    EntryScene(const std::string& workingFolder, const std::string& source, Date day)
        : quiet_(workingFolder) {
        loaded_ = quiet_.Open(source);
        if (!loaded_) return;
        Application& app = quiet_.app();
        app.books().SelectCashBook();
        app.books().ChooseCalendarDay(day);
        EntryFormShown form;
        app.SetWindows(&form);
        app.entry().OpenForm();
        app.SetWindows(nullptr);
        opened_ = form.shown;
    }

    bool Ready() const { return loaded_ && opened_; }
    Application& app() { return quiet_.app(); }

    // Fills the form as a user does before "登　録": the continuous-entry form keeps the
    // title and the date and clears the description and the amounts after each entry.
    // The command ends with the ledger view built again.
    RegisterResult Register() {
        EntryController& entry = quiet_.app().entry();
        entry.TypeTitle("消耗品費");
        entry.TakeTyped("ボールペン", Amount(), Amount::Parse("330"));
        return entry.Register();
    }

    // Takes the entry back ("元に戻す"), so that every iteration starts from the same ledger.
    void Undo(const RegisterResult& result) {
        if (result.stored) quiet_.app().entry().Undo();
    }

private:
    QuietApp quiet_;
    bool loaded_ = false;
    bool opened_ = false;
};

// The parts of the same step, timed on the core's own session: the ledger opened by the
// start-up, day chosen on the calendar and one entry registered on it as the form does.
class CoreEntryScene {
public:
    CoreEntryScene(const std::string& workingFolder, const std::string& source, Date day)
        : quiet_(workingFolder), view_(quiet_.clock().Today()) {
        if (!quiet_.Open(source)) return;
        Session& session = quiet_.session();
        SelectCashBook(session);
        ChooseDay(session, view_, day);
        ReloadEntryTitles(session, form_);
        if (!NewEntryCommand(session, view_, form_)) return;
        if (!PickTitle(session, form_, "消耗品費")) return;
        form_.description = "ボールペン";
        form_.expense = Amount::Parse("330");
        ready_ = RegisterEntry(session, view_, form_).stored;
    }

    bool Ready() const { return ready_; }
    Session& session() { return quiet_.session(); }
    ViewState& view() { return view_; }

private:
    QuietSession quiet_;
    ViewState view_;
    EntryForm form_;
    bool ready_ = false;
};

void RegisterEntryBenchmark(const char* name, const std::string& workingFolder,
                            const std::string& source, Date day) {
    benchmark::RegisterBenchmark(name, [workingFolder, source, day](benchmark::State& state) {
        EntryScene scene(workingFolder, source, day);
        if (!scene.Ready()) return state.SkipWithError("no entry form on the ledger");
        std::size_t rows = 0;
        for (auto _ : state) {
            const RegisterResult result = scene.Register();
            if (!result.stored) return state.SkipWithError("the entry was refused");
            rows = scene.app().ledgerView().rows.size();
            state.PauseTiming();
            scene.Undo(result);
            state.ResumeTiming();
        }
        state.counters["rows"] = static_cast<double>(rows);
    })->Unit(benchmark::kMillisecond);
}

// The entry form takes only a listed title: the working folder gets the shipped lists, as
// the program's first start gives them.
void GiveShippedTitleLists(const ScratchFolder& folder) {
    namespace fs = std::filesystem;
    fs::create_directories(folder.File("cldata"));
    for (const char* list : {"kamoku1.dat", "kamoku2.dat"})
        fs::copy_file(fs::path(VELMORA_SOURCE_DATA_DIR) / "cldata" / list,
                      fs::path(folder.File("cldata")) / list, fs::copy_options::overwrite_existing);
}

void RegisterViewBenchmarks(const ScratchFolder& folder, const PreparedLedger& prepared) {
    const std::string source = prepared.path;
    const std::string workingFolder = folder.Path();
    GiveShippedTitleLists(folder);
    // Today in the middle of the year, and the last month, whose records are the last
    // ones of the list.
    RegisterEntryBenchmark("EntryThenViewOctober", workingFolder, source,
                           Date::FromYmd(2024, 10, 15));
    RegisterEntryBenchmark("EntryThenViewMarch", workingFolder, source, Date::FromYmd(2025, 3, 14));

    // The parts of the step, after one entry in October is in place.
    const Date october = Date::FromYmd(2024, 10, 15);
    benchmark::RegisterBenchmark("RecomputeCashBookAfterEntry", [workingFolder, source,
                                                                 october](benchmark::State& state) {
        CoreEntryScene scene(workingFolder, source, october);
        if (!scene.Ready()) return state.SkipWithError("no entry");
        for (auto _ : state) scene.session().RecomputeCurrent();
    })->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("BookBalanceListAfterEntry", [workingFolder, source,
                                                               october](benchmark::State& state) {
        CoreEntryScene scene(workingFolder, source, october);
        if (!scene.Ready()) return state.SkipWithError("no entry");
        for (auto _ : state) benchmark::DoNotOptimize(BookBalanceList(scene.session()).size());
    })->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("ShowLedgerViewOctober", [workingFolder, source,
                                                           october](benchmark::State& state) {
        CoreEntryScene scene(workingFolder, source, october);
        if (!scene.Ready()) return state.SkipWithError("no entry");
        for (auto _ : state)
            benchmark::DoNotOptimize(ShowLedgerView(scene.session(), scene.view()).rows.size());
    })->Unit(benchmark::kMillisecond);

    // The view of the whole year (the "ALL" tab) for comparison: every record of the book.
    benchmark::RegisterBenchmark("ShowLedgerViewAllMonths", [workingFolder, source,
                                                             october](benchmark::State& state) {
        CoreEntryScene scene(workingFolder, source, october);
        if (!scene.Ready()) return state.SkipWithError("no entry");
        scene.session().currentMonth = 13;
        std::size_t rows = 0;
        for (auto _ : state) rows = ShowLedgerView(scene.session(), scene.view()).rows.size();
        state.counters["rows"] = static_cast<double>(rows);
    })->Unit(benchmark::kMillisecond);
}

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    using namespace velmora::bench;
    return RunOnAnnouncedLedger(
        argc, argv, RegisterViewBenchmarks,
        {
            {"entry in October: register + view", "EntryThenViewOctober", "", 50},
            {"entry in March: register + view", "EntryThenViewMarch", "", 50},
        });
}
