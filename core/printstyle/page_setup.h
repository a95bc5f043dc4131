#pragma once
// The page set-up a style carries in its header line (entry 0):
//   header;Ver1.1;ofx1;ofy1;paper;orientation;0;zoom;counter;ofx2;ofy2;source;printer;
// and the printer chosen for a report kind and paper, kept in a small key file.
#include <string>
#include <string_view>

#include "core/printstyle/print_offsets.h"
#include "core/printstyle/style_list.h"

namespace velmora {

struct PageSetup {
    PrintOffsets offsets;
    int paperCode = 0;      // the Windows paper code (9 = A4); 0 when unknown
    int orientation = 0;    // 0 portrait; any other value landscape
    int paperSource = 0;    // the paper-bin code
    int printerIndex = -1;  // -1 keeps the current printer
    bool operator==(const PageSetup&) const = default;
};

// Files of version "Ver1.0" lack the second point of text items: every "char" and "data"
// line gets copies of its x and y after them, and the header becomes "Ver1.1". The change
// is made in memory only. Lines after the first empty one are left alone.
void UpgradeStyleVersion(StyleList& style);

// The set-up of entry 0 (after its "header" and version fields). The printer index is
// not read from the header (the printer choice file decides) and stays -1. An empty style
// gives the default set-up. Throws StyleError naming line 1 when a field does not convert.
PageSetup ReadPageSetup(const StyleList& style);

// working folder + "/config/" + kind + "-" + paper index + ".conf"
std::string PrinterChoicePath(std::string_view workingFolder, int reportKind, int paperIndex);

// The value of the "[PrinterIndex]" line of a printer choice file, read as a whole number
// with 0 for anything else; -1 when the file or the line is missing.
// Throws FileError / EncodingError when the file exists but cannot be read.
int ReadPrinterChoice(const std::string& path);

// Upgrades the style, reads its set-up and the printer choice. Applying the set-up to the
// printer is the caller's decision (not while a print run is under way): ApplyPageSetup.
PageSetup ApplyStyleHeader(StyleList& style, const std::string& printerChoicePath);

// The header line rewritten from the current settings; counter is the small figure (0..10)
// kept with the print settings.
std::string StyleHeaderLine(const PageSetup& setup, int zoom, int counter);

}  // namespace velmora
