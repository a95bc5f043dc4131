#include "core/import/statement_import_form.h"

#include <algorithm>
#include <filesystem>

#include "core/ledger/ledger.h"
#include "core/platform/file_io.h"
#include "core/util/errors.h"

namespace velmora {

FileDialogRequest StatementOpenRequest() {
    return FileDialogRequest{"", "csv", "CSVファイル|*.csv|テキストファイル|*.txt", "", ""};
}

StatementImportForm::StatementImportForm(const Session& session, std::vector<std::string> titleList)
    : workingFolder_(session.workingFolder()),
      books_(BooksOf(session.ledger)),
      titleList_(std::move(titleList)) {
    std::erase_if(titleList_, [](const std::string& title) { return title.empty(); });
    choices.book = session.ledger.CashBook();
    for (const BookId& book : books_)
        if (!session.allBooks && book == session.currentBook) choices.book = book;
    try {
        rules = ReadTitleRules(TitleRulesPath(workingFolder_));
    } catch (const std::exception& error) {
        session.dialogs().ShowInfo("確認", error.what());
    }
    if (!rules.empty()) choices.titleChoice = TitleChoice::Rules;
}

bool StatementImportForm::ChooseFile(Dialogs& dialogs) {
    const std::optional<std::string> path = dialogs.AskOpenFile(StatementOpenRequest());
    return path && LoadFile(*path, dialogs);
}

bool StatementImportForm::Read(const std::string& path, StatementEncoding encoding,
                               Dialogs& dialogs) {
    try {
        // A pipe or a device would hold the window until someone writes to it; a statement is
        // a file on the disk.
        std::error_code error;
        if (path != path_ && !std::filesystem::is_regular_file(path, error) &&
            std::filesystem::exists(path, error))
            throw FileError("ファイルを開けません: " + path + " (通常のファイルではありません)");
        std::string bytes = path == path_ ? bytes_ : ReadFileBytes(path);
        StatementText text = DecodeStatement(bytes, encoding);
        rows_ = SplitCsvRows(text.text);
        bytes_ = std::move(bytes);
        path_ = path;
        chosen_ = encoding;
        found_ = text.found;
        return true;
    } catch (const std::exception& error) {
        dialogs.ShowInfo("確認", path + "\r\n" + error.what());
        return false;
    }
}

bool StatementImportForm::LoadFile(const std::string& path, Dialogs& dialogs) {
    path_.clear();  // a new file is read from the disk, even under the same name
    if (!Read(path, chosen_, dialogs)) return false;
    const SuggestedLayout layout = SuggestLayout(rows_);
    choices.columns = layout.columns;
    choices.skipRows = layout.skipRows;
    choices.bookColumns = layout.bookColumns;
    return true;
}

bool StatementImportForm::ChooseEncoding(StatementEncoding encoding, Dialogs& dialogs) {
    if (path_.empty()) {
        chosen_ = encoding;
        return true;
    }
    return Read(path_, encoding, dialogs);
}

int StatementImportForm::ColumnCount() const {
    std::size_t columns = 0;
    for (const StatementRow& row : rows_) columns = std::max(columns, row.size());
    return static_cast<int>(columns);
}

void StatementImportForm::AddRule(const std::string& contains, const std::string& title) {
    TitleRule rule = CleanTitleRule(contains, title);
    if (rule.contains.empty() || rule.title.empty()) return;
    rules.push_back(std::move(rule));
}

void StatementImportForm::RemoveRule(std::size_t index) {
    if (index < rules.size()) rules.erase(rules.begin() + static_cast<std::ptrdiff_t>(index));
}

bool StatementImportForm::SaveRules(Dialogs& dialogs, FileWriter& writer) const {
    try {
        WriteTitleRules(TitleRulesPath(workingFolder_), rules, writer);
        return true;
    } catch (const std::exception& error) {
        dialogs.ShowInfo("確認", error.what());
        return false;
    }
}

ImportPlan StatementImportForm::Preview(const Ledger& ledger) const {
    return PlanImport(ledger, rows_, choices, rules);
}

}  // namespace velmora
