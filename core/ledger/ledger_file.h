#pragma once
// The ledger file (".exv"; the earlier ".clv" reads the same): transaction lines, the
// registry lines, twelve period lines and one settings line. The period and settings
// lines are found by position: they are the last thirteen lines.
#include <string>
#include <vector>

#include "core/ledger/ledger.h"
#include "core/util/date.h"

namespace velmora {

// "f," + start + "," + end + "," + lock (no trailing comma).
std::string PeriodLine(const Periods& periods, int k);
// "g," + opening balance + "," + start month + "," + use type + "," + start year + ",".
std::string SettingsLine(const Ledger& ledger);

// Every line of the file, in file order.
std::vector<std::string> LedgerFileLines(const Ledger& ledger);

struct ParsedLedger {
    Ledger ledger;
    // The trailer was missing or broken: the periods are the calendar months of today's
    // year, and the start month, use type, start year and opening balance are kept.
    bool periodsInvalid = false;
};

// Reads the lines of a ledger file into a new ledger. previous gives the values kept
// when the trailer is missing. Throws ConversionError (its message names the line) for a
// date or number that does not convert; the caller's ledger is never touched.
ParsedLedger ParseLedgerLines(std::vector<std::string> lines, const Ledger& previous, Date today);

// Reads and parses a ledger file. Throws FileError, EncodingError or ConversionError.
ParsedLedger ReadLedgerFile(const std::string& path, const Ledger& previous, Date today);

}  // namespace velmora
