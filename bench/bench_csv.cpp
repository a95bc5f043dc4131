// The CSV export of all books, from "実　行" to the closed file, against a baseline
// measured in the same run: only writing the same CP932 bytes, atomically.
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bench/support/bench_setup.h"
#include "bench/support/figure_reporter.h"
#include "core/session/book_commands.h"
#include "core/session/file_commands.h"
#include "core/util/file_io.h"
#include "core/view/csv_records.h"

namespace velmora::bench {
namespace {

// The save dialog names the CSV file; every other message is only counted.
class ExportDialogs final : public Dialogs {
public:
    explicit ExportDialogs(std::string csvPath) : csvPath_(std::move(csvPath)) {}

    void ShowInfo(const std::string&, const std::string&) override { ++messages_; }
    bool AskYesNo(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
    SaveAnswer AskSave(const std::string&, const std::string&, const std::string&,
                       const std::string&) override {
        return SaveAnswer::No;
    }
    std::optional<std::string> AskOpenFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> AskSaveFile(const FileDialogRequest&) override { return csvPath_; }
    std::optional<std::string> AskText(const std::string&, const std::string&,
                                       const std::string&) override {
        return {};
    }
    void Beep() override {}

private:
    std::string csvPath_;
    int messages_ = 0;
};

// A session on the generated ledger in the all-books view, as the CSV dialog finds it.
class ExportScene {
public:
    ExportScene(const std::string& workingFolder, const std::string& source,
                const std::string& csvPath)
        : dialogs_(csvPath),
          clock_(DateTime{Date::FromYmd(2024, 10, 15), 10 * 3600}),
          session_(SessionServices{dialogs_, clock_, writer_, workingFolder, workingFolder}) {
        loaded_ = LoadLedger(session_, source);
        if (loaded_) SelectAllBooks(session_);
    }

    bool Loaded() const { return loaded_; }
    Session& session() { return session_; }

private:
    ExportDialogs dialogs_;
    FixedClock clock_;
    DiskFileWriter writer_;
    Session session_;
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
    if (!InitBenchmarks(argc, argv)) return 1;
    ScratchFolder folder;
    const PreparedLedger prepared = PrepareAnnouncedLedger(folder);
    RegisterCsvBenchmarks(folder, prepared);
    RunWithFigures({{"CSV export, all books / writing its bytes", "CsvExportAllBooks",
                     "CsvWriteBaseline", 3, TimeBasis::kReal}});
    return 0;
}
