#pragma once
// The main() of a benchmark on the announced ledger, shared by the benchmark programs.
#include <vector>

#include "bench/support/bench_setup.h"
#include "bench/support/figure_reporter.h"

namespace velmora::bench {

using LedgerBenchmarks = void (*)(const ScratchFolder& folder, const PreparedLedger& prepared);

// The benchmark flags taken, the announced ledger prepared in a scratch folder, the
// benchmarks registered and run, their figures printed; the program's exit code.
inline int RunOnAnnouncedLedger(int argc, char** argv, LedgerBenchmarks registerBenchmarks,
                                const std::vector<FigureTarget>& targets) {
    if (!InitBenchmarks(argc, argv)) return 1;
    ScratchFolder folder;
    const PreparedLedger prepared = PrepareAnnouncedLedger(folder);
    registerBenchmarks(folder, prepared);
    RunWithFigures(targets);
    return 0;
}

}  // namespace velmora::bench
