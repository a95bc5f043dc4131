#pragma once
// Loading and saving the ledger file, and the open, save and save-as commands.
#include <string>

#include "core/session/session.h"

namespace velmora {

inline constexpr const char* kModifiedQuestion =
    "データが変更されています。現在の状態を保存しますか？";
inline constexpr const char* kBalanceOverflowMessage =
    "残高が計算できる範囲を超える帳簿があります。金額を確認して下さい。";
inline constexpr const char* kOpenLedgerOutputMessage =
    "開いている帳簿ファイルには出力できません。";
inline constexpr const char* kWorkingFolderOutputMessage =
    "作業フォルダーのファイルには出力できません。";
inline constexpr const char* kOriginalBackupFailure =
    "元のファイルをバックアップできませんでした。";
inline constexpr const char* kMissingLedger = "が見つかりません。";
inline constexpr const char* kFolderNotLedger = "はフォルダーです。帳簿ファイルを指定して下さい。";
inline constexpr const char* kBackupFailure = "バックアップファイルを作成できませんでした。";
inline constexpr const char* kChangedOnDiskQuestion =
    "ファイルが他のプログラムで変更されています。上書きしますか？";
// The choice after overwriting a file another program changed was declined.
inline constexpr const char* kChangedOnDiskChoice =
    "他のプログラムが変更したファイルは上書きしませんでした。\r\n"
    "変更を別の名前で保存するか、ファイルを読み直して下さい。読み直すと、保存していない変更は"
    "失われます。";
inline constexpr const char* kSaveElsewhereButton = "別名で保存";
inline constexpr const char* kReloadButton = "読み直す";
inline constexpr const char* kLedgerBusyMessage =
    "ファイルは他のプログラムが使用中です。しばらくしてからもう一度保存して下さい。";
// Said after the line numbers of damaged lines: records with the wrong number of fields,
// records without a month tag, lines the ledger cannot hold.
inline constexpr const char* kDamagedRecordsMessage =
    "の記録は項目の数が正しくないため、正しく読み取れません。ファイルが壊れています。";
inline constexpr const char* kUntaggedRecordsMessage =
    "の記録は月の印が正しくないため、どの月にも表示されません。ファイルが壊れています。";
inline constexpr const char* kDroppedLinesMessage =
    "は出納帳の記録として読み取れないため、保存すると失われます。ファイルが壊れています。";
// The settings line after the period lines cut short (after its line number) or missing.
inline constexpr const char* kCutSettingsMessage =
    "の設定行は途中で切れているため、開始残高、開始月などの設定を正しく読み取れません。"
    "環境設定で確かめて下さい。ファイルが壊れています。";
inline constexpr const char* kMissingSettingsMessage =
    "設定行がないため、開始残高、開始月などの設定を読み取れません。"
    "環境設定で確かめて下さい。ファイルが壊れています。";

// The damaged lines of the file and what each kind means, one kind a line of text; empty
// when no line is damaged (unreadable periods have a message of its own).
std::string DamagedLinesMessage(const LedgerDamage& damage);

// Replaces the whole model with the file's content. A file that cannot be read leaves
// the ledger that was open untouched and says why. A file without readable periods or
// settings line, or with records of the wrong number of fields, is opened all the same,
// with a warning, and noted in damagedFile; a
// ledger whose balances would not fit is opened with a warning. True when the file was
// loaded.
bool LoadLedger(Session& session, const std::string& path);

struct SaveResult {
    bool saved = false;  // the ledger file was written
    // And so was its backup copy in the working folder, and the backup list naming it.
    bool backupWritten = false;
    // Not saved: the file had been changed by another program and overwriting it was
    // declined, or another program held the file longer than a window waits.
    bool declinedOverwrite = false;
    bool busy = false;
    // Not saved: the file was read again instead, as the other program left it.
    bool reloaded = false;
    // Whether the ledger file was written, whatever became of its backup.
    operator bool() const { return saved; }  // NOLINT(google-explicit-constructor)
};

// The file dialog of a ledger command: it opens in the folder of the ledger open now (the
// file shown, else the one last loaded), so a user keeping a year's files together finds
// them at once; a save dialog proposes the name of the file shown.
FileDialogRequest LedgerFileRequest(const Session& session, std::string filter, bool save);

// Writes the model to path and a backup copy in the working folder, and advances the
// backup list. A write that fails leaves the previous file whole (or, when only the sync
// of its folder failed, the new one) and the session as it was, and says why. Whatever becomes of
// the backup and the backup list once the ledger file was written, one box says it was saved, and
// why the backup failed if it did. The first save over a damaged file keeps that file as it was on
// disk as a backup of its own first, and saves nothing when it cannot.
// The check of the file on disk, the write and the rename happen under the file's lock
// (Session::heldLock, saveLockWait): a file another program holds longer is not saved, with
// a message. A file that another program has changed since it was loaded or last saved is
// not overwritten unasked; the question is asked without the lock held, and Yes covers the
// file only as it was when asked. No keeps the ledger in memory, modified.
SaveResult SaveLedger(Session& session, const std::string& path);

// "保　存": asks for a name first when no file is open. When overwriting a file another
// program changed is declined, "名前をつけて保存" is offered instead; with offerReload, the
// choice between that and reading the file again, which drops the changes in memory.
SaveResult SaveCommand(Session& session, bool offerReload = false);
// "名前をつけて保存".
SaveResult SaveAsCommand(Session& session);
// "ファイルを開く". True when a file was loaded.
bool OpenCommand(Session& session);

// The three-button question asked before the ledger is replaced or the program ends
// while it is modified. False when the user cancelled, or chose to save and the save did
// not happen; true when it is safe to go on.
bool OfferToSaveChanges(Session& session);

// An output other than the ledger itself (next year's ledger, a CSV export, a PDF, the
// graph's picture, a recovered copy) must not replace the open ledger file, whatever name
// reaches it (a link, another path, a hard link), nor a file the program keeps in the
// working folder (RefuseWorkingFolderOutput). True, after saying so, when path is one.
bool RefuseProtectedOutput(const Session& session, const std::string& path);
// No ledger, output or copy replaces a file the program keeps in its working folder: any
// file of its sub-folders (lists, styles, print data and options, layouts, the backup
// list), and at its top the backups, the settings file, the code table, the money count,
// the recovery journals (names ending ".dat", ".conf" or ".jnl") and the temporary files
// of writes; nor the lock beside the folder. True, after saying so, when path names such
// a file, through whatever name.
bool RefuseWorkingFolderOutput(const Session& session, const std::string& path);

}  // namespace velmora
