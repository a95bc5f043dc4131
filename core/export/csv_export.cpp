#include "core/export/csv_export.h"

#include <utility>

namespace velmora {

std::string CsvTitleRow(const CsvOptions& options) {
    std::string row;
    for (std::size_t i = 0; i < kCsvColumns.size(); ++i) {
        if (!options.columns[i]) continue;
        row += kCsvColumns[i].titleText;
        row += ',';
    }
    return row;
}

std::string CsvLine(const CsvValues& values, const CsvOptions& options) {
    std::string line;
    AppendCsvLine(values, options, line);
    return line;
}

void AppendCsvLine(const CsvValues& values, const CsvOptions& options, std::string& line) {
    std::size_t size = line.size();
    for (std::size_t i = 0; i < values.size(); ++i)
        if (options.columns[i]) size += values[i].size() + 1;
    line.reserve(size);
    ForEachCsvPiece(values, options, [&line](std::string_view piece) { line += piece; });
}

FileDialogRequest CsvSaveRequest() {
    FileDialogRequest request;
    request.defaultExtension = "csv";
    request.filter = "CSVファイル|*.csv";
    return request;
}

CsvOptionsDialog::CsvOptionsDialog(std::string workingFolder,
                                   const std::vector<std::string>& titleList, Dialogs& dialogs,
                                   FileWriter& writer)
    : workingFolder_(std::move(workingFolder)), dialogs_(dialogs), writer_(writer) {
    try {
        std::string problem;
        codes = OpenCodeTable(workingFolder_, titleList, writer_, &problem);
        // A table read in part is not written back over the user's file.
        tableRead_ = problem.empty();
        if (!problem.empty()) dialogs_.ShowInfo("確認", problem);
    } catch (const std::exception& error) {
        dialogs_.ShowInfo("確認", error.what());
        codes.Complete(titleList);
    }
}

void CsvOptionsDialog::Close() {
    // A table that was never read would replace the user's codes with empty ones.
    if (!tableRead_) return;
    try {
        SaveCodeTable(workingFolder_, codes, writer_);
    } catch (const std::exception& error) {
        dialogs_.ShowInfo("確認", error.what());
    }
}

bool StartsLikeFormula(std::string_view value) {
    for (std::string_view lead : {"=", "+", "-", "@", "＝", "＋", "－", "＠", "\t", "\r"})
        if (value.substr(0, lead.size()) == lead) return true;
    return false;
}

}  // namespace velmora
