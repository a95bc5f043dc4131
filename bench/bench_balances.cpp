// Recomputing the cash book over the whole year, and the balance list of all books.
#include <cstdio>
#include <string>

#include "bench/support/bench_setup.h"
#include "bench/support/figure_reporter.h"
#include "bench/support/ledger_bench_main.h"
#include "core/ledger/balances.h"
#include "core/session/book_commands.h"

namespace velmora::bench {
namespace {

void RegisterBalanceBenchmarks(const ScratchFolder& folder, const PreparedLedger& prepared) {
    const std::string source = prepared.path;
    const std::string workingFolder = folder.Path();

    // The cash book again, its balances already in field 7: the walk and the checks.
    benchmark::RegisterBenchmark("RecomputeCashBook", [source,
                                                       workingFolder](benchmark::State& state) {
        QuietSession quiet(workingFolder);
        if (!quiet.Open(source)) return state.SkipWithError("not loaded");
        Session& session = quiet.session();
        const BookId cash = session.ledger.CashBook();
        for (auto _ : state)
            Recompute(session.ledger, session.balances, 0, cash.name, cash.kind,
                      session.currentMonth);
    })->Unit(benchmark::kMillisecond);

    // The cash book after a bank book was shown: the shared transfer records get their
    // field 7 rewritten as well.
    benchmark::RegisterBenchmark("RecomputeCashBookAfterBankBook", [source, workingFolder](
                                                                       benchmark::State& state) {
        QuietSession quiet(workingFolder);
        if (!quiet.Open(source)) return state.SkipWithError("not loaded");
        Session& session = quiet.session();
        const BookId cash = session.ledger.CashBook();
        const std::string bank = RegistryName(session.ledger.bankRegistry[0]);
        Balances other;
        for (auto _ : state) {
            state.PauseTiming();
            Recompute(session.ledger, other, 0, bank, kBankKind, session.currentMonth);
            state.ResumeTiming();
            Recompute(session.ledger, session.balances, 0, cash.name, cash.kind,
                      session.currentMonth);
        }
    })->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("BookBalanceList", [source,
                                                     workingFolder](benchmark::State& state) {
        QuietSession quiet(workingFolder);
        if (!quiet.Open(source)) return state.SkipWithError("not loaded");
        Session& session = quiet.session();
        std::size_t books = 0;
        for (auto _ : state) books = BookBalanceList(session).size();
        state.counters["books"] = static_cast<double>(books);
    })->Unit(benchmark::kMillisecond);
}

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    using namespace velmora::bench;
    return RunOnAnnouncedLedger(
        argc, argv, RegisterBalanceBenchmarks,
        {
            {"recompute cash book (whole year)", "RecomputeCashBook", "", 20},
            {"recompute cash book after a bank book", "RecomputeCashBookAfterBankBook", "", 20},
            {"book balance list (11 books)", "BookBalanceList", "", 100},
        });
}
