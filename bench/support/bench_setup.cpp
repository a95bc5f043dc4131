#include "bench/support/bench_setup.h"

#include <cstdio>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string_view>

#include "bench/support/ledger_generator.h"
#include "core/session/startup.h"
#include "core/util/paths.h"

namespace velmora::bench {

int BenchRecordCount() {
    const char* text = std::getenv("VELMORA_BENCH_RECORDS");
    if (text == nullptr) return kDefaultRecordCount;
    const std::string_view view(text);
    int records = 0;
    auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), records);
    if (error != std::errc() || end != view.data() + view.size() || records < 0)
        return kDefaultRecordCount;
    return records;
}

ScratchFolder::ScratchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/velmora-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch folder from " + pattern);
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::File(const std::string& name) const {
    return JoinPath(path_, name);
}

PreparedLedger PrepareLedgerFile(const ScratchFolder& folder, int records) {
    PreparedLedger prepared;
    prepared.ledger = GenerateLedger(GeneratorOptions{records, kDefaultSeed});
    prepared.path = folder.File("bench.exv");
    WriteLedgerFile(prepared.ledger, prepared.path);
    prepared.fileBytes = std::filesystem::file_size(prepared.path);
    return prepared;
}

namespace {

// Inside the generated fiscal year.
DateTime BenchNow() {
    return DateTime{Date::FromYmd(2024, 10, 15), 10 * 3600};
}

}  // namespace

QuietSession::QuietSession(const std::string& workingFolder)
    : clock_(BenchNow()),
      session_(SessionServices{dialogs_, clock_, writer_, workingFolder, workingFolder}) {}

bool QuietSession::Open(const std::string& path) {
    return StartSessionOnFile(session_, path);
}

QuietApp::QuietApp(const std::string& workingFolder)
    : clock_(BenchNow()),
      app_(AppServices{dialogs_, clock_, writer_, printer_, shell_, workingFolder, workingFolder}) {
}

bool QuietApp::Open(const std::string& path) {
    app_.Create();
    return app_.files().OpenFile(path);
}

PreparedLedger PrepareAnnouncedLedger(const ScratchFolder& folder) {
    PreparedLedger prepared = PrepareLedgerFile(folder, BenchRecordCount());
    std::printf("ledger file: %d records, %ju bytes\n", prepared.ledger.transactions.Count(),
                prepared.fileBytes);
    std::fflush(stdout);
    return prepared;
}

}  // namespace velmora::bench
