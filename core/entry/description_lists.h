#pragma once
// The quick descriptions of the entry form: a grid of 36 cells (columns 1..3, rows 0..11,
// column 0 hidden) filled from one file per account-title slot, or from the files of the
// two transfer tabs. A file holds one cell a line in column order; the writer adds two
// empty lines after the 36 cells.
#include <array>
#include <string>
#include <string_view>

#include "core/platform/file_io.h"
#include "core/session/session.h"

namespace velmora {

inline constexpr int kDescriptionCells = 36;
inline constexpr int kDescriptionGridColumns = 4;  // column 0 is hidden
inline constexpr int kDescriptionGridRows = 12;
inline constexpr int kDescriptionFileLines = 38;
inline constexpr const char* kDescriptionGridLabel = "摘要リスト[登録はダブルクリック]";
inline constexpr const char* kPettyNoteFileName = "cash_note.dat";
inline constexpr const char* kBankNoteFileName = "bank_note.dat";

using DescriptionCells = std::array<std::string, kDescriptionCells>;

// The tabs of the entry form's list of titles and books.
enum class EntryTab { Titles, PettyCash, Bank };

// The cell index 0..35 of a grid cell; -1 for the hidden column and cells outside.
int DescriptionCellIndex(int column, int row);

// "tekiya" + slot + ".dat" for use type 1, "tekiyb" + slot + ".dat" otherwise.
std::string DescriptionFileName(int slot, int useType);
// The description file of a tab in the working folder's cldata: the titles tab's file
// belongs to the slot of the selected title item (from 0); the transfer tabs have one
// file each, whichever book is selected.
std::string DescriptionFilePath(std::string_view workingFolder, EntryTab tab, int titleItem,
                                int useType);

// Cells from the file's lines in order; lines beyond 36 are ignored, a missing file gives
// empty cells.
// A line that cannot be decoded, or a file too large to be real, is told in *problem
// (when given) and read as ReadStartFile reads it.
DescriptionCells ReadDescriptionList(const std::string& path, std::string* problem = nullptr);
// The 36 cells followed by two empty lines. Throws EncodingError or FileError; the old
// file stays whole.
void WriteDescriptionList(const std::string& path, const DescriptionCells& cells,
                          FileWriter& writer);

// The grid's cells for a tab and selected list item (-1: nothing selected, then the grid
// is empty). A file that cannot be read is reported and shows empty.
DescriptionCells LoadDescriptionCells(Session& session, EntryTab tab, int selectedItem);

// A double-click on a cell: with an item selected in the tab's list, the input box
// "摘要登録" edits the cell and the tab's file is rewritten at once. Without a selection
// the user is asked to choose a title first. False when nothing was registered.
bool RegisterDescription(Session& session, EntryTab tab, int selectedItem, DescriptionCells& cells,
                         int cellIndex);

}  // namespace velmora
