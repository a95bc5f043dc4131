#include "core/print/print_data.h"

#include <algorithm>

#include "core/platform/file_io.h"
#include "core/util/fields.h"
#include "core/util/paths.h"

namespace velmora {

std::string PrintDataPath(std::string_view workingFolder) {
    return JoinPath(workingFolder, "style/listout.dat");
}

LedgerPrintData LedgerPrintLines(const std::vector<LedgerRow>& rows, Date calendarMonth) {
    LedgerPrintData out;
    out.searchRange = FormatDate("yyyy", calendarMonth);
    out.monthPanel = FormatDate("mm", calendarMonth);
    for (const LedgerRow& row : rows) {
        std::string line;
        for (int cell = LedgerRow::kDate; cell < LedgerRow::kCellCount; ++cell) {
            const std::string& text = row.CellText(static_cast<LedgerRow::Cell>(cell));
            if (cell < LedgerRow::kIncome)
                line += text;
            else
                line += TrimBlanks(text);
            line += ';';
        }
        out.lines.push_back(std::move(line));
        if (row.Marker() == kMarkNegativeCarry || row.Marker() == kMarkEnd) break;
    }
    return out;
}

std::vector<std::string> SummaryPrintLines(const SummaryGrid& grid) {
    std::vector<std::string> lines;
    // The header and the rows up to the last one that holds a text.
    std::size_t used = 1;
    for (int row = 0; row < grid.RowCount(); ++row) {
        std::string line;
        for (int column = kLabelColumn; column <= kYearTotalColumn; ++column) {
            line += TrimBlanks(grid.Cell(column, row));
            line += ';';
        }
        if (line.find_first_not_of(';') != std::string::npos) used = lines.size() + 1;
        lines.push_back(std::move(line));
        if (grid.Cell(kMarkerColumn, row) == kLastRowMarker) return lines;
    }
    // Without the end mark (a summary with no rows at all), the empty rows the grid keeps
    // below its last text would print as pages of empty frames.
    lines.resize(std::min(used, lines.size()));
    return lines;
}

void WritePrintData(std::string_view workingFolder, const std::vector<std::string>& lines,
                    FileWriter& writer) {
    WriteTextLines(PrintDataPath(workingFolder), lines, writer);
}

std::vector<std::string> ReadPrintData(std::string_view workingFolder) {
    return ReadTextLines(PrintDataPath(workingFolder));
}

}  // namespace velmora
