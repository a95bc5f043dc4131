#pragma once
// The account-title master: 60 slots per use type, one title a line in
// cldata/kamoku1.dat (cash book) or cldata/kamoku2.dat (allowance book), and the dialog
// "科目設定" / "科目検索" that edits the slots or picks one title as the account filter.
// A slot's position, not its text, chooses its description list, so renaming a slot
// keeps its descriptions.
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/dialogs.h"
#include "core/platform/file_io.h"

namespace velmora {

inline constexpr int kTitleSlots = 60;
// The dialog's grid: row 0 and column 0 are fixed headers, the slots fill columns 1..4,
// rows 1..15, one column after the other.
inline constexpr int kTitleGridColumns = 5;
inline constexpr int kTitleGridRows = 16;
inline constexpr int kTitleSlotsPerColumn = 15;
inline constexpr std::array<int, kTitleGridColumns> kTitleGridColumnWidths = {50, 140, 140, 140,
                                                                              140};
// Eight full-width characters.
inline constexpr std::size_t kTitleMaxBytes = 16;
inline constexpr const char* kTitleEditLabel = "科目登録(全角8文字以内)";

struct GridCell {
    int column = 0;
    int row = 0;
    bool operator==(const GridCell&) const = default;
};

// The cell of slot 1..60.
GridCell CellOfSlot(int slot);
// The slot of a cell; 0 for the fixed row and column and for cells outside the grid.
int SlotOfCell(GridCell cell);

// "kamoku1.dat" for use type 1, "kamoku2.dat" for any other.
std::string TitleFileName(int useType);
// The title file of the use type in the working folder's cldata.
std::string TitleFilePath(std::string_view workingFolder, int useType);

using TitleSlots = std::array<std::string, kTitleSlots>;

// The lines of a title file, all of them; none when the file does not exist.
// A line that cannot be decoded, or a file too large to be real, is told in *problem
// (when given) and read as ReadStartFile reads it.
std::vector<std::string> ReadTitleFile(const std::string& path, std::string* problem = nullptr);
// Slots 1..60, one line each, empty slots as empty lines. Throws EncodingError or
// FileError; the old file stays whole.
void WriteTitleFile(const std::string& path, const TitleSlots& slots, FileWriter& writer);

// The typed title as the edit box keeps it: its first 16 CP932 bytes.
std::string CutTitle(std::string_view typed);

// The typed title made fit for the file and for records, as typing elsewhere does: line
// breaks gone, tabs as spaces, no double quotes or commas (a record could not hold them),
// cut to 16 bytes. cut, when given, tells whether the cut took anything away.
std::string TitleAsTyped(std::string_view typed, bool* cut = nullptr);

inline constexpr const char* kTitleCutNotice = "科目は全角8文字（半角16文字）までです。";
inline constexpr const char* kNoEmptySlotMessage = "空いている欄がありません。";
inline constexpr const char* kNoRoomToInsertMessage =
    "この欄より後に空いている欄がないため挿入できません。";
inline constexpr const char* kChooseSlotMessage = "科目の欄を選択してください。";
inline constexpr const char* kDiscardTitleEditsQuestion =
    "変更した科目設定を保存せずに閉じますか？";

enum class TitleMasterMode { Edit = 0, Pick = 1 };

// What a double-click did.
enum class CellAction {
    Reselected,  // a fixed header was hit: beep, the nearest slot cell is selected
    Picked,      // pick mode: the account filter was set; the dialog closes
    Edited,      // edit mode: the cell took the edited title
    Unchanged,   // the edit box was cancelled or refused, or the cell is outside the grid
};

// How many records carry a title: the records the title list finds for it.
using TitleUseCounter = std::function<int(const std::string& title)>;

// A title renamed in the dialog, from the text it had when the dialog opened.
struct TitleRename {
    std::string from;
    std::string to;
};

// The dialog's state from "Show" to its close. Every slot remembers the slot it had when
// the dialog opened (its origin), so that a title keeps its quick descriptions wherever
// the commands move it, and a renamed title can take its records along.
class TitleMaster {
public:
    // Show: the slots from the title file at path (empty when it is missing; a file that
    // cannot be read is reported and shows empty). No cell is selected. uses counts the
    // records of a title for the questions before a title is deleted.
    TitleMaster(std::string path, TitleMasterMode mode, Dialogs& dialogs,
                TitleUseCounter uses = {});

    TitleMasterMode Mode() const { return mode_; }
    // "科目設定" or "科目検索".
    std::string Heading() const;
    // "更　新" and the commands are shown in edit mode only.
    bool HasUpdateButton() const { return mode_ == TitleMasterMode::Edit; }
    // Status panel 3.
    const std::string& Path() const { return path_; }

    const TitleSlots& Slots() const { return slots_; }
    // The text of a slot cell; empty for fixed cells and cells outside the grid.
    std::string CellText(GridCell cell) const;
    std::optional<GridCell> Selection() const { return selection_; }
    // A click on a cell: a slot cell becomes the selection.
    void Select(GridCell cell);

    // A double-click on cell. Pick mode sets accountFilter to the cell's text (an empty
    // slot clears it). Edit mode opens the title edit box with the cell's text.
    CellAction DoubleClick(GridCell cell, std::string& accountFilter);

    // "実　行" of the edit box for slot: the title as typed (TitleAsTyped). Refused with a
    // message, the box opening again with what was typed: a character the file cannot
    // hold, a title longer than 16 bytes (the box shows it cut), a title another slot
    // has. An empty title deletes the slot's title, after Delete's question.
    bool SetTitle(int slot, std::string_view typed);

    // The commands of edit mode, each on the selected slot (a message asks for one when
    // none is):
    // "追加": the edit box for the first empty slot, which takes the title and is selected.
    bool Add();
    // "挿入": the edit box; the title goes into the selected slot, which moves down with
    // the titles below it as far as the next empty slot.
    bool Insert();
    // "上へ" and "下へ": the title changes places with the slot before or after it (slot
    // order: 15 and 16 are neighbours); the selection follows. A beep at either end.
    bool MoveUp();
    bool MoveDown();
    // "削除": after a question that says how many records carry the title, the slot is
    // emptied; its quick descriptions go with the title.
    bool Delete();

    // True when the slots differ from the file as opened.
    bool Modified() const;
    // "キャンセル" (and closing the window): asks before edits are thrown away. True when
    // the dialog may close.
    bool MayCancel();

    // The slot each slot's title had when the dialog opened (1..60), 0 for a slot whose
    // title was deleted; slot n is origin n while nothing moved.
    const std::array<int, kTitleSlots>& Origins() const { return origins_; }
    // The titles whose text changed in their slot, the old text gone from every slot.
    std::vector<TitleRename> Renames() const;
    // Writes the 60 slots. Throws EncodingError or FileError; the old file stays whole.
    void WriteFile(FileWriter& writer) const;

    // "更　新" without a ledger to follow: writes the file and tells the user. False (after
    // saying why) when the file could not be written; the dialog then stays open.
    bool Update(FileWriter& writer);

private:
    std::optional<std::string> AskTitle(int slot, std::string initial);
    std::optional<int> SelectedSlot();
    // The question of "削除", then the slot emptied. False when the user said No.
    bool DeleteSlot(int slot);
    void Exchange(int a, int b);
    int CountRecords(const std::string& title) const;

    std::string path_;
    TitleMasterMode mode_;
    Dialogs& dialogs_;
    TitleUseCounter uses_;
    TitleSlots slots_;
    TitleSlots opened_;
    std::array<int, kTitleSlots> origins_{};
    std::optional<GridCell> selection_;
};

}  // namespace velmora
