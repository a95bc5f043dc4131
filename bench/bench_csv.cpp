// The CSV export of all books, from "実　行" to the closed file, against a baseline
// measured in the same run: only writing the same CP932 bytes, atomically.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/support/bench_setup.h"
#include "bench/support/figure_reporter.h"
#include "bench/support/ledger_bench_main.h"
#include "core/export/csv_records.h"
#include "core/ledgerview/search_commands.h"
#include "core/platform/file_io.h"
#include "core/session/book_commands.h"

namespace velmora::bench {
namespace {

// The generated ledger opened by the core's start-up in the all-books view ("全帳簿" checked,
// then "検索実行"), as the CSV dialog finds it; its save dialog names the CSV file.
class ExportScene {
public:
    ExportScene(const std::string& workingFolder, const std::string& source,
                const std::string& csvPath)
        : quiet_(workingFolder) {
        quiet_.dialogs().SetSaveFile(csvPath);
        loaded_ = quiet_.Open(source);
        if (!loaded_) return;
        quiet_.session().allBooks = true;
        RunSearch(quiet_.session());
    }

    bool Loaded() const { return loaded_; }
    Session& session() { return quiet_.session(); }

private:
    QuietSession quiet_;
    bool loaded_ = false;
};

void RegisterCsvBenchmarks(const ScratchFolder& folder, const PreparedLedger& prepared) {
    const std::string source = prepared.path;
    const std::string workingFolder = folder.Path();
    const CsvOptions options;  // as the dialog opens: every column and the title row
    const CodeTable codes;

    const std::string baselinePath = folder.File("baseline.csv");
    benchmark::RegisterBenchmark("CsvWriteBaseline", [workingFolder, source, baselinePath, options,
                                                      codes](benchmark::State& state) {
        ExportScene scene(workingFolder, source, baselinePath);
        if (!scene.Loaded()) return state.SkipWithError("not loaded");
        const std::string bytes = EncodeTextLines(
            CsvRecordLines(scene.session().ledger, CsvScopeOf(scene.session()), options, codes));
        DiskFileWriter writer;
        for (auto _ : state) writer.WriteAtomic(baselinePath, bytes);
        state.counters["bytes"] = static_cast<double>(bytes.size());
    })->Unit(benchmark::kMillisecond);

    const std::string exportPath = folder.File("export.csv");
    benchmark::RegisterBenchmark("CsvExportAllBooks", [workingFolder, source, exportPath, options,
                                                       codes](benchmark::State& state) {
        ExportScene scene(workingFolder, source, exportPath);
        if (!scene.Loaded()) return state.SkipWithError("not loaded");
        for (auto _ : state)
            if (!ExportCsv(scene.session(), options, codes)) state.SkipWithError("not exported");
    })->Unit(benchmark::kMillisecond);

    // The file's bytes without writing them: what the export adds to the baseline.
    benchmark::RegisterBenchmark("CsvFileBytesAllBooks", [workingFolder, source, exportPath,
                                                          options, codes](benchmark::State& state) {
        ExportScene scene(workingFolder, source, exportPath);
        if (!scene.Loaded()) return state.SkipWithError("not loaded");
        const CsvScope scope = CsvScopeOf(scene.session());
        for (auto _ : state)
            benchmark::DoNotOptimize(CsvFileBytes(scene.session().ledger, scope, options, codes));
    })->Unit(benchmark::kMillisecond);

    // The lines alone, without encoding or writing: the part of the export in our code.
    benchmark::RegisterBenchmark("CsvRecordLinesAllBooks", [workingFolder, source, exportPath,
                                                            options,
                                                            codes](benchmark::State& state) {
        ExportScene scene(workingFolder, source, exportPath);
        if (!scene.Loaded()) return state.SkipWithError("not loaded");
        const CsvScope scope = CsvScopeOf(scene.session());
        for (auto _ : state)
            benchmark::DoNotOptimize(
                CsvRecordLines(scene.session().ledger, scope, options, codes).size());
    })->Unit(benchmark::kMillisecond);

    // The lines to CP932 with CR LF: the part of the export between the lines and the disk.
    benchmark::RegisterBenchmark("CsvEncodeLinesAllBooks", [workingFolder, source, exportPath,
                                                            options,
                                                            codes](benchmark::State& state) {
        ExportScene scene(workingFolder, source, exportPath);
        if (!scene.Loaded()) return state.SkipWithError("not loaded");
        const std::vector<std::string> lines =
            CsvRecordLines(scene.session().ledger, CsvScopeOf(scene.session()), options, codes);
        for (auto _ : state) benchmark::DoNotOptimize(EncodeTextLines(lines).size());
    })->Unit(benchmark::kMillisecond);

    // One book seen from its side (decorated transfers, reversed amounts), for comparison.
    benchmark::RegisterBenchmark("CsvRecordLinesCashBook", [workingFolder, source, exportPath,
                                                            options,
                                                            codes](benchmark::State& state) {
        ExportScene scene(workingFolder, source, exportPath);
        if (!scene.Loaded()) return state.SkipWithError("not loaded");
        SelectCashBook(scene.session());
        const CsvScope scope = CsvScopeOf(scene.session());
        for (auto _ : state)
            benchmark::DoNotOptimize(
                CsvRecordLines(scene.session().ledger, scope, options, codes).size());
    })->Unit(benchmark::kMillisecond);
}

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
    using namespace velmora::bench;
    return RunOnAnnouncedLedger(argc, argv, RegisterCsvBenchmarks,
                                {{"CSV export, all books / writing its bytes", "CsvExportAllBooks",
                                  "CsvWriteBaseline", 2, TimeBasis::kReal}});
}
