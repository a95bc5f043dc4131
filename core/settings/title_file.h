#pragma once
// The account-title master: 60 slots per use type, one title a line in
// cldata/kamoku1.dat (cash book) or cldata/kamoku2.dat (allowance book), and the dialog
// "科目設定" / "科目検索" that edits the slots or picks one title as the account filter.
// A slot's position, not its text, chooses its description list, so renaming a slot
// keeps its descriptions.
#include <array>
#include <cstddef>
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
// Throws FileError or EncodingError.
std::vector<std::string> ReadTitleFile(const std::string& path);
// Slots 1..60, one line each, empty slots as empty lines. Throws EncodingError or
// FileError; the old file stays whole.
void WriteTitleFile(const std::string& path, const TitleSlots& slots, FileWriter& writer);

// The typed title as the edit box keeps it: its first 16 CP932 bytes.
std::string CutTitle(std::string_view typed);

enum class TitleMasterMode { Edit = 0, Pick = 1 };

// What a double-click did.
enum class CellAction {
    Reselected,  // a fixed header was hit: beep, the nearest slot cell is selected
    Picked,      // pick mode: the account filter was set; the dialog closes
    Edited,      // edit mode: the cell took the edited title
    Unchanged,   // the edit box was cancelled or refused, or the cell is outside the grid
};

// The dialog's state from "Show" to its close.
class TitleMaster {
public:
    // Show: the slots from the title file at path (empty when it is missing; a file that
    // cannot be read is reported and shows empty). No cell is selected.
    TitleMaster(std::string path, TitleMasterMode mode, Dialogs& dialogs);

    TitleMasterMode Mode() const { return mode_; }
    // "科目設定" or "科目検索".
    std::string Heading() const;
    // "更　新" is shown in edit mode only.
    bool HasUpdateButton() const { return mode_ == TitleMasterMode::Edit; }
    // Status panel 3.
    const std::string& Path() const { return path_; }

    const TitleSlots& Slots() const { return slots_; }
    // The text of a slot cell; empty for fixed cells and cells outside the grid.
    std::string CellText(GridCell cell) const;
    std::optional<GridCell> Selection() const { return selection_; }

    // A double-click on cell. Pick mode sets accountFilter to the cell's text (an empty
    // slot clears it). Edit mode opens the title edit box with the cell's text.
    CellAction DoubleClick(GridCell cell, std::string& accountFilter);

    // "実　行" of the edit box: the slot takes the text cut to 16 bytes. A character the
    // file cannot hold is refused with a message and the slot stays as it was.
    bool SetTitle(int slot, std::string_view typed);

    // "更　新": writes the 60 slots and tells the user. False (after saying why) when the
    // file could not be written; the dialog then stays open.
    bool Update(FileWriter& writer);

private:
    std::string path_;
    TitleMasterMode mode_;
    Dialogs& dialogs_;
    TitleSlots slots_;
    std::optional<GridCell> selection_;
};

}  // namespace velmora
