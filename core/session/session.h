#pragma once
// The session owns the ledger model for the whole run and the state that the main
// window's status bar shows: the current book, the current month, the current file.
// The flows that load, save, select books and start up work on it and talk to the user
// through Dialogs only.
#include <chrono>
#include <optional>
#include <string>

#include "core/ledger/backup_list.h"
#include "core/ledger/balances.h"
#include "core/ledger/book.h"
#include "core/ledger/ledger.h"
#include "core/ledger/ledger_file.h"
#include "core/platform/clock.h"
#include "core/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "core/settings/settings_file.h"

namespace velmora {

// Told when the ledger or the view state changed, so that windows can redraw.
class SessionListener {
public:
    virtual ~SessionListener() = default;
    // The ledger view must be shown again (records, book or month changed).
    virtual void ViewChanged() {}
    // A whole new ledger is in place (load, new ledger, roll-over).
    virtual void LedgerReplaced() {}
    // The account titles of the use type must be read again.
    virtual void TitlesChanged() {}
};

struct SessionServices {
    Dialogs& dialogs;
    const Clock& clock;
    FileWriter& writer;
    std::string workingFolder;
    std::string programFolder;  // the shipped data: cldata/, style/, images/
};

class Session {
public:
    explicit Session(SessionServices services);

    Ledger ledger;
    Balances balances;        // of the last recomputation
    BookId currentBook;       // status panels 0 and 1
    BookId lastSelectedBook;  // the book the all-books view returns to
    bool allBooks = false;    // the check box "全帳簿から検索"
    std::string currentFile;  // the ledger file last loaded or saved
    std::string filePanel;    // status panel 3: empty makes the save command ask for a name
    // The ledger file as it was when it was last loaded or saved (its path among it), to
    // tell whether something else has changed it since (FileUnchanged).
    FileIdentity fileIdentity;
    // The file loaded was damaged (damage says how): the ledger lacks what could not be
    // read of it. The first save over that file keeps it as a backup first. Empty when the
    // open ledger came from an undamaged file or from none.
    std::string damagedFile;
    LedgerDamage damage;
    std::string monthPanel;  // status panel 2
    bool modified = false;
    int currentMonth = 1;  // 1..12, or 13 for all months
    std::string accountFilter;
    Settings settings;  // as read at start-up (values trimmed)
    BackupList backups;
    // Every save of a ledger file holds the same exclusive lock as velmora-cli (FileLock)
    // while it checks, writes and renames. A caller that holds the lock on the file it
    // opened already (velmora-cli) names it here; a save waits for the lock at most
    // saveLockWait (nullopt: as long as it takes), so that a window never hangs on it.
    const FileLock* heldLock = nullptr;
    std::optional<std::chrono::milliseconds> saveLockWait = std::chrono::milliseconds(500);

    Dialogs& dialogs() const { return services_.dialogs; }
    const Clock& clock() const { return services_.clock; }
    FileWriter& writer() const { return services_.writer; }
    const std::string& workingFolder() const { return services_.workingFolder; }
    const std::string& programFolder() const { return services_.programFolder; }
    std::string SettingsPath() const;

    void SetListener(SessionListener* listener) { listener_ = listener; }
    void NotifyViewChanged() const;
    void NotifyLedgerReplaced() const;
    void NotifyTitlesChanged() const;

    // The balances of the current book (kept_balances.h): read from the ledger's index;
    // field 7 of the records follows when the lines are asked for (SettleBalances).
    void RecomputeCurrent();
    // The transaction lines as a save writes them: field 7 of each record brought to the
    // balance showing the ledger leaves there (SettleBalances).
    LineList::Lines RecordLines();

private:
    SessionServices services_;
    SessionListener* listener_ = nullptr;
};

}  // namespace velmora
