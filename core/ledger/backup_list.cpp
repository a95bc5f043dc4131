#include "core/ledger/backup_list.h"

#include <chrono>
#include <filesystem>
#include <optional>

#include "core/platform/file_io.h"
#include "core/platform/key_lines.h"
#include "core/platform/start_files.h"
#include "core/util/codepage.h"
#include "core/util/errors.h"
#include "core/util/fields.h"
#include "core/util/paths.h"

namespace velmora {

namespace {

constexpr const char* kLastFilenameKey = "[Last_Filename]";

std::string NameKey(int n) {
    return "[BACK_NAME_" + std::to_string(n) + "]";
}

std::string FileKey(int n) {
    return "[BACK_FILE_" + std::to_string(n) + "]";
}

}  // namespace

// A caption shows "？" for what CP932 lacks; a path is kept exactly (PathKeyLines).
std::vector<std::string> BackupList::Lines() const {
    std::vector<std::string> lines;
    auto add = [&lines](std::vector<std::string> more) {
        for (std::string& line : more) lines.push_back(std::move(line));
    };
    for (int n = 1; n <= kEntries; ++n) {
        const auto& e = entries[static_cast<std::size_t>(n - 1)];
        lines.push_back(NameKey(n) + "=" + WithCp932StandIns(e.caption));
        add(PathKeyLines(FileKey(n), e.file));
    }
    add(PathKeyLines(kLastFilenameKey, lastFilename));
    return lines;
}

BackupList BackupList::Parse(const std::vector<std::string>& lines) {
    BackupList list;
    // The exact paths of the hexadecimal lines win over the lines they follow.
    std::vector<std::pair<std::string*, std::string>> exact;
    for (const auto& line : lines) {
        KeyLine kv = SplitKeyLine(line);
        if (kv.key.empty()) continue;
        std::string value(TrimBlanks(kv.value));
        auto take = [&](const std::string& key, std::string& field) {
            if (kv.key == key) field = value;
            if (kv.key == HexKeyOf(key))
                if (std::optional<std::string> bytes = BytesOfHex(value))
                    exact.emplace_back(&field, std::move(*bytes));
        };
        take(kLastFilenameKey, list.lastFilename);
        for (int n = 1; n <= kEntries; ++n) {
            auto& e = list.entries[static_cast<std::size_t>(n - 1)];
            if (kv.key == NameKey(n)) e.caption = value;
            take(FileKey(n), e.file);
        }
    }
    for (auto& [field, bytes] : exact) *field = std::move(bytes);
    return list;
}

std::string BackupListPath(const std::string& workingFolder) {
    return JoinPath(workingFolder, "ini/backup.conf");
}

BackupList ReadBackupList(const std::string& workingFolder, std::string* problem) {
    StartFileLines read = ReadStartFile(BackupListPath(workingFolder));
    if (problem != nullptr) *problem = std::move(read.problem);
    return BackupList::Parse(read.lines);
}

void WriteBackupList(const std::string& workingFolder, const BackupList& list, FileWriter& writer) {
    WriteTextLines(BackupListPath(workingFolder), list.Lines(), writer);
}

void UpdateBackupList(const std::string& workingFolder, FileWriter& writer, BackupList& held,
                      const std::function<void(BackupList&)>& change) {
    const std::string path = BackupListPath(workingFolder);
    // Another program holds the list only while it writes it; one that holds it longer
    // does not keep this one from writing.
    std::optional<FileLock> lock;
    try {
        lock.emplace(path, std::chrono::seconds(2));
    } catch (const FileError&) {
        // A list that cannot be locked is read and written as it can be.
    }
    BackupList list = ReadBackupList(workingFolder);
    change(list);
    try {
        WriteBackupList(workingFolder, list, writer);
    } catch (...) {
        // A write may fail after its rename (the folder's sync): the file tells.
        held = ReadBackupList(workingFolder);
        throw;
    }
    held = std::move(list);
}

std::string LastFilenameOf(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

std::string BackupFilePath(const std::string& workingFolder, const DateTime& moment) {
    return JoinPath(workingFolder, FormatDateTime("yyyymmddhhnnss", moment) + ".dat");
}

DateTime FreeBackupMoment(const std::string& workingFolder, const BackupList& list,
                          DateTime moment) {
    auto taken = [&](const std::string& path) {
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(path, error))) return true;
        for (const auto& entry : list.entries)
            if (entry.file == path) return true;
        return false;
    };
    while (taken(BackupFilePath(workingFolder, moment))) {
        if (++moment.secondsOfDay == 24 * 60 * 60) {
            moment.secondsOfDay = 0;
            moment.date = moment.date.AddDays(1);
        }
    }
    return moment;
}

std::string BackupCaption(const std::string& savedPath, const DateTime& moment) {
    return std::filesystem::path(savedPath).filename().string() + "(" +
           FormatDateTime("yyyy/mm/dd hh:nn:ss", moment) + ")";
}

std::string OriginalBackupCaption(const std::string& savedPath, const DateTime& moment) {
    return std::filesystem::path(savedPath).filename().string() + "(保存前 " +
           FormatDateTime("yyyy/mm/dd hh:nn:ss", moment) + ")";
}

void RemoveStrayWorkingFiles(const std::string& workingFolder) {
    RemoveStrayTemporaryFiles(workingFolder);
    for (const char* sub : {"cldata", "style", "config", "ini"})
        RemoveStrayTemporaryFiles(JoinPath(workingFolder, sub));
}

bool IsOwnBackupFile(const std::string& path, const std::string& workingFolder) {
    namespace fs = std::filesystem;
    fs::path p = fs::path(path).lexically_normal();
    std::string name = p.filename().string();
    if (name.size() != 18 || name.substr(14) != ".dat") return false;
    for (std::size_t i = 0; i < 14; ++i)
        if (name[i] < '0' || name[i] > '9') return false;
    fs::path folder = fs::path(workingFolder).lexically_normal();
    fs::path parent = p.parent_path();
    // Compare without a trailing separator on either side.
    auto clean = [](fs::path f) {
        std::string s = f.string();
        while (s.size() > 1 && s.back() == '/') s.pop_back();
        return s;
    };
    return clean(parent) == clean(folder);
}

}  // namespace velmora
