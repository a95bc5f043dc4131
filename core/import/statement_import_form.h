#pragma once
// The dialog "CSVファイルから取込…" as state: the statement file, its code page (found by
// itself, or chosen), its rows as read, the choices of columns, header rows, book and
// titles, the title rules of the working folder, and what every row would become. The
// window lays these out and calls these; the rules of the import live here and below.
#include <string>
#include <vector>

#include "core/import/statement_file.h"
#include "core/import/statement_import.h"
#include "core/import/title_rules.h"
#include "core/session/session.h"

namespace velmora {

inline constexpr const char* kImportDialogHeading = "CSVファイルから取込";
inline constexpr const char* kImportCommandCaption = "CSVファイルから取込…";

// The open dialog of "参照…": CSV or text files.
FileDialogRequest StatementOpenRequest();

class StatementImportForm {
public:
    // The books of the ledger to import into (the session's book first chosen, the cash
    // book in the all-books view), the title list to pick from, and the rules of the working
    // folder; rules that cannot be read are said, and none are used.
    StatementImportForm(const Session& session, std::vector<std::string> titleList);

    // "参照…": the open dialog, then LoadFile. False when cancelled or not read.
    bool ChooseFile(Dialogs& dialogs);
    // Reads the file as the chosen code page and suggests its columns and header rows.
    // False, after saying why, when it cannot be read; the form then stays as it was.
    bool LoadFile(const std::string& path, Dialogs& dialogs);
    // Another code page chosen for the file read: its rows read again (the columns stay).
    bool ChooseEncoding(StatementEncoding encoding, Dialogs& dialogs);

    const std::string& path() const { return path_; }
    StatementEncoding chosenEncoding() const { return chosen_; }
    // The code page the rows were read in: CP932 or UTF-8.
    StatementEncoding foundEncoding() const { return found_; }
    const std::vector<StatementRow>& rows() const { return rows_; }
    // The number of cells of the longest row.
    int ColumnCount() const;

    const std::vector<BookId>& books() const { return books_; }
    const std::vector<std::string>& titleList() const { return titleList_; }
    ImportChoices choices;
    std::vector<TitleRule> rules;

    // A rule as typed ("摘要に含む文字", "科目") added, or the rule at index removed.
    void AddRule(const std::string& contains, const std::string& title);
    void RemoveRule(std::size_t index);
    // The rules kept in the working folder for the next import. False, after saying why,
    // when they could not be written.
    bool SaveRules(Dialogs& dialogs, FileWriter& writer) const;

    // What every row would become in ledger with the choices as they stand.
    ImportPlan Preview(const Ledger& ledger) const;

private:
    bool Read(const std::string& path, StatementEncoding encoding, Dialogs& dialogs);

    std::string workingFolder_;
    std::string path_;
    std::string bytes_;
    StatementEncoding chosen_ = StatementEncoding::Auto;
    StatementEncoding found_ = StatementEncoding::ShiftJis;
    std::vector<StatementRow> rows_;
    std::vector<BookId> books_;
    std::vector<std::string> titleList_;
};

}  // namespace velmora
