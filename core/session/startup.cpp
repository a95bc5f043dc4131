#include "core/session/startup.h"

#include <filesystem>

#include "core/session/book_commands.h"
#include "core/session/file_commands.h"
#include "core/session/new_ledger.h"
#include "core/util/errors.h"
#include "core/util/file_io.h"
#include "core/util/paths.h"

namespace velmora {
namespace fs = std::filesystem;

namespace {

void CopyAsText(const std::string& from, const std::string& to) {
    if (!FileExists(from)) return;
    WriteTextLines(to, ReadTextLines(from));
}

}  // namespace

bool PrepareWorkingFolder(const std::string& workingFolder, const std::string& programFolder) {
    std::error_code ec;
    if (DirectoryExists(workingFolder)) {
        // Files are written into the sub-folders; a folder that lost one gets it back.
        for (const char* sub : {"cldata", "style", "config", "ini"})
            fs::create_directories(JoinPath(workingFolder, sub), ec);
        return false;
    }
    fs::create_directories(workingFolder, ec);
    if (ec)
        throw FileError("作業フォルダーを作成できません: " + workingFolder + " (" + ec.message() +
                        ")");
    FirstRunSetup(workingFolder, programFolder);
    return true;
}

void FirstRunSetup(const std::string& workingFolder, const std::string& programFolder) {
    std::error_code ec;
    for (const char* sub : {"cldata", "style", "config", "ini"})
        fs::create_directories(JoinPath(workingFolder, sub), ec);

    std::vector<std::string> names = {"kamoku1.dat", "kamoku2.dat"};
    for (const char* prefix : {"tekiya", "tekiyb"})
        for (int n = 1; n <= 20; ++n) names.push_back(prefix + std::to_string(n) + ".dat");
    for (const auto& name : names) {
        try {
            CopyAsText(JoinPath(programFolder, "cldata/" + name),
                       JoinPath(workingFolder, "cldata/" + name));
        } catch (const std::exception&) {
            // A shipped list that cannot be copied is left out, as a missing one is.
        }
    }

    const fs::path styles = JoinPath(programFolder, "style");
    if (!fs::is_directory(styles, ec)) return;
    for (const auto& entry : fs::directory_iterator(styles, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        fs::copy_file(entry.path(),
                      fs::path(JoinPath(workingFolder, "style")) / entry.path().filename(),
                      fs::copy_options::overwrite_existing, ec);
    }
}

namespace {

// The first show up to the ledger: the settings and the backup list read, and file (else
// the fixed file or the last one) loaded. True when a ledger file was loaded.
bool LoadAtStart(Session& session, const std::optional<std::string>& file) {
    Ledger& ledger = session.ledger;
    ledger.useType = 1;
    session.currentBook = ledger.CashBook();
    session.currentFile.clear();
    session.filePanel.clear();
    ledger.openingBalance = Amount();
    session.balances = Balances{};
    ledger.startMonth = 1;
    session.modified = false;

    try {
        session.settings = ReadSettingsFile(session.SettingsPath(), true);
    } catch (const std::exception& error) {
        session.dialogs().ShowInfo("確認", error.what());
    }
    try {
        session.backups = ReadBackupList(session.workingFolder());
    } catch (const std::exception& error) {
        session.dialogs().ShowInfo("確認", error.what());
    }
    session.currentFile = session.backups.lastFilename;
    if (file)
        LoadLedger(session, *file);
    else if (session.settings.startOption == 2 && FileExists(session.settings.fileDir))
        LoadLedger(session, session.settings.fileDir);
    else if (session.settings.startOption == 1 && FileExists(session.currentFile))
        LoadLedger(session, session.currentFile);

    session.currentMonth = session.clock().Today().Month();
    session.NotifyTitlesChanged();
    return !session.filePanel.empty();
}

}  // namespace

void StartSession(Session& session, const std::optional<std::string>& file) {
    if (!LoadAtStart(session, file)) NewLedgerReset(session);
    SelectCashBook(session);
}

bool StartSessionOnFile(Session& session, const std::string& file) {
    if (!LoadAtStart(session, file)) return false;
    SelectCashBook(session);
    return true;
}

bool RestoreBackup(Session& session, int n) {
    if (n < 1 || n > BackupList::kEntries) return false;
    if (session.modified &&
        !session.dialogs().AskYesNo(kAppTitle, "バックアップファイルを読み込みますか？",
                                    "編集中のデ－タは破棄されます。"))
        return false;
    const std::string remembered = session.currentFile;
    bool loaded =
        LoadLedger(session, session.backups.entries[static_cast<std::size_t>(n - 1)].file);
    session.filePanel.clear();
    session.modified = true;
    session.currentFile = remembered;
    return loaded;
}

void WriteBackupListReporting(Session& session) {
    session.backups.lastFilename = session.currentFile;
    try {
        WriteBackupList(session.workingFolder(), session.backups, session.writer());
    } catch (const std::exception& error) {
        session.dialogs().ShowInfo("確認", error.what());
    }
}

bool CloseRequest(Session& session, const Placement& placement) {
    bool close = true;
    if (session.modified) {
        switch (session.dialogs().AskSave(kModifiedQuestion, "はい", "いいえ", "キャンセル")) {
            case SaveAnswer::Cancel:
                close = false;
                break;
            case SaveAnswer::Yes:
                // A save that did not happen keeps the window open, with the changes.
                close = SaveCommand(session);
                break;
            case SaveAnswer::No:
                break;
        }
    }
    try {
        SavePlacement(session.workingFolder(), kMainWindowKey, placement);
    } catch (const std::exception& error) {
        session.dialogs().ShowInfo("確認", error.what());
    }
    WriteBackupListReporting(session);
    return close;
}

}  // namespace velmora
