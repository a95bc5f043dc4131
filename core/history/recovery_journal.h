#pragma once
// The work of the desktop program kept on disk while it is not saved, so that a program
// that ends without saving (killed, a crash, the power lost) loses none of it: the lines
// and values of the ledger once, then what each command changed, appended and flushed to
// disk when the command ends. The journal belongs to the ledger file the work started
// from, as it was when loaded or last saved; it is removed once the ledger is saved or
// its changes are given up.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/ledger/book.h"
#include "core/ledger/ledger.h"
#include "core/platform/file_io.h"
#include "core/util/date.h"
#include "core/util/line_changes.h"

namespace velmora {

inline constexpr const char* kRecoveryJournalName = "recovery.jnl";
// Journals whose work the user wanted back but could not save yet: "recovery-1.jnl", …
inline constexpr const char* kKeptJournalPrefix = "recovery-";
inline constexpr const char* kRecoveryQuestion =
    "前回保存されなかった変更があります。復元しますか？";
// What the status bar says while the journal cannot be written.
inline constexpr const char* kJournalFailingText = "復元用の記録を保存できません";
inline constexpr const char* kJournalFailingAdvice =
    "保存するまでの変更は、プログラムが異常終了すると失われます。ディスクの空きと作業フォルダー"
    "を確かめて下さい。記録は書けるようになりしだい再開します。";

// The first line of every journal.
inline constexpr const char* kRecoveryJournalMagic = "VELMORA-RECOVERY 1\n";
// A record as a journal holds it: its length, its bytes and a check of them, so that one
// the end of the program cut short is told from a whole one.
std::string FramedJournalRecord(std::string_view payload);

// The unsaved work a journal holds.
struct RecoveredWork {
    // The ledger file it started from (its path as given, empty for a new ledger) and that
    // file's identity then.
    FileIdentity file;
    Ledger ledger;  // as it was after the last command written
    BookId shownBook;
};

class RecoveryJournal {
public:
    RecoveryJournal(std::string folder, FileWriter& writer);
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal&) = delete;
    RecoveryJournal& operator=(const RecoveryJournal&) = delete;

    std::string Path() const { return PathIn(folder_); }
    // The journal of the desktop program working in folder now.
    static std::string PathIn(const std::string& folder);

    // Records what the next command does to ledger.
    void Watch(Ledger& ledger);
    // The command has ended: its changes are written at once (a program killed after this
    // keeps them) and flushed to the disk within a moment by a thread of the journal's own,
    // so that the window does not wait for the disk; or, when the ledger is
    // as its file is (not modified), the journal is removed. file is the identity of the
    // ledger file the work belongs to. A journal that cannot be written (a full disk, a
    // folder that became read-only) leaves the ledger in memory unharmed; it is begun
    // again from the whole ledger after each later command until writing works again.
    void Commit(Ledger& ledger, const FileIdentity& file, bool modified, const BookId& shown);
    // True while unsaved work is not on disk because the journal could not be written:
    // a kill now would lose it. Failure() says why.
    bool Failing() const { return failing_; }
    const std::string& Failure() const { return failure_; }
    // Removes the journal on disk, also one a previous run left; the command running
    // now leaves none.
    void Discard();

    // The work the journal at path holds; nullopt when there is none or it cannot be read.
    // A record cut short by the end of the program, or one that fails its check, ends it.
    static std::optional<RecoveredWork> Read(const std::string& path, Date today);
    // The journals in folder with work to offer: the last run's first, then those kept
    // for later, oldest first.
    static std::vector<std::string> Found(const std::string& folder);
    // Moves the last run's journal out of the way of this run's under a name of its own,
    // so that it is offered again at the next start; a kept journal stays as it is.
    // Returns the journal's path now. Throws FileError.
    static std::string Keep(const std::string& path);

private:
    void Unwatch(Ledger& ledger);
    void Create(const Ledger& ledger, const FileIdentity& file, const BookId& shown);
    void Append(const std::string& record);
    void Close();
    void Fail(const std::string& why);
    void SyncLoop();

    std::string folder_;
    FileWriter& writer_;
    Ledger* watched_ = nullptr;
    LineChangeLog logs_[3];
    int fd_ = -1;  // the journal open for appending; -1 when this program has none
    // fd_ is changed on the window's thread under mutex_; the syncing thread reads it under
    // mutex_, which it holds while it flushes.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::atomic<bool> unsynced_{false};
    std::atomic<bool> syncFailed_{false};
    bool stopping_ = false;
    std::thread syncer_;
    FileIdentity file_;
    std::string lastTrailer_;
    BookId lastShown_;
    bool failing_ = false;
    std::string failure_;
};

}  // namespace velmora
