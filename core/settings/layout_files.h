#pragma once
// The saved screen layout of the main window: the ledger layout ("config/display.dat",
// saved on the user's command) and the column widths of the monthly summary
// ("ini/display2.dat", saved whenever the window is asked to close). Both are key lines
// "[Key]=integer", CP932 with CR LF.
#include <array>
#include <string>
#include <vector>

#include "core/platform/dialogs.h"
#include "core/platform/file_io.h"

namespace velmora {

inline constexpr const char* kLedgerLayoutFile = "config/display.dat";
inline constexpr const char* kSummaryLayoutFile = "ini/display2.dat";
inline constexpr const char* kLayoutSavedMessage = "ディスプレイのレイアウトを保存しました。";

inline constexpr int kLedgerGridColumns = 8;
inline constexpr int kBookBalanceColumns = 3;
inline constexpr int kHiddenLedgerColumn = 7;

struct LedgerLayout {
    // The panel inside the side panel's first tab (Panel12).
    int leftPanelWidth = 100;
    // The ledger grid's columns; column 7 is always hidden once a layout is loaded.
    std::array<int, kLedgerGridColumns> listColWidths{30, 115, 254, 169, 121, 106, 123, 133};
    // The book balance grid; column 0 is not saved.
    std::array<int, kBookBalanceColumns> bookBalanceWidths{0, 118, 97};
    int sidePanelWidth = 255;  // PageControl2
};

struct SummaryLayout {
    std::array<int, 15> columnWidths{30,  100, 100, 100, 100, 100, 100, 100,
                                     100, 100, 100, 100, 100, 100, 100};
};

std::vector<std::string> LedgerLayoutLines(const LedgerLayout& layout);
// Applies the lines over layout: known keys take their value, a value that is not an
// integer takes its key's default; unknown keys and lines are passed over.
void ApplyLedgerLayoutLines(const std::vector<std::string>& lines, LedgerLayout& layout);

std::vector<std::string> SummaryLayoutLines(const SummaryLayout& layout);
void ApplySummaryLayoutLines(const std::vector<std::string>& lines, SummaryLayout& layout);

// "現在の画面デザインを保存する": writes the ledger layout file and confirms; a failed
// write is reported instead. True when written.
bool WriteLedgerLayout(const std::string& workingFolder, const LedgerLayout& layout,
                       Dialogs& dialogs, FileWriter& writer = DefaultFileWriter());
// Reads the ledger layout file when there is one (a line that cannot be read changes
// nothing), then hides ledger column 7 whatever the file says.
// A line that cannot be decoded, or a file too large to be real, is told in *problem
// (when given) and read as ReadStartFile reads it.
void ReadLedgerLayout(const std::string& workingFolder, LedgerLayout& layout,
                      std::string* problem = nullptr);

// Written on every close request; a failure is not reported. True when written.
bool WriteSummaryLayout(const std::string& workingFolder, const SummaryLayout& layout,
                        FileWriter& writer = DefaultFileWriter());
// Reads the summary layout file when there is one; a line that cannot be read changes
// nothing.
// A line that cannot be decoded, or a file too large to be real, is told in *problem
// (when given) and read as ReadStartFile reads it.
void ReadSummaryLayout(const std::string& workingFolder, SummaryLayout& layout,
                       std::string* problem = nullptr);

// The width the side panel's inner panel keeps after the splitter moved: never 0, so
// that it can be dragged back.
inline int SplitterPanelWidth(int draggedWidth) {
    return draggedWidth == 0 ? 1 : draggedWidth;
}

}  // namespace velmora
