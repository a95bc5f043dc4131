#pragma once
// The life cycle of the main window's ledger: the working folder and its first-run copy,
// opening a ledger at start, restoring a backup, and the question on closing.
#include <optional>
#include <string>
#include <vector>

#include "core/session/session.h"
#include "core/settings/placement.h"

namespace velmora {

// Shown by a second copy of the program, which then ends without touching anything.
inline constexpr const char* kAlreadyRunningMessage =
    "現金出納帳5プログラムはすでに起動しています。";

struct PreparedFolder {
    bool created = false;  // the working folder was just created
    // One message for each shipped file not copied, and for a folder others can read.
    std::vector<std::string> failures;
};

// What is wrong with the working folder for a program that keeps private records in it, as
// the message to show; empty when nothing is. refused is set
// when the program must not use it: it belongs to another user (not ownerUid), or group
// or others may write in it (and so plant files and links there). A folder that group or
// others may read or enter is only told about. Each message names the folder, what is
// wrong and how to mend it. A missing folder has nothing wrong.
std::string WorkingFolderProblem(const std::string& folder, unsigned ownerUid, bool& refused);

// Creates the working folder when it is missing (0700, its sub-folders too) and copies the
// shipped account titles, description lists and print styles into it (0600). A folder that
// exists gets back whatever of them it lacks (an emptied folder, a lost sub-folder, a
// deleted style), never replacing a file the user has. The temporary files that
// interrupted writes left in the folder are removed. Throws FileError when the folder
// cannot be created or is refused (WorkingFolderProblem); a folder others may read is
// told in failures.
PreparedFolder PrepareWorkingFolder(const std::string& workingFolder,
                                    const std::string& programFolder);

// The copy of the first start: subfolders cldata, style, config and ini; the title and
// description lists re-encoded as CP932 CR LF; every file of the shipped style folder but
// hidden ones (a name starting with "."). Files the working folder has already and missing
// sources are skipped. Returns a message for each file that could not be copied.
std::vector<std::string> FirstRunSetup(const std::string& workingFolder,
                                       const std::string& programFolder);

// First show: reads the settings and the backup list, opens file when one is given (the
// command line), else the fixed file or the last one, or makes a new empty ledger, and
// selects the cash book.
void StartSession(Session& session, const std::optional<std::string>& file = std::nullopt);
// The first show with a file that must open, for callers that cannot go on without it
// (velmora-cli): as StartSession, but a file that does not load ends it there, without a
// new empty ledger. True when the file was loaded.
bool StartSessionOnFile(Session& session, const std::string& file);

// One of the ten backup entries (n = 1..10): loads its file and leaves the ledger
// modified without a file name, so that the next save asks for one. False when the user
// declined or the file did not load.
bool RestoreBackup(Session& session, int n);

// The close request: the save question when modified, then in every case the placement
// and the backup list are written. True when the window may close.
bool CloseRequest(Session& session, const Placement& placement);

// Rewrites "ini/backup.conf" from the session; a failure is reported, not thrown.
void WriteBackupListReporting(Session& session);

}  // namespace velmora
