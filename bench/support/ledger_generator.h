#pragma once
// A large, realistic ledger for the benchmarks: one fiscal year from April 2024 with
// month-end periods, the cash book, five petty-cash books and five bank books, Japanese
// account titles and descriptions, ordinary records and transfers between books. The
// same options always give the same ledger, byte for byte.
#include <cstdint>
#include <string>
#include <vector>

#include "core/ledger/book.h"
#include "core/ledger/ledger.h"

namespace velmora::bench {

inline constexpr int kGeneratedStartYear = 2024;
inline constexpr int kGeneratedStartMonth = 4;
inline constexpr int kDefaultRecordCount = 100000;
inline constexpr std::uint64_t kDefaultSeed = 20240401;

struct GeneratorOptions {
    int records = kDefaultRecordCount;
    std::uint64_t seed = kDefaultSeed;
};

// The ledger with its records in date order, every record tagged with its period, and
// the running balances of every book recomputed, the cash book last (so field 7 holds the
// cash book's balance in its records and each other book's in the records only it has).
Ledger GenerateLedger(const GeneratorOptions& options);

// Periods from the first to the last day of each calendar month of the fiscal year that
// starts in startMonth of startYear.
Periods MonthEndPeriods(int startYear, int startMonth);

// The ledger as the program saves it: CP932, CR LF. Throws EncodingError or FileError.
void WriteLedgerFile(const Ledger& ledger, const std::string& path);

}  // namespace velmora::bench
