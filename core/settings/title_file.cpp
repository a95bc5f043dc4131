#include "core/settings/title_file.h"

#include "core/platform/start_files.h"
#include "core/util/codepage.h"
#include "core/util/errors.h"
#include "core/util/fields.h"
#include "core/util/paths.h"
#include "core/util/text_length.h"

namespace velmora {

GridCell CellOfSlot(int slot) {
    if (slot < 1 || slot > kTitleSlots) return {};
    return {(slot - 1) / kTitleSlotsPerColumn + 1, (slot - 1) % kTitleSlotsPerColumn + 1};
}

int SlotOfCell(GridCell cell) {
    if (cell.column < 1 || cell.column >= kTitleGridColumns) return 0;
    if (cell.row < 1 || cell.row >= kTitleGridRows) return 0;
    return (cell.column - 1) * kTitleSlotsPerColumn + cell.row;
}

std::string TitleFileName(int useType) {
    return useType == 1 ? "kamoku1.dat" : "kamoku2.dat";
}

std::string TitleFilePath(std::string_view workingFolder, int useType) {
    return JoinPath(workingFolder, "cldata/" + TitleFileName(useType));
}

std::vector<std::string> ReadTitleFile(const std::string& path, std::string* problem) {
    StartFileLines read = ReadStartFile(path);
    if (problem != nullptr) *problem = std::move(read.problem);
    return std::move(read.lines);
}

void WriteTitleFile(const std::string& path, const TitleSlots& slots, FileWriter& writer) {
    WriteTextLines(path, std::vector<std::string>(slots.begin(), slots.end()), writer);
}

std::string CutTitle(std::string_view typed) {
    return CutToCp932Bytes(typed, kTitleMaxBytes);
}

TitleMaster::TitleMaster(std::string path, TitleMasterMode mode, Dialogs& dialogs)
    : path_(std::move(path)), mode_(mode), dialogs_(dialogs) {
    std::string problem;
    const std::vector<std::string> lines = ReadTitleFile(path_, &problem);
    if (!problem.empty()) dialogs_.ShowInfo("確認", problem);
    // Lines beyond the sixtieth have no cell; the next write leaves them out.
    for (std::size_t i = 0; i < lines.size() && i < slots_.size(); ++i) slots_[i] = lines[i];
}

std::string TitleMaster::Heading() const {
    return mode_ == TitleMasterMode::Edit ? "科目設定" : "科目検索";
}

std::string TitleMaster::CellText(GridCell cell) const {
    int slot = SlotOfCell(cell);
    return slot == 0 ? std::string() : slots_[static_cast<std::size_t>(slot - 1)];
}

CellAction TitleMaster::DoubleClick(GridCell cell, std::string& accountFilter) {
    if (cell.column < 0 || cell.column >= kTitleGridColumns || cell.row < 0 ||
        cell.row >= kTitleGridRows)
        return CellAction::Unchanged;
    if (cell.row == 0 || cell.column == 0) {
        dialogs_.Beep();
        selection_ = GridCell{cell.column == 0 ? 1 : cell.column, cell.row == 0 ? 1 : cell.row};
        return CellAction::Reselected;
    }
    selection_ = cell;
    if (mode_ == TitleMasterMode::Pick) {
        accountFilter = CellText(cell);
        return CellAction::Picked;
    }
    std::optional<std::string> typed = dialogs_.AskText(kAppTitle, kTitleEditLabel, CellText(cell));
    if (!typed) return CellAction::Unchanged;
    return SetTitle(SlotOfCell(cell), *typed) ? CellAction::Edited : CellAction::Unchanged;
}

bool TitleMaster::SetTitle(int slot, std::string_view typed) {
    if (slot < 1 || slot > kTitleSlots) return false;
    // A line break would shift every later slot of the file by a line.
    std::string title = CutTitle(CleanTypedText(typed));
    try {
        Utf8ToCp932(title);
    } catch (const EncodingError& error) {
        dialogs_.ShowInfo("確認してください。", error.what());
        return false;
    }
    slots_[static_cast<std::size_t>(slot - 1)] = std::move(title);
    return true;
}

bool TitleMaster::Update(FileWriter& writer) {
    try {
        WriteTitleFile(path_, slots_, writer);
    } catch (const std::exception& error) {
        dialogs_.ShowInfo("確認", error.what());
        return false;
    }
    dialogs_.ShowInfo("確認", Heading() + "を更新しました。");
    return true;
}

}  // namespace velmora
