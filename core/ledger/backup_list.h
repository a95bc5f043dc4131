#pragma once
// The list of the last ten automatic backups ("ini/backup.conf"), entry 1 the newest.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/util/date.h"

namespace velmora {

class FileWriter;

struct BackupEntry {
    std::string caption = "---";
    std::string file;
    bool operator==(const BackupEntry&) const = default;
};

struct BackupList {
    static constexpr int kEntries = 10;
    std::array<BackupEntry, kEntries> entries;  // entries[0] is entry 1
    std::string lastFilename;                   // [Last_Filename]: the current ledger file

    // The 21 lines of the file.
    std::vector<std::string> Lines() const;
    // Reads the lines it knows (exact keys, values trimmed); others are ignored.
    static BackupList Parse(const std::vector<std::string>& lines);
};

std::string BackupListPath(const std::string& workingFolder);
// A missing file gives the default list.
// A line that cannot be decoded, or a file too large to be real, is told in *problem
// (when given) and read as ReadStartFile reads it.
BackupList ReadBackupList(const std::string& workingFolder, std::string* problem = nullptr);
// Rewrites the whole file. Throws FileError / EncodingError.
void WriteBackupList(const std::string& workingFolder, const BackupList& list, FileWriter& writer);
// Reads the list as the file holds it at this moment, lets change alter it and writes it
// back, holding the file's lock meanwhile: entries that another program (velmora-cli,
// another start) added since this one read the list stay in it. held becomes the list
// written; when the write fails (FileError / EncodingError, thrown on), the list as the
// file then holds it.
void UpdateBackupList(const std::string& workingFolder, FileWriter& writer, BackupList& held,
                      const std::function<void(BackupList&)>& change);
// [Last_Filename] of the ledger file path: absolute, so that a start in another folder
// finds it.
std::string LastFilenameOf(const std::string& path);

// The backup copy of a save at that moment: working folder + "yyyymmddhhnnss.dat".
std::string BackupFilePath(const std::string& workingFolder, const DateTime& moment);
// The moment that names the backup of a save made at moment: moment itself, or the next
// second whose backup name is free (no file of that name in the working folder, no entry
// of list naming it), so that two saves within one second keep two backups.
DateTime FreeBackupMoment(const std::string& workingFolder, const BackupList& list,
                          DateTime moment);
// The caption of a backup entry: the saved file's name + "(" + "yyyy/mm/dd hh:nn:ss" + ")".
std::string BackupCaption(const std::string& savedPath, const DateTime& moment);
// The caption of the backup that keeps a damaged ledger file as it was before a save
// replaced it: the file's name + "(保存前 " + "yyyy/mm/dd hh:nn:ss" + ")".
std::string OriginalBackupCaption(const std::string& savedPath, const DateTime& moment);
// Removes the temporary files that interrupted writes left in the working folder (backup
// copies) and in its sub-folders; files other writes are still filling are kept.
void RemoveStrayWorkingFiles(const std::string& workingFolder);
// True only for a backup copy of the program's own: a file directly in the working
// folder named by fourteen digits and ".dat". The rotation deletes nothing else.
bool IsOwnBackupFile(const std::string& path, const std::string& workingFolder);

}  // namespace velmora
