#pragma once
// The code table of the CSV export: "in_code.dat" directly in the working folder, one
// line per account title, the title, "=", the code. The CSV option dialog edits it and
// can put the codes in place of the titles.
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/dialogs.h"
#include "core/platform/file_io.h"

namespace velmora {

inline constexpr const char* kCodeTableFileName = "in_code.dat";
inline constexpr const char* kCodeTableTitleCaption = "科目";
inline constexpr const char* kCodeTableCodeCaption = "コード";
inline constexpr const char* kMoveUpItem = "上へ移動";
inline constexpr const char* kMoveDownItem = "下へ移動";
inline constexpr const char* kDeleteRowItem =
    "削　除(出納帳データに該当項目が存在する場合は自動的に復活します)";

std::string CodeTablePath(std::string_view workingFolder);

struct CodeRow {
    std::string title;
    std::string code;
    bool operator==(const CodeRow&) const = default;
};

class CodeTable {
public:
    // Each line split at its first "="; a line without one is a title without a code.
    // Empty lines are left out.
    static CodeTable FromLines(const std::vector<std::string>& lines);
    std::vector<std::string> Lines() const;

    const std::vector<CodeRow>& Rows() const { return rows_; }
    // The row of title; -1 when it has none.
    int IndexOf(std::string_view title) const;
    // The code of title; empty when the title has no row.
    std::string CodeOf(std::string_view title) const;

    // Every non-empty title of the title list that has no row yet gets one with an empty
    // code; the new rows come first, in title-list order. A title with "=" cannot be a
    // key of the file and gets no row (it would come back as another title each time).
    void Complete(const std::vector<std::string>& titleList);

    // The pop-up menu of the table; each returns false and changes nothing when the row
    // has no neighbour on that side or does not exist.
    bool MoveUp(int row);
    bool MoveDown(int row);
    bool Delete(int row);

    // A code typed into row: quotes and commas are removed (each would break the CSV line),
    // a line break is removed too, and a character the file cannot hold is refused with
    // a message.
    bool SetCode(int row, std::string_view typed, Dialogs& dialogs);

private:
    bool ValidRow(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }

    std::vector<CodeRow> rows_;
};

// Opening the CSV option dialog: an empty "in_code.dat" is created when there is none,
// the table is read and completed from the title list. Throws FileError or EncodingError
// when the empty file cannot be made.
// A line that cannot be decoded, or a file too large to be real, is told in *problem
// (when given) and read as ReadStartFile reads it.
CodeTable OpenCodeTable(const std::string& workingFolder, const std::vector<std::string>& titleList,
                        FileWriter& writer, std::string* problem = nullptr);

// Writes the table to "in_code.dat". Throws EncodingError or FileError; the old file stays
// whole.
void SaveCodeTable(const std::string& workingFolder, const CodeTable& table, FileWriter& writer);

}  // namespace velmora
