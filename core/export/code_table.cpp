#include "core/export/code_table.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "core/platform/start_files.h"
#include "core/util/codepage.h"
#include "core/util/errors.h"
#include "core/util/fields.h"
#include "core/util/paths.h"

namespace velmora {

std::string CodeTablePath(std::string_view workingFolder) {
    return JoinPath(workingFolder, kCodeTableFileName);
}

CodeTable CodeTable::FromLines(const std::vector<std::string>& lines) {
    CodeTable table;
    for (const auto& line : lines) {
        if (line.empty()) continue;
        std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            table.rows_.push_back({line, ""});
        else
            table.rows_.push_back({line.substr(0, eq), line.substr(eq + 1)});
    }
    return table;
}

std::vector<std::string> CodeTable::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(rows_.size());
    for (const auto& row : rows_) lines.push_back(row.title + "=" + row.code);
    return lines;
}

int CodeTable::IndexOf(std::string_view title) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].title == title) return static_cast<int>(i);
    return -1;
}

std::string CodeTable::CodeOf(std::string_view title) const {
    int row = IndexOf(title);
    return row < 0 ? std::string() : rows_[static_cast<std::size_t>(row)].code;
}

void CodeTable::Complete(const std::vector<std::string>& titleList) {
    std::unordered_set<std::string> keys;
    for (const auto& row : rows_) keys.insert(row.title);
    std::vector<CodeRow> missing;
    for (const auto& title : titleList) {
        if (title.empty() || title.find('=') != std::string::npos) continue;
        if (keys.insert(title).second) missing.push_back({title, ""});
    }
    rows_.insert(rows_.begin(), missing.begin(), missing.end());
}

bool CodeTable::MoveUp(int row) {
    if (!ValidRow(row) || row == 0) return false;
    std::swap(rows_[static_cast<std::size_t>(row)], rows_[static_cast<std::size_t>(row - 1)]);
    return true;
}

bool CodeTable::MoveDown(int row) {
    if (row < 0 || !ValidRow(row + 1)) return false;
    std::swap(rows_[static_cast<std::size_t>(row)], rows_[static_cast<std::size_t>(row + 1)]);
    return true;
}

bool CodeTable::Delete(int row) {
    if (!ValidRow(row)) return false;
    rows_.erase(rows_.begin() + row);
    return true;
}

bool CodeTable::SetCode(int row, std::string_view typed, Dialogs& dialogs) {
    if (!ValidRow(row)) return false;
    std::string code = RemoveQuotesAndCommas(ReplaceAll(ReplaceAll(typed, "\r", ""), "\n", ""));
    try {
        Utf8ToCp932(code);
    } catch (const EncodingError& error) {
        dialogs.ShowInfo("確認してください。", error.what());
        return false;
    }
    rows_[static_cast<std::size_t>(row)].code = std::move(code);
    return true;
}

CodeTable OpenCodeTable(const std::string& workingFolder, const std::vector<std::string>& titleList,
                        FileWriter& writer, std::string* problem) {
    const std::string path = CodeTablePath(workingFolder);
    if (!FileExists(path)) WriteTextLines(path, {}, writer);
    StartFileLines read = ReadStartFile(path);
    if (problem != nullptr) *problem = std::move(read.problem);
    CodeTable table = CodeTable::FromLines(read.lines);
    table.Complete(titleList);
    return table;
}

void SaveCodeTable(const std::string& workingFolder, const CodeTable& table, FileWriter& writer) {
    WriteTextLines(CodeTablePath(workingFolder), table.Lines(), writer);
}

}  // namespace velmora
