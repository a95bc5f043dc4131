#include "core/settings/layout_files.h"

#include <limits>

#include "core/platform/key_lines.h"
#include "core/platform/start_files.h"
#include "core/util/fields.h"
#include "core/util/paths.h"

namespace velmora {
namespace {

constexpr const char* kVersionLine = "[Version]=1.00";

struct LayoutKey {
    std::string key;
    int* value;
    int nonNumberDefault;
};

std::string ListColumnKey(int column) {
    return "[list_colwidths[" + std::to_string(column) + "]]";
}

// The keys of the ledger layout in file order, bound to the fields of layout.
std::vector<LayoutKey> LedgerKeys(LedgerLayout& layout) {
    std::vector<LayoutKey> keys;
    keys.push_back({"[left_panel_width]", &layout.leftPanelWidth, 100});
    for (int c = 0; c < kLedgerGridColumns; ++c)
        keys.push_back({ListColumnKey(c), &layout.listColWidths[static_cast<std::size_t>(c)], 50});
    keys.push_back({"[NOTESGRID[1]]", &layout.bookBalanceWidths[1], 100});
    keys.push_back({"[NOTESGRID[2]]", &layout.bookBalanceWidths[2], 50});
    keys.push_back({"[PageControl2]", &layout.sidePanelWidth, 255});
    return keys;
}

int IntValueOr(std::string_view text, int fallback) {
    long long value = 0;
    if (!ParseInt(text, value) || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max())
        return fallback;
    return static_cast<int>(value);
}

std::vector<std::string> KeyLines(const std::vector<LayoutKey>& keys) {
    std::vector<std::string> lines{kVersionLine};
    for (const LayoutKey& k : keys) lines.push_back(k.key + "=" + std::to_string(*k.value));
    return lines;
}

// A key given twice takes its later value.
void ApplyKeyLines(const std::vector<std::string>& lines, const std::vector<LayoutKey>& keys) {
    for (const std::string& line : lines) {
        const KeyLine entry = SplitKeyLine(line);
        for (const LayoutKey& k : keys)
            if (entry.key == k.key) *k.value = IntValueOr(entry.value, k.nonNumberDefault);
    }
}

std::vector<std::string> ReadLines(const std::string& path, std::string* problem) {
    StartFileLines read = ReadStartFile(path);
    if (problem != nullptr) *problem = std::move(read.problem);
    return std::move(read.lines);
}

}  // namespace

std::vector<std::string> LedgerLayoutLines(const LedgerLayout& layout) {
    LedgerLayout copy = layout;
    return KeyLines(LedgerKeys(copy));
}

void ApplyLedgerLayoutLines(const std::vector<std::string>& lines, LedgerLayout& layout) {
    ApplyKeyLines(lines, LedgerKeys(layout));
}

std::vector<std::string> SummaryLayoutLines(const SummaryLayout& layout) {
    std::vector<std::string> lines{kVersionLine};
    for (std::size_t c = 0; c < layout.columnWidths.size(); ++c)
        lines.push_back(ListColumnKey(static_cast<int>(c)) + "=" +
                        std::to_string(layout.columnWidths[c]));
    // The grid has fifteen columns; the sixteenth entry carries the grid's default width.
    lines.push_back(ListColumnKey(15) + "=100");
    return lines;
}

void ApplySummaryLayoutLines(const std::vector<std::string>& lines, SummaryLayout& layout) {
    std::vector<LayoutKey> keys;
    for (std::size_t c = 0; c < layout.columnWidths.size(); ++c)
        keys.push_back({ListColumnKey(static_cast<int>(c)), &layout.columnWidths[c], 50});
    ApplyKeyLines(lines, keys);
}

bool WriteLedgerLayout(const std::string& workingFolder, const LedgerLayout& layout,
                       Dialogs& dialogs, FileWriter& writer) {
    try {
        WriteTextLines(JoinPath(workingFolder, kLedgerLayoutFile), LedgerLayoutLines(layout),
                       writer);
    } catch (const std::exception& error) {
        dialogs.ShowInfo("確認", error.what());
        return false;
    }
    dialogs.ShowInfo("確認", kLayoutSavedMessage);
    return true;
}

void ReadLedgerLayout(const std::string& workingFolder, LedgerLayout& layout,
                      std::string* problem) {
    ApplyLedgerLayoutLines(ReadLines(JoinPath(workingFolder, kLedgerLayoutFile), problem), layout);
    layout.listColWidths[kHiddenLedgerColumn] = 0;
}

bool WriteSummaryLayout(const std::string& workingFolder, const SummaryLayout& layout,
                        FileWriter& writer) {
    try {
        WriteTextLines(JoinPath(workingFolder, kSummaryLayoutFile), SummaryLayoutLines(layout),
                       writer);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void ReadSummaryLayout(const std::string& workingFolder, SummaryLayout& layout,
                       std::string* problem) {
    ApplySummaryLayoutLines(ReadLines(JoinPath(workingFolder, kSummaryLayoutFile), problem),
                            layout);
}

}  // namespace velmora
