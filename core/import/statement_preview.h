#pragma once
// The grid of the import dialog: every row of the file as read (its cells under their
// column numbers), then what the row becomes (date, title, description, deposit,
// withdrawal) and the verdict: imported, or why not. The window's model reads cells from
// here on demand.
#include <string>
#include <vector>

#include "core/import/statement_file.h"
#include "core/import/statement_import.h"

namespace velmora {

// The columns after the file's own, in order.
inline constexpr int kPreviewExtraColumns = 6;
inline constexpr const char* kPreviewImport = "取込";
inline constexpr const char* kPreviewImported = "取込済";
inline constexpr const char* kPreviewHeaderRow = "見出し行";

enum class PreviewLook { HeaderRow, Import, Imported, NotImported, Passed };

class StatementPreview {
public:
    StatementPreview() = default;
    // imported: the plan has been carried out; its rows are in the book now.
    StatementPreview(const std::vector<StatementRow>& rows, int fileColumns, ImportPlan plan,
                     int skipRows, bool imported);

    int RowCount() const { return static_cast<int>(rows_ ? rows_->size() : 0); }
    int ColumnCount() const { return fileColumns_ + kPreviewExtraColumns; }
    // "1", "2", … for the file's columns, then "日付", "科目", "摘要", "入金", "出金", "結果".
    std::string Header(int column) const;
    // The row's number in the file, as the spreadsheet numbers it.
    std::string RowHeader(int row) const { return std::to_string(row + 1); }
    std::string Cell(int row, int column) const;
    // The deposit and withdrawal columns after the file's: amounts, set to the right.
    bool IsAmountColumn(int column) const {
        return column == fileColumns_ + 3 || column == fileColumns_ + 4;
    }
    // The width of a column at design size: the file's columns narrow, the description
    // wide enough for about eighteen characters, the verdict for twenty (the window
    // lets it take what room is left).
    int ColumnWidth(int column) const;
    PreviewLook Look(int row) const;
    // "取込 12件　重複 1件　年度外 1件　入力できない行 2件".
    std::string Summary() const;
    const ImportPlan& plan() const { return plan_; }

private:
    const PlannedRow* Planned(int row) const;

    const std::vector<StatementRow>* rows_ = nullptr;
    int fileColumns_ = 0;
    ImportPlan plan_;
    std::vector<int> planned_;  // by file row: the index in plan_.rows, or -1
    int skipRows_ = 0;
    bool imported_ = false;
};

}  // namespace velmora
