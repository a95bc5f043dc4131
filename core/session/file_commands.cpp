#include "core/session/file_commands.h"

#include <cctype>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string_view>

#include "core/ledger/kept_balances.h"
#include "core/ledger/ledger_file.h"
#include "core/platform/instance_lock.h"
#include "core/platform/key_lines.h"
#include "core/session/book_commands.h"
#include "core/util/codepage.h"
#include "core/util/errors.h"

namespace velmora {
namespace {

constexpr const char* kConfirm = "確認";

std::string WithExvExtension(const std::string& path) {
    return std::filesystem::path(path).replace_extension(".exv").string();
}

// Deletes the file of the oldest entry of list when the rotation pushes it out, but only a
// backup of the program's own that no remaining entry names.
void DropOldestBackup(Session& session, const BackupList& list, const std::string& newBackup) {
    const BackupEntry& oldest = list.entries.back();
    if (oldest.file.empty() || oldest.file == newBackup) return;
    for (std::size_t i = 0; i + 1 < list.entries.size(); ++i)
        if (list.entries[i].file == oldest.file) return;
    if (!IsOwnBackupFile(oldest.file, session.workingFolder())) return;
    try {
        session.writer().Remove(oldest.file);
    } catch (const FileError&) {
        // An old backup that cannot be deleted stays on disk; the list moves on.
    }
}

void RotateBackups(Session& session, BackupList& list, const std::string& backupPath,
                   const std::string& caption) {
    DropOldestBackup(session, list, backupPath);
    auto& entries = list.entries;
    for (std::size_t n = entries.size() - 1; n > 0; --n) entries[n] = entries[n - 1];
    entries[0] = BackupEntry{caption, backupPath};
}

// The moment that names a backup copy made now: one that neither a file of the working
// folder nor an entry of the list as it is on disk names already.
DateTime BackupMoment(const Session& session, const DateTime& now) {
    return FreeBackupMoment(session.workingFolder(), ReadBackupList(session.workingFolder()), now);
}

// The damaged file as it is on disk, into a backup entry of its own, listed at once. It
// stays listed even when the save then fails: the file it copies is then still on disk
// as well.
void KeepOriginal(Session& session, const std::string& path, const DateTime& now) {
    const std::string original = ReadFileBytes(path);
    const DateTime moment = BackupMoment(session, now);
    const std::string backupPath = BackupFilePath(session.workingFolder(), moment);
    session.writer().WriteAtomic(backupPath, original);
    UpdateBackupList(
        session.workingFolder(), session.writer(), session.backups, [&](BackupList& list) {
            RotateBackups(session, list, backupPath, OriginalBackupCaption(path, moment));
        });
}

// A write that failed only after its rename (the sync of the folder) has left the new
// bytes in place. When that file is the one whose identity the session holds, the identity
// follows, so that the next save does not take the file for one another program changed.
void NoteFileIfWritten(Session& session, const std::string& path, std::string_view bytes) {
    if (!IsSameFile(path, session.fileIdentity.path)) return;
    try {
        const FileIdentity now = ReadFileIdentity(path);
        const FileIdentity written = WrittenFileIdentity(path, bytes);
        if (now.exists && now.size == written.size && now.contentHash == written.contentHash)
            session.fileIdentity = now;
    } catch (const FileError&) {
        // Unreadable now: the next save asks, which is the safe side.
    }
}

bool SavesOverDamagedFile(const Session& session, const std::string& path) {
    return !session.damagedFile.empty() && IsSameFile(path, session.damagedFile);
}

// The desktop program holds no lock on the file while the user works: another program
// (velmora-cli, a copy, a restore) may have replaced it in the meantime.
bool ChangedSinceRead(const Session& session, const std::string& path) {
    const FileIdentity& read = session.fileIdentity;
    return !read.path.empty() && IsSameFile(path, read.path) && !FileUnchanged(read);
}

}  // namespace

namespace {

// "12行目" or "12行目ほか3行", then what is wrong with them; nothing for no line.
void AddDamagedLines(std::string& text, std::size_t count, std::size_t first, const char* what) {
    if (count == 0) return;
    if (!text.empty()) text += "\r\n";
    text += std::to_string(first) + "行目";
    if (count > 1) text += "ほか" + std::to_string(count - 1) + "行";
    text += what;
}

}  // namespace

std::string DamagedLinesMessage(const LedgerDamage& damage) {
    std::string text;
    if (damage.settings)
        text = damage.settingsLine == 0
                   ? std::string(kMissingSettingsMessage)
                   : std::to_string(damage.settingsLine) + "行目" + kCutSettingsMessage;
    AddDamagedLines(text, damage.badRecords, damage.firstBadRecordLine, kDamagedRecordsMessage);
    AddDamagedLines(text, damage.untaggedRecords, damage.firstUntaggedRecordLine,
                    kUntaggedRecordsMessage);
    AddDamagedLines(text, damage.droppedLines, damage.firstDroppedLine, kDroppedLinesMessage);
    return text;
}

bool LoadLedger(Session& session, const std::string& path) {
    if (!FileExists(path)) {
        session.dialogs().ShowInfo(
            kConfirm, path + (DirectoryExists(path) ? kFolderNotLedger : kMissingLedger));
        return false;
    }
    const DateTime now = session.clock().Now();
    ParsedLedger parsed;
    try {
        parsed = ReadLedgerFile(path, session.ledger, now.date);
    } catch (const std::exception& error) {
        session.dialogs().ShowInfo(kConfirm, path + "を読み込めませんでした。\r\n" + error.what());
        return false;
    }
    session.NotifyLedgerReplaced();
    session.currentFile = path;
    session.fileIdentity = std::move(parsed.identity);
    session.damagedFile = parsed.damage.Any() ? path : std::string();
    session.damage = parsed.damage;
    if (session.settings.startOption == 1) {
        try {
            SetPathKeyLine(kFileDirKey, path, session.SettingsPath(), session.writer());
        } catch (const std::exception& error) {
            session.dialogs().ShowInfo(kConfirm, error.what());
        }
    }
    session.ledger = std::move(parsed.ledger);
    session.monthPanel.clear();
    session.filePanel = WithExvExtension(path);
    if (parsed.periodsInvalid)
        session.dialogs().ShowInfo(
            kConfirm, "月設定が無効となっています。お手数ですが環境設定にて再度設定して下さい");
    if (const std::string damaged = DamagedLinesMessage(parsed.damage); !damaged.empty())
        session.dialogs().ShowInfo(kConfirm, path + "\r\n" + damaged);
    session.NotifyTitlesChanged();
    session.currentMonth = now.date.Month();
    session.accountFilter.clear();
    session.allBooks = false;
    session.balances = Balances{};
    SelectCashBook(session);  // recomputes the cash book for the current month
    // Only amounts that add up beyond an amount's range can make a balance overflow.
    if (parsed.largeAmounts && (session.balances.overflow ||
                                KeptBalancesOverflow(session.ledger, BooksOf(session.ledger))))
        session.dialogs().ShowInfo(kConfirm, kBalanceOverflowMessage);
    session.modified = false;
    session.NotifyViewChanged();
    return true;
}

namespace {

// The lock of a save: none needed when the caller holds the file already; a file another
// program holds longer than the session waits is busy.
void LockForSave(const Session& session, const std::string& path, std::optional<FileLock>& lock) {
    lock.reset();
    if (session.heldLock != nullptr && session.heldLock->Covers(path)) return;
    if (session.saveLockWait)
        lock.emplace(path, *session.saveLockWait);
    else
        lock.emplace(path);
}

}  // namespace

SaveResult SaveLedger(Session& session, const std::string& path) {
    auto refuse = [&session, &path](const std::string& reason) {
        session.dialogs().ShowInfo(kConfirm, path + "を保存できませんでした。\r\n" + reason);
        return SaveResult{};
    };
    if (RefuseWorkingFolderOutput(session, path)) return {};
    std::string bytes;
    try {
        session.RecordLines();  // field 7 as the view leaves it
        bytes = EncodeTextLines(LedgerFileLines(session.ledger));
    } catch (const std::exception& error) {
        return refuse(error.what());
    }
    std::optional<FileLock> lock;
    // The file as it was when the user agreed to overwrite it.
    std::optional<FileIdentity> accepted;
    for (;;) {
        try {
            LockForSave(session, path, lock);
        } catch (const std::exception& error) {
            return refuse(error.what());
        }
        if (lock && lock->Busy()) {
            SaveResult busy = refuse(kLedgerBusyMessage);
            busy.busy = true;
            return busy;
        }
        if (!ChangedSinceRead(session, path) || (accepted && FileUnchanged(*accepted))) break;
        FileIdentity seen;
        try {
            seen = ReadFileIdentity(path);
        } catch (const FileError&) {
            seen.path = path;  // unreadable now: it must still be so after the question
            seen.exists = true;
        }
        // No other program waits while the user thinks.
        lock.reset();
        if (!session.dialogs().AskYesNoDefaultNo(kAppTitle, kChangedOnDiskQuestion, path)) {
            // What is in memory now differs from the file either way.
            session.modified = true;
            SaveResult declined;
            declined.declinedOverwrite = true;
            return declined;
        }
        accepted = std::move(seen);
    }
    const DateTime now = session.clock().Now();
    // What the ledger lacks of a damaged file would be lost with the file.
    const bool overDamaged = SavesOverDamagedFile(session, path);
    if (overDamaged && FileExists(path)) {
        try {
            KeepOriginal(session, path, now);
        } catch (const std::exception& error) {
            return refuse(std::string(kOriginalBackupFailure) + "\r\n" + error.what());
        }
    }
    try {
        // The ledger's own file through whatever name; a copy of it under another name is
        // an output of it.
        if (session.currentFile.empty() || IsSameFile(path, session.currentFile))
            session.writer().WriteAtomic(path, bytes);
        else
            session.writer().WriteOutput(path, bytes, OutputModeLimit(session.currentFile));
    } catch (const std::exception& error) {
        NoteFileIfWritten(session, path, bytes);
        return refuse(error.what());
    }
    // Taken while the lock still keeps other programs from replacing the file.
    const FileIdentity written = WrittenFileIdentity(path, bytes);
    lock.reset();
    SaveResult result;
    result.saved = true;
    // What went wrong after the ledger file was written, each reason after a line break:
    // told in the one box that says the file was saved.
    std::string backupTrouble;
    // The temporary files of backups whose saves were interrupted.
    RemoveStrayTemporaryFiles(session.workingFolder());
    const DateTime moment = BackupMoment(session, now);
    const std::string backupPath = BackupFilePath(session.workingFolder(), moment);
    bool copied = false;
    try {
        session.writer().WriteAtomic(backupPath, bytes);
        copied = true;
    } catch (const std::exception& error) {
        backupTrouble += std::string("\r\n") + error.what();
    }
    session.fileIdentity = written;
    if (overDamaged) session.damagedFile.clear();
    session.currentFile = path;
    session.modified = false;
    session.monthPanel.clear();
    session.filePanel = path;
    try {
        UpdateBackupList(
            session.workingFolder(), session.writer(), session.backups, [&](BackupList& list) {
                if (copied) RotateBackups(session, list, backupPath, BackupCaption(path, moment));
                list.lastFilename = LastFilenameOf(path);
            });
        result.backupWritten = copied;
    } catch (const std::exception& error) {
        // A copy that the list does not name can be neither restored nor rotated.
        backupTrouble += std::string("\r\n") + error.what();
    }
    std::string message = path + "を保存しました。";
    if (!backupTrouble.empty()) message += "\r\n" + std::string(kBackupFailure) + backupTrouble;
    session.dialogs().ShowInfo(kConfirm, message);
    return result;
}

FileDialogRequest LedgerFileRequest(const Session& session, std::string filter, bool save) {
    FileDialogRequest request{"", "exv", std::move(filter), "", ""};
    const std::string& open = !session.filePanel.empty() ? session.filePanel : session.currentFile;
    if (open.empty()) return request;
    const std::filesystem::path path(open);
    request.initialFolder = path.parent_path().string();
    if (save && !session.filePanel.empty()) request.fileName = path.filename().string();
    return request;
}

SaveResult SaveCommand(Session& session, bool offerReload) {
    if (session.filePanel.empty()) {
        auto chosen = session.dialogs().AskSaveFile(
            LedgerFileRequest(session, "現金出納帳5-Velmora-ファイル|*.exv", true));
        if (!chosen) return {};
        // The panel takes the name only when the save succeeds: a name that could not be
        // written must not stop the next save from asking for another.
        return SaveLedger(session, *chosen);
    }
    SaveResult result = SaveLedger(session, session.filePanel);
    if (!result.declinedOverwrite) return result;
    if (offerReload) {
        switch (session.dialogs().AskSave(kChangedOnDiskChoice, kSaveElsewhereButton, kReloadButton,
                                          "キャンセル")) {
            case SaveAnswer::Yes:
                break;
            case SaveAnswer::No:
                // A file that cannot be read now leaves the work in memory, modified.
                result.reloaded = LoadLedger(session, session.filePanel);
                return result;
            case SaveAnswer::Cancel:
                return result;
        }
    }
    result = SaveAsCommand(session);
    if (!result.saved) result.declinedOverwrite = true;
    return result;
}

SaveResult SaveAsCommand(Session& session) {
    auto chosen = session.dialogs().AskSaveFile(
        LedgerFileRequest(session, "現金出納帳5-Velmora-ファイル|*.exv", true));
    if (!chosen) return {};
    return SaveLedger(session, *chosen);
}

bool OfferToSaveChanges(Session& session) {
    if (!session.modified) return true;
    switch (session.dialogs().AskSave(kModifiedQuestion, "はい", "いいえ", "キャンセル")) {
        case SaveAnswer::Cancel:
            return false;
        case SaveAnswer::Yes:
            // Going on after a save that did not happen would drop the changes.
            return SaveCommand(session);
        case SaveAnswer::No:
            return true;
    }
    return false;
}

bool RefuseProtectedOutput(const Session& session, const std::string& path) {
    for (const std::string* open : {&session.currentFile, &session.filePanel,
                                    &session.fileIdentity.path, &session.damagedFile}) {
        if (!IsSameFile(path, *open)) continue;
        session.dialogs().ShowInfo(kConfirm, path + "\r\n" + kOpenLedgerOutputMessage);
        return true;
    }
    return RefuseWorkingFolderOutput(session, path);
}

namespace {

bool KeptByTheProgram(const std::string& path, const std::string& workingFolder) {
    if (IsSameFile(path, InstanceLockPath(workingFolder))) return true;
    const std::optional<std::string> place = PlaceInFolder(path, workingFolder);
    if (!place) return false;
    const std::filesystem::path relative(*place);
    if (std::distance(relative.begin(), relative.end()) > 1) return true;  // a sub-folder's
    std::string name = relative.filename().string();
    if (name.find(".velmora-tmp") != std::string::npos) return true;
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name.ends_with(".dat") || name.ends_with(".conf") || name.ends_with(".jnl");
}

}  // namespace

bool RefuseWorkingFolderOutput(const Session& session, const std::string& path) {
    if (!KeptByTheProgram(path, session.workingFolder())) return false;
    session.dialogs().ShowInfo(kConfirm, path + "\r\n" + kWorkingFolderOutputMessage);
    return true;
}

bool OpenCommand(Session& session) {
    if (!OfferToSaveChanges(session)) return false;
    auto chosen = session.dialogs().AskOpenFile(LedgerFileRequest(
        session,
        "現金出納帳4、5-Velmora-ファイル(*.exv)|*.exv|現金出納帳(1～3)ファイル(*.clv)|*.clv",
        false));
    if (!chosen) return false;
    return LoadLedger(session, *chosen);
}

}  // namespace velmora
