// Loading the generated ledger file against a baseline measured in the same run: only
// reading the file, converting it from CP932 and splitting it into lines.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/support/bench_setup.h"
#include "bench/support/figure_reporter.h"
#include "bench/support/ledger_bench_main.h"
#include "core/ledger/ledger_file.h"
#include "core/platform/file_io.h"
#include "core/session/file_commands.h"
#include "core/util/codepage.h"

namespace velmora::bench {
namespace {

void RegisterLoadBenchmarks(const ScratchFolder& folder, const PreparedLedger& prepared) {
    const std::string path = prepared.path;
    benchmark::RegisterBenchmark("LoadBaseline", [path](benchmark::State& state) {
        for (auto _ : state) {
            std::string text = Cp932ToUtf8(ReadFileBytes(path));
            std::vector<std::string> lines;
            SplitTextLines(text, lines);
            benchmark::DoNotOptimize(lines.data());
        }
    })->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("ReadLedgerFile", [path](benchmark::State& state) {
        const Ledger previous;
        const Date today = Date::FromYmd(2024, 10, 15);
        for (auto _ : state) {
            ParsedLedger parsed = ReadLedgerFile(path, previous, today);
            benchmark::DoNotOptimize(parsed.ledger.transactions.Count());
        }
    })->Unit(benchmark::kMillisecond);

    // As a user opens the file: the whole flow, with the cash book selected and recomputed.
    const std::string workingFolder = folder.Path();
    benchmark::RegisterBenchmark("LoadLedger", [path, workingFolder](benchmark::State& state) {
        QuietSession quiet(workingFolder);
        for (auto _ : state)
            if (!LoadLedger(quiet.session(), path)) state.SkipWithError("the ledger did not load");
        state.counters["records"] = quiet.session().ledger.transactions.Count();
    })->Unit(benchmark::kMillisecond);
}

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    using namespace velmora::bench;
    return RunOnAnnouncedLedger(
        argc, argv, RegisterLoadBenchmarks,
        {
            {"load (LoadLedger) / baseline", "LoadLedger", "LoadBaseline", 2.2},
            {"parse (ReadLedgerFile) / baseline", "ReadLedgerFile", "LoadBaseline", 3},
        });
}
