// Feeds arbitrary bytes to the ledger file reader as a ledger file, then runs what a load
// runs on the result: recomputation of every book, re-tagging, and the lines of a save.
// Rejected files must fail with the reader's own errors, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/ledger/balances.h"
#include "core/ledger/ledger_file.h"
#include "core/platform/file_io.h"
#include "core/util/codepage.h"
#include "core/util/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    std::string text;
    try {
        text = DecodeFileText(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const EncodingError&) {
        return 0;
    }
    std::vector<std::string> lines;
    SplitTextLines(text, lines);

    Ledger previous;
    ParsedLedger parsed;
    try {
        parsed = ParseLedgerLines(std::move(lines), previous, Date::FromYmd(2014, 4, 10));
    } catch (const ConversionError&) {
        return 0;
    }
    Ledger& ledger = parsed.ledger;
    Balances balances;
    Recompute(ledger, balances, 0, ledger.UseTypeName(), "現金", 4);
    for (const auto* registry : {&ledger.pettyRegistry, &ledger.bankRegistry})
        for (const auto& line : registry->Items())
            Recompute(ledger, balances, 0, RegistryName(line),
                      registry == &ledger.pettyRegistry ? "小口" : "預金", 13);
    if (ledger.transactions.Count() > 1)
        Recompute(ledger, balances, ledger.transactions.Count() / 2, ledger.UseTypeName(), "現金",
                  4);
    RetagPeriods(ledger);
    try {
        (void)EncodeTextLines(LedgerFileLines(ledger));
    } catch (const EncodingError&) {
        // A UTF-8 file may hold characters that CP932 cannot: the save reports them.
    }
    return 0;
}
