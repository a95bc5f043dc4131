#pragma once
// The CSV export's columns and options ("CSV出力設定") and the text of its lines. Every
// value is followed by ",", so each line ends with one; nothing is quoted, because
// titles, descriptions and codes never hold commas or double quotes.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/export/code_table.h"
#include "core/platform/dialogs.h"
#include "core/platform/file_io.h"

namespace velmora {

inline constexpr int kCsvColumnCount = 10;

struct CsvColumn {
    const char* checkBox;   // its check box: "column1" .. "column10"
    const char* caption;    // the check box's caption
    const char* titleText;  // the column's text in the title row
};

// In output order: own book kind and name, other book kind and name, date, title (or its
// code), description, income, expense, running balance.
inline constexpr std::array<CsvColumn, kCsvColumnCount> kCsvColumns = {{
    {"column1", "種   別", "種別"},
    {"column2", "帳簿名", "帳簿名"},
    {"column3", "相手種別", "相手種別"},
    {"column4", "相手帳簿名", "相手帳簿名"},
    {"column5", "日　付", "日　付"},
    {"column6", "科　目", "科　目"},
    {"column7", "摘　要", "摘　要"},
    {"column8", "収　入", "収　入"},
    {"column9", "支　出", "支　出"},
    {"column10", "残　高", "差引残高"},
}};

inline constexpr const char* kCsvDialogHeading = "CSV出力設定";
inline constexpr const char* kCsvColumnsGroup = "出力フィールド";
inline constexpr const char* kCsvOptionsGroup = "出力オプション";
inline constexpr const char* kCsvTitleRowCaption = "タイトル行を入れる";
inline constexpr const char* kCsvCodesCaption = "科目をコードに変換して出力する";
inline constexpr const char* kCsvEncodingCaption = "文字コード";
inline constexpr const char* kCsvFormulaGuardCaption = "数式として解釈される先頭文字を無害化する";
inline constexpr const char* kCsvDoneHeading = "確認";
inline constexpr const char* kCsvDoneText = "CSVファイルへ出力しました。";

// The code page of the file: CP932 as the ledger's own, or UTF-8 with a byte order mark,
// which today's spreadsheets open without asking.
enum class CsvEncoding { ShiftJis, Utf8Bom };
// The choice names in the order of the dialog's list.
inline constexpr std::array<const char*, 2> kCsvEncodingNames = {"Shift_JIS", "UTF-8 (BOM付き)"};

// The choices as the dialog opens them: every column, the title row, no codes, CP932, no
// formula guard. They are not kept between runs.
struct CsvOptions {
    std::array<bool, kCsvColumnCount> columns = {true, true, true, true, true,
                                                 true, true, true, true, true};
    bool titleRow = true;
    bool codeConversion = false;
    CsvEncoding encoding = CsvEncoding::ShiftJis;
    // A spreadsheet takes a cell starting with "=", "+", "-" or "@" (also full-width), a
    // tab or a carriage return for a formula: such a title, description or book name is
    // written after a "'". Amounts are never changed.
    bool formulaGuard = false;
};

// The columns the formula guard looks at: the two book names, the title, the description.
inline constexpr std::array<bool, kCsvColumnCount> kCsvGuardedColumns = {
    false, true, false, true, false, true, true, false, false, false};
// True when a spreadsheet would read value as the start of a formula.
bool StartsLikeFormula(std::string_view value);

// The ten values of one record, in column order: views into the record line or into
// texts that outlive the line built from them.
using CsvValues = std::array<std::string_view, kCsvColumnCount>;

// The title texts of the checked columns, each followed by ",".
std::string CsvTitleRow(const CsvOptions& options);
// The checked values, each followed by ",".
std::string CsvLine(const CsvValues& values, const CsvOptions& options);
// CsvLine appended to line.
void AppendCsvLine(const CsvValues& values, const CsvOptions& options, std::string& line);

// The texts that make a line, in order, each given to take: every checked value, then
// ",".
template <typename Take>
void ForEachCsvPiece(const CsvValues& values, const CsvOptions& options, Take take) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!options.columns[i]) continue;
        take(values[i]);
        take(std::string_view(","));
    }
}

// The save dialog after "実　行": extension "csv", no name, "CSVファイル|*.csv".
FileDialogRequest CsvSaveRequest();

// The dialog from its opening to its close: fresh options and the code table of the
// working folder, created when missing and completed from the title list.
class CsvOptionsDialog {
public:
    // A code table that cannot be read or created is reported; the dialog then works
    // with the title list alone and leaves the file on disk as it is.
    CsvOptionsDialog(std::string workingFolder, const std::vector<std::string>& titleList,
                     Dialogs& dialogs, FileWriter& writer);

    CsvOptions options;
    CodeTable codes;

    // Closing in any way ("実　行", "キャンセル" or the window) saves the code table. A
    // write failure is reported.
    void Close();

private:
    std::string workingFolder_;
    Dialogs& dialogs_;
    FileWriter& writer_;
    bool tableRead_ = false;
};

}  // namespace velmora
