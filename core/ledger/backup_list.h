#pragma once
// The list of the last ten automatic backups ("ini/backup.conf"), entry 1 the newest.
#include <array>
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
BackupList ReadBackupList(const std::string& workingFolder);
// Rewrites the whole file. Throws FileError / EncodingError.
void WriteBackupList(const std::string& workingFolder, const BackupList& list, FileWriter& writer);

// The backup copy of a save at that moment: working folder + "yyyymmddhhnnss.dat".
std::string BackupFilePath(const std::string& workingFolder, const DateTime& moment);
// The caption of a backup entry: the saved file's name + "(" + "yyyy/mm/dd hh:nn:ss" + ")".
std::string BackupCaption(const std::string& savedPath, const DateTime& moment);
// True only for a backup copy of the program's own: a file directly in the working
// folder named by fourteen digits and ".dat". The rotation deletes nothing else.
bool IsOwnBackupFile(const std::string& path, const std::string& workingFolder);

}  // namespace velmora
