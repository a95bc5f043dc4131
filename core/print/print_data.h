#pragma once
// The print data file "style/listout.dat" in the working folder: the rows of the report on
// screen, one ";"-terminated line each, written by the print commands just before a style
// is loaded and read by the page fillers.
#include <string>
#include <string_view>
#include <vector>

#include "core/ledgerview/ledger_row.h"
#include "core/reports/summary_grid.h"
#include "core/util/date.h"

namespace velmora {

class FileWriter;

// working folder + "/style/listout.dat"
std::string PrintDataPath(std::string_view workingFolder);

// What `LedgerPrintLines` writes, and what it shows on the way.
struct LedgerPrintData {
    std::vector<std::string> lines;
    std::string searchRange;  // `searchrange`: the year of the month on the calendar, "yyyy"
    std::string monthPanel;   // status panel 2: its month, "mm"
};

// One line per ledger grid row from row 1: date, title and description as they are, then
// income, expense and balance without blanks at their ends. The lines stop after the first
// row marked "*" or "=" (the closing carry, or the end mark of a filtered view).
LedgerPrintData LedgerPrintLines(const std::vector<LedgerRow>& rows, Date calendarMonth);

// One line per summary grid row from the header row 0 up to the row marked "=" (when there
// is none, up to the last row that holds a text; the header at least): columns 1..14
// without blanks at their ends.
std::vector<std::string> SummaryPrintLines(const SummaryGrid& grid);

// Replaces the print data file atomically (CP932, CR LF). Throws EncodingError or FileError.
void WritePrintData(std::string_view workingFolder, const std::vector<std::string>& lines,
                    FileWriter& writer);

// The lines of the print data file. Throws FileError (a missing file among them) or
// EncodingError.
std::vector<std::string> ReadPrintData(std::string_view workingFolder);

}  // namespace velmora
