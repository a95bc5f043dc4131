#pragma once
// What the CSV export writes: the records of one book (or of all books) for the whole
// year, seen as the ledger view sees them, and the export command that follows the
// option dialog's "実　行".
#include <string>
#include <vector>

#include "core/export/code_table.h"
#include "core/export/csv_export.h"
#include "core/ledger/ledger.h"
#include "core/session/session.h"

namespace velmora {

// Which records are exported and from which side they are seen.
struct CsvScope {
    BookId book;                // the current book (status panels 0 and 1)
    bool allBooks = false;      // every record, as stored
    std::string accountFilter;  // empty: every title
};

CsvScope CsvScopeOf(const Session& session);

// The file's lines: the title row when chosen, then one line per record taken, in the
// order of the transaction list.
std::vector<std::string> CsvRecordLines(const Ledger& ledger, const CsvScope& scope,
                                        const CsvOptions& options, const CodeTable& codes);

// The file's bytes: the lines of CsvRecordLines in CP932, CR LF after each, built a line
// at a time without holding the lines. Throws EncodingError as EncodeTextLines of those
// lines does. With UTF-8 chosen: a byte order mark, then the lines as they are.
std::string CsvFileBytes(const Ledger& ledger, const CsvScope& scope, const CsvOptions& options,
                         const CodeTable& codes);

// After "実　行": asks for the file, writes it and says so. False when the save dialog
// was cancelled or the file could not be written (then nothing of it is left).
bool ExportCsv(Session& session, const CsvOptions& options, const CodeTable& codes);

}  // namespace velmora
