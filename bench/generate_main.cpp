// velmora-generate OUT.exv OUT.journal [--records N] [--seed S]
// Writes a generated ledger file and the same transactions as a ledger-cli journal.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "bench/support/ledger_generator.h"
#include "bench/support/ledger_journal.h"

namespace {

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

int Usage() {
    std::fputs("usage: velmora-generate OUT.exv OUT.journal [--records N] [--seed S]\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string ledgerPath;
    std::string journalPath;
    velmora::bench::GeneratorOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--records" && i + 1 < argc) {
            if (!ParseNumber(argv[++i], options.records) || options.records < 0) return Usage();
        } else if (arg == "--seed" && i + 1 < argc) {
            if (!ParseNumber(argv[++i], options.seed)) return Usage();
        } else if (ledgerPath.empty() && !arg.starts_with("--")) {
            ledgerPath = arg;
        } else if (journalPath.empty() && !arg.starts_with("--")) {
            journalPath = arg;
        } else {
            return Usage();
        }
    }
    if (ledgerPath.empty() || journalPath.empty()) return Usage();
    try {
        const velmora::Ledger ledger = velmora::bench::GenerateLedger(options);
        velmora::bench::WriteLedgerFile(ledger, ledgerPath);
        velmora::bench::WriteJournalFile(ledger, journalPath);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmora-generate: %s\n", error.what());
        return 1;
    }
    std::printf("%d records: %s, %s\n", options.records, ledgerPath.c_str(), journalPath.c_str());
    return 0;
}
