#include "core/entry/description_lists.h"

#include <vector>

#include "core/platform/start_files.h"
#include "core/util/codepage.h"
#include "core/util/errors.h"
#include "core/util/fields.h"
#include "core/util/paths.h"

namespace velmora {

int DescriptionCellIndex(int column, int row) {
    if (column < 1 || column >= kDescriptionGridColumns) return -1;
    if (row < 0 || row >= kDescriptionGridRows) return -1;
    return (column - 1) * kDescriptionGridRows + row;
}

std::string DescriptionFileName(int slot, int useType) {
    return (useType == 1 ? "tekiya" : "tekiyb") + std::to_string(slot) + ".dat";
}

std::string DescriptionFilePath(std::string_view workingFolder, EntryTab tab, int titleItem,
                                int useType) {
    std::string name;
    switch (tab) {
        case EntryTab::Titles:
            name = DescriptionFileName(titleItem + 1, useType);
            break;
        case EntryTab::PettyCash:
            name = kPettyNoteFileName;
            break;
        case EntryTab::Bank:
            name = kBankNoteFileName;
            break;
    }
    return JoinPath(workingFolder, "cldata/" + name);
}

DescriptionCells ReadDescriptionList(const std::string& path, std::string* problem) {
    DescriptionCells cells;
    StartFileLines read = ReadStartFile(path);
    if (problem != nullptr) *problem = std::move(read.problem);
    const std::vector<std::string>& lines = read.lines;
    for (std::size_t i = 0; i < lines.size() && i < cells.size(); ++i) cells[i] = lines[i];
    return cells;
}

void WriteDescriptionList(const std::string& path, const DescriptionCells& cells,
                          FileWriter& writer) {
    std::vector<std::string> lines(cells.begin(), cells.end());
    lines.resize(kDescriptionFileLines);
    WriteTextLines(path, lines, writer);
}

DescriptionCells LoadDescriptionCells(Session& session, EntryTab tab, int selectedItem) {
    if (selectedItem < 0) return {};
    std::string problem;
    DescriptionCells cells = ReadDescriptionList(
        DescriptionFilePath(session.workingFolder(), tab, selectedItem, session.ledger.useType),
        &problem);
    if (!problem.empty()) session.dialogs().ShowInfo("確認", problem);
    return cells;
}

bool RegisterDescription(Session& session, EntryTab tab, int selectedItem, DescriptionCells& cells,
                         int cellIndex) {
    Dialogs& dialogs = session.dialogs();
    if (cellIndex < 0 || cellIndex >= kDescriptionCells) {
        dialogs.Beep();
        return false;
    }
    if (selectedItem < 0) {
        dialogs.ShowInfo("確認してください。", "科目を選択してください");
        return false;
    }
    const auto index = static_cast<std::size_t>(cellIndex);
    std::optional<std::string> typed = dialogs.AskText(
        session.ledger.UseTypeName() + "5-Velmora Version5", "摘要登録", cells[index]);
    if (!typed) return false;
    // One cell is one line of the file: a line break would move every later cell.
    std::string text = CleanTypedText(*typed);
    try {
        Utf8ToCp932(text);
    } catch (const EncodingError& error) {
        dialogs.ShowInfo("確認してください。", error.what());
        return false;
    }
    DescriptionCells changed = cells;
    changed[index] = std::move(text);
    try {
        WriteDescriptionList(
            DescriptionFilePath(session.workingFolder(), tab, selectedItem, session.ledger.useType),
            changed, session.writer());
    } catch (const std::exception& error) {
        // The grid keeps showing what the file holds.
        dialogs.ShowInfo("確認", error.what());
        return false;
    }
    cells = std::move(changed);
    return true;
}

}  // namespace velmora
