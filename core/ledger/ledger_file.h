#pragma once
// The ledger file (".exv"; the earlier ".clv" reads the same): transaction lines, the
// registry lines, twelve period lines and one settings line. The period and settings
// lines are found by position: they are the last thirteen lines.
#include <string>
#include <vector>

#include "core/ledger/ledger.h"
#include "core/platform/file_io.h"
#include "core/util/date.h"

namespace velmora {

// "f," + start + "," + end + "," + lock (no trailing comma).
std::string PeriodLine(const Periods& periods, int k);
// "g," + opening balance + "," + start month + "," + use type + "," + start year + ",".
std::string SettingsLine(const Ledger& ledger);

// Every line of the file, in file order.
std::vector<std::string> LedgerFileLines(const Ledger& ledger);

// What of a ledger file could not be read, so that saving the ledger over the file would
// lose it for good.
struct LedgerDamage {
    // The periods could not be read: what the file held there, and in its settings line,
    // is not in the ledger.
    bool trailer = false;
    // The periods were read, but the settings line after them is cut short (of its fields
    // only those still followed by their comma were read) or missing: the opening
    // balance, start month, use type or start year it lost are the previous values. The
    // line number (from 1) of a settings line cut short; 0 when there is none (a line in
    // its place that is no settings line is a dropped line).
    bool settings = false;
    std::size_t settingsLine = 0;
    // Record lines with a number of fields no record has (bytes overwritten inside a line
    // take or add a comma): their fields stand in the wrong places, so that such a record
    // mostly belongs to no book and counts in no balance. They are kept as they are. The
    // first one's line number in the file (from 1) and its number of fields.
    std::size_t badRecords = 0;
    std::size_t firstBadRecordLine = 0;
    int firstBadRecordFields = 0;
    // Records whose first field is no month tag ("d01=" .. "d12="): no month shows them.
    std::size_t untaggedRecords = 0;
    std::size_t firstUntaggedRecordLine = 0;
    // Lines that are neither records nor book registry lines (a record's first bytes
    // overwritten, a line broken in two): the ledger does not hold them, so a save would
    // lose them. Blank lines are none of these.
    std::size_t droppedLines = 0;
    std::size_t firstDroppedLine = 0;
    bool Any() const {
        return trailer || settings || badRecords > 0 || untaggedRecords > 0 || droppedLines > 0;
    }
};

// A record has twelve fields; a record of the earlier form at most eight.
bool IsRecordFieldCount(int fields);

struct ParsedLedger {
    Ledger ledger;
    // The trailer was missing or broken: the periods are the calendar months of today's
    // year, and the start month, use type, start year and opening balance are kept (those
    // of previous).
    bool periodsInvalid = false;
    LedgerDamage damage;
    // The amounts of the file add up beyond what a balance can hold, so that some book's
    // balance may not fit (BalancesOverflow tells). False whenever every balance fits.
    bool largeAmounts = false;
    FileIdentity identity;  // of the file read (ReadLedgerFile)
};

// Reads the lines of a ledger file into a new ledger. previous gives the values kept
// when the trailer or the settings line is missing or cut short. Empty lines and NUL bytes after
// the last line are no lines of the file (a crash or a copy can leave them there). Throws
// ConversionError (its message names the line) for a date or number that does not convert; the
// caller's ledger is never touched.
ParsedLedger ParseLedgerLines(std::vector<std::string> lines, const Ledger& previous, Date today);

// Reads and parses a ledger file. Throws FileError, EncodingError or ConversionError.
ParsedLedger ReadLedgerFile(const std::string& path, const Ledger& previous, Date today);

}  // namespace velmora
