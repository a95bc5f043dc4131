#include "core/settings/title_file.h"

#include <algorithm>

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

std::string TitleAsTyped(std::string_view typed, bool* cut) {
    // A line break would shift every later slot of the file by a line; a comma or a
    // double quote would never reach a record, whose fields lose them.
    const std::string clean = RemoveQuotesAndCommas(CleanTypedText(typed));
    std::string title = CutTitle(clean);
    if (cut) *cut = title.size() < clean.size();
    return title;
}

namespace {

std::string Quoted(const std::string& title) {
    return "「" + title + "」";
}

}  // namespace

TitleMaster::TitleMaster(std::string path, TitleMasterMode mode, Dialogs& dialogs,
                         TitleUseCounter uses)
    : path_(std::move(path)), mode_(mode), dialogs_(dialogs), uses_(std::move(uses)) {
    std::string problem;
    const std::vector<std::string> lines = ReadTitleFile(path_, &problem);
    if (!problem.empty()) dialogs_.ShowInfo("確認", problem);
    // Lines beyond the sixtieth have no cell; the next write leaves them out.
    for (std::size_t i = 0; i < lines.size() && i < slots_.size(); ++i) slots_[i] = lines[i];
    opened_ = slots_;
    for (int n = 1; n <= kTitleSlots; ++n) origins_[static_cast<std::size_t>(n - 1)] = n;
}

std::string TitleMaster::Heading() const {
    return mode_ == TitleMasterMode::Edit ? "科目設定" : "科目検索";
}

std::string TitleMaster::CellText(GridCell cell) const {
    int slot = SlotOfCell(cell);
    return slot == 0 ? std::string() : slots_[static_cast<std::size_t>(slot - 1)];
}

void TitleMaster::Select(GridCell cell) {
    if (SlotOfCell(cell) != 0) selection_ = cell;
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
    const int slot = SlotOfCell(cell);
    const std::string before = CellText(cell);
    std::optional<std::string> title = AskTitle(slot, before);
    if (!title) return CellAction::Unchanged;
    return CellText(cell) != before ? CellAction::Edited : CellAction::Unchanged;
}

// The edit box until it gives a title the slot may take (then the slot has it) or is
// cancelled; a refused title comes back into the box as it was typed.
std::optional<std::string> TitleMaster::AskTitle(int slot, std::string initial) {
    for (;;) {
        std::optional<std::string> typed = dialogs_.AskText(kAppTitle, kTitleEditLabel, initial);
        if (!typed) return std::nullopt;
        if (SetTitle(slot, *typed)) return slots_[static_cast<std::size_t>(slot - 1)];
        // The box opens again with what was typed, for the user to put right; an empty
        // title was a deletion the user declined.
        initial = TitleAsTyped(*typed);
        if (initial.empty()) return std::nullopt;
    }
}

bool TitleMaster::SetTitle(int slot, std::string_view typed) {
    if (slot < 1 || slot > kTitleSlots) return false;
    bool cut = false;
    std::string title = TitleAsTyped(typed, &cut);
    try {
        Utf8ToCp932(title);
    } catch (const EncodingError& error) {
        dialogs_.ShowInfo("確認してください。", error.what());
        return false;
    }
    if (cut) {
        dialogs_.ShowInfo("確認してください。", kTitleCutNotice);
        return false;
    }
    const auto at = static_cast<std::size_t>(slot - 1);
    if (title.empty()) return slots_[at].empty() || DeleteSlot(slot);
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (i != at && slots_[i] == title) {
            dialogs_.ShowInfo("確認してください。", Quoted(title) + "はすでに登録されています。");
            return false;
        }
    }
    slots_[at] = std::move(title);
    return true;
}

std::optional<int> TitleMaster::SelectedSlot() {
    const int slot = selection_ ? SlotOfCell(*selection_) : 0;
    if (slot != 0) return slot;
    dialogs_.ShowInfo("確認してください。", kChooseSlotMessage);
    return std::nullopt;
}

bool TitleMaster::Add() {
    for (int slot = 1; slot <= kTitleSlots; ++slot) {
        if (!slots_[static_cast<std::size_t>(slot - 1)].empty()) continue;
        const std::optional<std::string> title = AskTitle(slot, "");
        if (!title || title->empty()) return false;
        selection_ = CellOfSlot(slot);
        return true;
    }
    dialogs_.ShowInfo("確認してください。", kNoEmptySlotMessage);
    return false;
}

bool TitleMaster::Insert() {
    const std::optional<int> slot = SelectedSlot();
    if (!slot) return false;
    int empty = *slot;
    while (empty <= kTitleSlots && !slots_[static_cast<std::size_t>(empty - 1)].empty()) ++empty;
    if (empty > kTitleSlots) {
        dialogs_.ShowInfo("確認してください。", kNoRoomToInsertMessage);
        return false;
    }
    // The title is checked in the empty slot it will push down to, then moved up into
    // place one neighbour at a time.
    const int origin = origins_[static_cast<std::size_t>(empty - 1)];
    origins_[static_cast<std::size_t>(empty - 1)] = 0;
    const std::optional<std::string> title = AskTitle(empty, "");
    if (!title || title->empty()) {
        origins_[static_cast<std::size_t>(empty - 1)] = origin;
        return false;
    }
    for (int n = empty; n > *slot; --n) Exchange(n, n - 1);
    selection_ = CellOfSlot(*slot);
    return true;
}

bool TitleMaster::MoveUp() {
    const std::optional<int> slot = SelectedSlot();
    if (!slot) return false;
    if (*slot == 1) {
        dialogs_.Beep();
        return false;
    }
    Exchange(*slot, *slot - 1);
    selection_ = CellOfSlot(*slot - 1);
    return true;
}

bool TitleMaster::MoveDown() {
    const std::optional<int> slot = SelectedSlot();
    if (!slot) return false;
    if (*slot == kTitleSlots) {
        dialogs_.Beep();
        return false;
    }
    Exchange(*slot, *slot + 1);
    selection_ = CellOfSlot(*slot + 1);
    return true;
}

bool TitleMaster::Delete() {
    const std::optional<int> slot = SelectedSlot();
    if (!slot) return false;
    if (slots_[static_cast<std::size_t>(*slot - 1)].empty()) {
        dialogs_.Beep();
        return false;
    }
    return DeleteSlot(*slot);
}

bool TitleMaster::DeleteSlot(int slot) {
    const auto at = static_cast<std::size_t>(slot - 1);
    const std::string& title = slots_[at];
    const int records = CountRecords(title);
    const std::string question =
        records > 0
            ? Quoted(title) + "は " + std::to_string(records) +
                  " 件のデータで使われています。\r\n削除すると科目の一覧から選べなくなります。"
                  "削除していいですか？"
            : Quoted(title) + "を削除していいですか？";
    if (!dialogs_.AskYesNo(kAppTitle, kAppTitle, question)) return false;
    slots_[at].clear();
    origins_[at] = 0;
    return true;
}

void TitleMaster::Exchange(int a, int b) {
    std::swap(slots_[static_cast<std::size_t>(a - 1)], slots_[static_cast<std::size_t>(b - 1)]);
    std::swap(origins_[static_cast<std::size_t>(a - 1)], origins_[static_cast<std::size_t>(b - 1)]);
}

int TitleMaster::CountRecords(const std::string& title) const {
    return uses_ && !title.empty() ? uses_(title) : 0;
}

bool TitleMaster::Modified() const {
    if (slots_ != opened_) return true;
    for (int n = 1; n <= kTitleSlots; ++n)
        if (origins_[static_cast<std::size_t>(n - 1)] != n) return true;
    return false;
}

bool TitleMaster::MayCancel() {
    return mode_ != TitleMasterMode::Edit || !Modified() ||
           dialogs_.AskYesNo(kAppTitle, kAppTitle, kDiscardTitleEditsQuestion);
}

std::vector<TitleRename> TitleMaster::Renames() const {
    std::vector<TitleRename> renames;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        const int origin = origins_[i];
        if (origin == 0) continue;
        const std::string& from = opened_[static_cast<std::size_t>(origin - 1)];
        const std::string& to = slots_[i];
        if (from.empty() || to.empty() || from == to) continue;
        if (std::find(slots_.begin(), slots_.end(), from) != slots_.end()) continue;
        renames.push_back({from, to});
    }
    return renames;
}

void TitleMaster::WriteFile(FileWriter& writer) const {
    WriteTitleFile(path_, slots_, writer);
}

bool TitleMaster::Update(FileWriter& writer) {
    try {
        WriteFile(writer);
    } catch (const std::exception& error) {
        dialogs_.ShowInfo("確認", error.what());
        return false;
    }
    dialogs_.ShowInfo("確認", Heading() + "を更新しました。");
    return true;
}

}  // namespace velmora
