#include "core/session/startup.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "core/platform/file_io.h"
#include "core/session/book_commands.h"
#include "core/session/file_commands.h"
#include "core/session/new_ledger.h"
#include "core/util/errors.h"
#include "core/util/paths.h"

namespace velmora {
namespace fs = std::filesystem;

namespace {

constexpr const char* kSubFolders[] = {"cldata", "style", "config", "ini"};

std::string CopyFailure(const std::string& to, const std::string& reason) {
    return "ファイルをコピーできません: " + to + " (" + reason + ")";
}

// Anything at to, even a broken link, is the user's and stays.
bool Taken(const std::string& to) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(to, ec));
}

}  // namespace

std::string WorkingFolderProblem(const std::string& folder, unsigned ownerUid, bool& refused) {
    refused = false;
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return {};
    const std::string mend =
        "\r\n「chmod 700 " + folder + "」で自分だけが使えるフォルダーにして下さい。";
    if (info.st_uid != ownerUid) {
        refused = true;
        return "作業フォルダーが他のユーザー(uid " + std::to_string(info.st_uid) +
               ")のものなので使えません: " + folder +
               "\r\n自分のフォルダーを環境変数 VELMORA_HOME で指定して下さい。";
    }
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        refused = true;
        return "作業フォルダーにグループまたは他のユーザーが書き込めるので使えません: " + folder +
               mend;
    }
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return "作業フォルダーの記録をグループまたは他のユーザーが読み取れます: " + folder + mend;
    return {};
}

namespace {

// A folder of the program's own: made private whatever the umask.
void MakePrivateFolder(const std::string& folder, std::error_code& error) {
    error.clear();
    if (::mkdir(folder.c_str(), kPrivateFolderMode) != 0) {
        // Something that is no folder where the folder belongs.
        const int reason = errno == EEXIST ? ENOTDIR : errno;
        error = std::error_code(reason, std::generic_category());
        return;
    }
    (void)::chmod(folder.c_str(), kPrivateFolderMode);
}

}  // namespace

PreparedFolder PrepareWorkingFolder(const std::string& workingFolder,
                                    const std::string& programFolder) {
    PreparedFolder prepared;
    std::error_code ec;
    if (!DirectoryExists(workingFolder)) {
        const fs::path parent = fs::path(workingFolder).lexically_normal().parent_path();
        if (!parent.empty()) fs::create_directories(parent, ec);
        if (!ec) MakePrivateFolder(workingFolder, ec);
        if (ec)
            throw FileError("作業フォルダーを作成できません: " + workingFolder + " (" +
                            ec.message() + ")");
        prepared.created = true;
    }
    // What lies below a folder no one else may enter is out of their reach, whatever the
    // modes of the sub-folders.
    bool refused = false;
    std::string problem = WorkingFolderProblem(workingFolder, ::geteuid(), refused);
    if (refused) throw FileError(problem);
    if (!problem.empty()) prepared.failures.push_back(std::move(problem));
    std::vector<std::string> copies = FirstRunSetup(workingFolder, programFolder);
    prepared.failures.insert(prepared.failures.end(), copies.begin(), copies.end());
    // Writes that a crash or a kill cut short; a write still running elsewhere keeps its file.
    RemoveStrayTemporaryFiles(workingFolder);
    for (const char* sub : kSubFolders) RemoveStrayTemporaryFiles(JoinPath(workingFolder, sub));
    return prepared;
}

std::vector<std::string> FirstRunSetup(const std::string& workingFolder,
                                       const std::string& programFolder) {
    std::vector<std::string> failures;
    std::error_code ec;
    for (const char* sub : kSubFolders) {
        const std::string folder = JoinPath(workingFolder, sub);
        if (DirectoryExists(folder)) continue;
        MakePrivateFolder(folder, ec);
        if (ec) failures.push_back(CopyFailure(folder, ec.message()));
    }

    // Every copy is the user's private file, as everything else in the folder.
    DiskFileWriter writer(workingFolder);
    std::vector<std::string> names = {"kamoku1.dat", "kamoku2.dat"};
    for (const char* prefix : {"tekiya", "tekiyb"})
        for (int n = 1; n <= 20; ++n) names.push_back(prefix + std::to_string(n) + ".dat");
    for (const auto& name : names) {
        const std::string from = JoinPath(programFolder, "cldata/" + name);
        const std::string to = JoinPath(workingFolder, "cldata/" + name);
        if (!FileExists(from) || Taken(to)) continue;
        try {
            WriteTextLines(to, ReadTextLines(from), writer);
        } catch (const std::exception& error) {
            failures.push_back(CopyFailure(to, error.what()));
        }
    }

    const fs::path styles = JoinPath(programFolder, "style");
    if (!fs::is_directory(styles, ec)) return failures;
    for (const auto& entry : fs::directory_iterator(styles, ec)) {
        const std::string name = entry.path().filename().string();
        // Hidden files are the source tree's (.gitattributes), not styles.
        if (name.empty() || name[0] == '.' || !entry.is_regular_file(ec)) continue;
        const std::string to = (fs::path(JoinPath(workingFolder, "style")) / name).string();
        if (Taken(to)) continue;
        try {
            writer.WriteAtomic(to, ReadFileBytes(entry.path().string()));
        } catch (const std::exception& error) {
            failures.push_back(CopyFailure(to, error.what()));
        }
    }
    return failures;
}

namespace {

// The temporary files that interrupted saves of the ledger at path left beside it (beside
// the file a link names).
void RemoveStrayFilesBeside(const std::string& path) {
    try {
        const fs::path target(ResolveLinks(path));
        const fs::path folder = target.parent_path();
        RemoveStrayTemporaryFiles(folder.empty() ? std::string(".") : folder.string(),
                                  target.filename().string());
    } catch (const FileError&) {
        // A loop of links has no file beside which to look.
    }
}

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

    std::string problem;
    session.settings = ReadSettingsFile(session.SettingsPath(), true, &problem);
    if (!problem.empty()) session.dialogs().ShowInfo("確認", problem);
    session.backups = ReadBackupList(session.workingFolder(), &problem);
    if (!problem.empty()) session.dialogs().ShowInfo("確認", problem);
    session.currentFile = session.backups.lastFilename;
    if (file)
        LoadLedger(session, *file);
    else if (session.settings.startOption == 2 && FileExists(session.settings.fileDir))
        LoadLedger(session, session.settings.fileDir);
    else if (session.settings.startOption == 1 && FileExists(session.currentFile))
        LoadLedger(session, session.currentFile);
    if (!session.filePanel.empty()) RemoveStrayFilesBeside(session.filePanel);

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
    try {
        UpdateBackupList(
            session.workingFolder(), session.writer(), session.backups,
            [&](BackupList& list) { list.lastFilename = LastFilenameOf(session.currentFile); });
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
        SavePlacement(session.workingFolder(), kMainWindowKey, placement, session.writer());
    } catch (const std::exception& error) {
        session.dialogs().ShowInfo("確認", error.what());
    }
    WriteBackupListReporting(session);
    return close;
}

}  // namespace velmora
