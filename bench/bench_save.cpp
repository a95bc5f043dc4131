// Saving the ledger with its backup copy against a baseline measured in the same run:
// only converting the same lines to CP932 and writing them twice, atomically.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/support/bench_setup.h"
#include "bench/support/figure_reporter.h"
#include "bench/support/ledger_bench_main.h"
#include "core/ledger/ledger_file.h"
#include "core/platform/file_io.h"

namespace velmora::bench {
namespace {

void RegisterSaveBenchmarks(const ScratchFolder& folder, const PreparedLedger& prepared) {
    const std::vector<std::string> lines = LedgerFileLines(prepared.ledger);
    const std::string first = folder.File("baseline.exv");
    const std::string second = folder.File("baseline.dat");
    benchmark::RegisterBenchmark("SaveBaseline", [lines, first, second](benchmark::State& state) {
        DiskFileWriter writer;
        for (auto _ : state) {
            const std::string bytes = EncodeTextLines(lines);
            writer.WriteAtomic(first, bytes);
            writer.WriteAtomic(second, bytes);
        }
    })->Unit(benchmark::kMillisecond);

    // As a user saves with "名前をつけて保存": the ledger file, the backup copy, the rotation
    // of the backup list and its file. The clock moves on a second per save, so each save
    // makes a new backup and, after ten, deletes the oldest.
    const std::string source = prepared.path;
    const std::string workingFolder = folder.Path();
    const std::string target = folder.File("saved.exv");
    benchmark::RegisterBenchmark("SaveAs", [source, workingFolder,
                                            target](benchmark::State& state) {
        QuietApp quiet(workingFolder);
        if (!quiet.Open(source)) {
            state.SkipWithError("the ledger did not load");
            return;
        }
        quiet.dialogs().SetSaveFile(target);
        for (auto _ : state) {
            quiet.clock().Advance(1);
            if (!quiet.app().files().SaveFileAs()) state.SkipWithError("not saved");
        }
    })->Unit(benchmark::kMillisecond);
}

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    using namespace velmora::bench;
    return RunOnAnnouncedLedger(
        argc, argv, RegisterSaveBenchmarks,
        {{"save (名前をつけて保存) / baseline", "SaveAs", "SaveBaseline", 2.1, TimeBasis::kReal}});
}
