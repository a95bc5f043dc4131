#include "core/platform/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/platform/line_list.h"
#include "core/util/errors.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

std::set<std::string> FolderEntries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A writer whose every write fails, as a full disk would; it counts the attempts.
class FailingWriter final : public FileWriter {
public:
    void WriteAtomic(const std::string& path, std::string_view) override {
        ++writes;
        throw FileError("ファイルに書き込めません: " + path);
    }
    void Remove(const std::string&) override {}
    int writes = 0;
};

// Another save of the same file, still writing its temporary file: it holds the lock a
// save holds until its file has its final name.
class SaveInProgress {
public:
    explicit SaveInProgress(const std::string& temporaryPath)
        : fd_(::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600)) {
        EXPECT_GE(fd_, 0);
        EXPECT_EQ(::write(fd_, "half", 4), 4);
        EXPECT_EQ(::flock(fd_, LOCK_EX), 0);
    }
    ~SaveInProgress() { ::close(fd_); }
    SaveInProgress(const SaveInProgress&) = delete;
    SaveInProgress& operator=(const SaveInProgress&) = delete;

private:
    int fd_;
};

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

TEST(TextFiles, WriteTextLinesWritesCp932WithCrLfAfterEveryLine) {
    testing::TempFolder folder;
    const std::string path = folder.File("velmora.conf");
    testing::WriteBytes(path, "a much longer old content that must not survive\r\n");
    WriteTextLines(path, {"[Paper_Sel]=1", "現金", ""});
    EXPECT_EQ(testing::ReadBytes(path), "[Paper_Sel]=1\r\n\x8C\xBB\x8B\xE0\r\n\r\n");
    WriteTextLines(path, {});
    EXPECT_EQ(testing::ReadBytes(path), "");
    EXPECT_EQ(FolderEntries(folder.Path()), std::set<std::string>{"velmora.conf"});
}

TEST(TextFiles, ReadTextLinesSplitsAtAnyLineEnd) {
    testing::TempFolder folder;
    const std::string path = folder.File("lines.dat");
    testing::WriteBytes(path, "a\r\nb\nc\rd");
    EXPECT_EQ(ReadTextLines(path), (Lines{"a", "b", "c", "d"}));
    testing::WriteBytes(path, "a\r\n\r\n\x82\xA0\r\n");
    EXPECT_EQ(ReadTextLines(path), (Lines{"a", "", "あ"}));
    testing::WriteBytes(path, "");
    EXPECT_EQ(ReadTextLines(path), Lines{});
    EXPECT_THROW(ReadTextLines(folder.File("missing.dat")), FileError);
    EXPECT_THROW(ReadFileBytes(folder.Path()), FileError);
}

TEST(TextFiles, FailedWritesLeaveTheOldFileWhole) {
    testing::TempFolder folder;
    const std::string path = folder.File("ledger.exv");
    testing::WriteBytes(path, "old\r\n");
    FailingWriter writer;
    EXPECT_THROW(WriteTextLines(path, {"new"}, writer), FileError);
    LineList list;
    list.Assign({"new"});
    EXPECT_THROW(list.SaveToFile(path, writer), FileError);
    EXPECT_EQ(writer.writes, 2);

    // A line CP932 cannot hold stops the save before anything is written.
    EXPECT_THROW(WriteTextLines(path, {"ok", "😀"}, writer), EncodingError);
    EXPECT_EQ(writer.writes, 2);
    EXPECT_THROW(WriteTextLines(path, {"ok", "😀"}), EncodingError);
    EXPECT_EQ(testing::ReadBytes(path), "old\r\n");
    EXPECT_EQ(FolderEntries(folder.Path()), std::set<std::string>{"ledger.exv"});
}

TEST(DiskFileWriter, ReplacesAtomicallyAndCleansUpTemporaryFiles) {
    testing::TempFolder folder;
    const std::string path = folder.File("ledger.exv");
    DiskFileWriter writer;
    testing::WriteBytes(TemporaryNamePrefix(path), "stray half-written save");
    EXPECT_EQ(TemporaryNamePrefix(path), path + ".velmora-tmp");
    writer.WriteAtomic(path, "one");
    EXPECT_EQ(testing::ReadBytes(path), "one");
    EXPECT_EQ(FolderEntries(folder.Path()), std::set<std::string>{"ledger.exv"});

    EXPECT_THROW(writer.WriteAtomic(folder.File("no-such-folder/ledger.exv"), "x"), FileError);
    EXPECT_FALSE(DirectoryExists(folder.File("no-such-folder")));

    // A folder in the way of the rename: the write fails and nothing is left behind.
    std::filesystem::create_directory(folder.File("taken"));
    EXPECT_THROW(writer.WriteAtomic(folder.File("taken"), "x"), FileError);
    EXPECT_TRUE(DirectoryExists(folder.File("taken")));
    EXPECT_EQ(FolderEntries(folder.Path()), (std::set<std::string>{"ledger.exv", "taken"}));

    writer.Remove(path);
    writer.Remove(path);  // already gone
    EXPECT_FALSE(FileExists(path));
}

TEST(DiskFileWriter, SavesTakeNoTemporaryFileOfAnotherSave) {
    testing::TempFolder folder;
    const std::string path = folder.File("ledger.exv");
    // The name every save used to write: another save is filling it right now.
    SaveInProgress other(path + ".velmora-tmp");
    // Left by interrupted saves: of this file, of another file, and a name not of ours.
    testing::WriteBytes(path + ".velmora-tmp-Ab3xZ9", "stray");
    testing::WriteBytes(folder.File("notes.txt.velmora-tmp-Qq1234"), "stray of another file");
    testing::WriteBytes(path + ".velmora-tmp-toolong", "not ours");

    DiskFileWriter().WriteAtomic(path, "mine");
    EXPECT_EQ(testing::ReadBytes(path), "mine");
    EXPECT_EQ(testing::ReadBytes(path + ".velmora-tmp"), "half");
    EXPECT_EQ(
        FolderEntries(folder.Path()),
        (std::set<std::string>{"ledger.exv", "ledger.exv.velmora-tmp",
                               "ledger.exv.velmora-tmp-toolong", "notes.txt.velmora-tmp-Qq1234"}));

    // Every stray of the folder, as the start-up removes them; the busy one stays.
    RemoveStrayTemporaryFiles(folder.Path());
    EXPECT_EQ(FolderEntries(folder.Path()),
              (std::set<std::string>{"ledger.exv", "ledger.exv.velmora-tmp",
                                     "ledger.exv.velmora-tmp-toolong"}));
}

TEST(DiskFileWriter, ConcurrentSavesOfOneFileEachLeaveAWholeFile) {
    testing::TempFolder folder;
    const std::string path = folder.File("ledger.exv");
    std::vector<std::string> contents;
    for (char c : {'a', 'b', 'c', 'd'}) contents.emplace_back(200 * 1024 + (c - 'a'), c);
    std::atomic<int> failures{0};
    std::vector<std::thread> savers;
    for (const std::string& bytes : contents)
        savers.emplace_back([&path, &bytes, &failures] {
            DiskFileWriter writer;
            for (int i = 0; i < 25; ++i) {
                try {
                    writer.WriteAtomic(path, bytes);
                } catch (const FileError&) {
                    ++failures;
                }
            }
        });
    for (auto& saver : savers) saver.join();
    EXPECT_EQ(failures.load(), 0);
    const std::string last = testing::ReadBytes(path);
    EXPECT_NE(std::find(contents.begin(), contents.end(), last), contents.end());
    EXPECT_EQ(FolderEntries(folder.Path()), std::set<std::string>{"ledger.exv"});
}

TEST(DiskFileWriter, WritesThroughLinksAndKeepsThem) {
    namespace fs = std::filesystem;
    testing::TempFolder folder;
    fs::create_directory(folder.File("real"));
    const std::string target = folder.File("real/ledger.exv");
    testing::WriteBytes(target, "old");
    // A relative link, and an absolute link to that link.
    fs::create_symlink("real/ledger.exv", folder.File("near"));
    fs::create_symlink(folder.File("near"), folder.File("far"));
    DiskFileWriter writer;
    writer.WriteAtomic(folder.File("far"), "new");
    EXPECT_TRUE(fs::is_symlink(folder.File("far")));
    EXPECT_TRUE(fs::is_symlink(folder.File("near")));
    EXPECT_EQ(testing::ReadBytes(target), "new");
    EXPECT_EQ(FolderEntries(folder.File("real")), std::set<std::string>{"ledger.exv"});
    EXPECT_EQ(ResolveLinks(folder.File("far")), folder.File("real/ledger.exv"));

    // A link to a file not yet there: the file is made where the link points.
    fs::create_symlink("real/later.exv", folder.File("dangling"));
    writer.WriteAtomic(folder.File("dangling"), "later");
    EXPECT_TRUE(fs::is_symlink(folder.File("dangling")));
    EXPECT_EQ(testing::ReadBytes(folder.File("real/later.exv")), "later");

    // A loop of links is no file to write.
    fs::create_symlink("loop-b", folder.File("loop-a"));
    fs::create_symlink("loop-a", folder.File("loop-b"));
    EXPECT_THROW(writer.WriteAtomic(folder.File("loop-a"), "x"), FileError);
    EXPECT_TRUE(fs::is_symlink(folder.File("loop-a")));

    // One file by any name; two names of files not yet there are one when they resolve
    // to one path.
    EXPECT_TRUE(IsSameFile(folder.File("far"), folder.File("real/../real/ledger.exv")));
    EXPECT_FALSE(IsSameFile(folder.File("far"), folder.File("real/later.exv")));
    EXPECT_TRUE(IsSameFile(folder.File("real/none.exv"), folder.File("real/./none.exv")));
    EXPECT_FALSE(IsSameFile(folder.File("real/none.exv"), folder.File("real/other.exv")));
    EXPECT_FALSE(IsSameFile(folder.File("real/none.exv"), ""));
}

TEST(DiskFileWriter, KeepsThePermissionsAndRefusesReadOnlyFiles) {
    testing::TempFolder folder;
    const std::string path = folder.File("ledger.exv");
    testing::WriteBytes(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    DiskFileWriter writer;
    writer.WriteAtomic(path, "new");
    EXPECT_EQ(ModeOf(path), 0640u);

    // Marked read-only, in a folder the user may write: refused, not replaced.
    const std::string readOnly = folder.File("closed.exv");
    testing::WriteBytes(readOnly, "kept");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    try {
        writer.WriteAtomic(readOnly, "new");
        ADD_FAILURE() << "a read-only file was replaced";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "ファイルに書き込めません: " + readOnly + " (書き込みが許可されていません)");
    }
    EXPECT_EQ(testing::ReadBytes(readOnly), "kept");
    EXPECT_EQ(ModeOf(readOnly), 0444u);
    EXPECT_EQ(FolderEntries(folder.Path()), (std::set<std::string>{"closed.exv", "ledger.exv"}));
}

TEST(DiskFileWriter, AnOutputReplacesALinkAtItsPathAndIsNoMoreOpenThanItsLedger) {
    namespace fs = std::filesystem;
    testing::TempFolder folder;
    const std::string ledger = folder.File("ledger.exv");
    testing::WriteBytes(ledger, "ledger");
    ASSERT_EQ(::chmod(ledger.c_str(), 0600), 0);
    const mode_t umaskBefore = ::umask(022);
    DiskFileWriter writer;
    // A new output, a link to someone's file at the output's path, and an output that was
    // readable by all: each ends as a file of the ledger's permissions.
    const std::string fresh = folder.File("fresh.pdf");
    writer.WriteOutput(fresh, "pdf", OutputModeLimit(ledger));
    testing::WriteBytes(folder.File("victim"), "someone else's");
    ASSERT_EQ(::chmod(folder.File("victim").c_str(), 0644), 0);
    fs::create_symlink("victim", folder.File("link.csv"));
    writer.WriteOutput(folder.File("link.csv"), "csv", OutputModeLimit(ledger));
    const std::string open = folder.File("open.csv");
    testing::WriteBytes(open, "old");
    ASSERT_EQ(::chmod(open.c_str(), 0644), 0);
    writer.WriteOutput(open, "new", OutputModeLimit(ledger));
    ::umask(umaskBefore);

    EXPECT_EQ(ModeOf(fresh), 0600u);
    EXPECT_FALSE(fs::is_symlink(folder.File("link.csv")));
    EXPECT_EQ(testing::ReadBytes(folder.File("link.csv")), "csv");
    EXPECT_EQ(ModeOf(folder.File("link.csv")), 0600u);
    EXPECT_EQ(testing::ReadBytes(folder.File("victim")), "someone else's");
    EXPECT_EQ(testing::ReadBytes(open), "new");
    EXPECT_EQ(ModeOf(open), 0600u);
    // Nothing to take the permissions from: private.
    EXPECT_EQ(OutputModeLimit(""), 0600u);
    EXPECT_EQ(OutputModeLimit(folder.File("none.exv")), 0600u);
}

// A FileLock taken on another thread, which waits while something else holds the file.
struct LockWaiter {
    explicit LockWaiter(const std::string& path)
        : thread([this, path] {
              lock = std::make_unique<FileLock>(path);
              got = true;
          }) {}
    ~LockWaiter() {
        if (thread.joinable()) thread.join();
    }
    // Whether it has the lock a fifth of a second on.
    bool GotItWithinAMoment() {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        return got;
    }

    std::unique_ptr<FileLock> lock;
    std::atomic<bool> got{false};
    std::thread thread;
};

TEST(FileLock, HoldersOfOneFileTakeTurnsAlsoWhenASaveReplacesIt) {
    testing::TempFolder folder;
    EXPECT_FALSE(FileLock(folder.File("missing.exv")).Held());
    const std::string path = folder.File("a.exv");
    DiskFileWriter writer;
    writer.WriteAtomic(path, "one");

    auto first = std::make_unique<FileLock>(path);
    ASSERT_TRUE(first->Held());
    LockWaiter second(path);
    EXPECT_FALSE(second.GotItWithinAMoment());
    // The first holder saves (a new file under the name) and lets go: the second holder
    // must end up holding the new file, not the one replaced.
    writer.WriteAtomic(path, "two");
    first.reset();
    second.thread.join();
    ASSERT_TRUE(second.lock->Held());
    LockWaiter third(path);
    EXPECT_FALSE(third.GotItWithinAMoment());
    second.lock.reset();
    third.thread.join();
    EXPECT_TRUE(third.lock->Held());
}

TEST(FileIdentity, TellsWhetherTheFileOnDiskIsStillTheOneReadOrWritten) {
    testing::TempFolder folder;
    const std::string path = folder.File("ledger.exv");
    DiskFileWriter writer;
    // Over the size of a read part, with a tail that is no whole word.
    const std::string bytes = std::string(600 * 1024 + 3, 'x') + "\r\none\r\n";
    writer.WriteAtomic(path, bytes);
    const FileIdentity written = WrittenFileIdentity(path, bytes);
    FileIdentity read;
    EXPECT_EQ(ReadTextLines(path, &read).back(), "one");
    EXPECT_TRUE(written.exists);
    EXPECT_EQ(written.size, static_cast<std::int64_t>(bytes.size()));
    EXPECT_EQ(read, written);
    EXPECT_EQ(ReadFileIdentity(path), written);
    EXPECT_TRUE(FileUnchanged(written));

    // The same bytes written again: another file, another time, the same content.
    writer.WriteAtomic(path, bytes);
    EXPECT_NE(ReadFileIdentity(path).inode, written.inode);
    EXPECT_TRUE(FileUnchanged(written));

    // The same size with other bytes, another size, no file.
    std::string changed = bytes;
    changed.back() = 'X';
    writer.WriteAtomic(path, changed);
    EXPECT_FALSE(FileUnchanged(written));
    const FileIdentity now = ReadFileIdentity(path);
    EXPECT_NE(now.contentHash, written.contentHash);
    testing::WriteBytes(path, "short");
    EXPECT_FALSE(FileUnchanged(now));
    writer.Remove(path);
    EXPECT_FALSE(FileUnchanged(now));
    const FileIdentity none = ReadFileIdentity(path);
    EXPECT_FALSE(none.exists);
    EXPECT_TRUE(FileUnchanged(none));
    testing::WriteBytes(path, "x");
    EXPECT_FALSE(FileUnchanged(none));
}

TEST(DiskFileWriter, WriteErrorMidFileKeepsTheOldFile) {
    testing::TempFolder folder;
    const std::string path = folder.File("ledger.exv");
    testing::WriteBytes(path, "old ledger");
    // A file size limit makes write() fail part-way, as a full disk does.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1024;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool failed = false;
    try {
        DiskFileWriter().WriteAtomic(path, std::string(4096, 'x'));
    } catch (const FileError&) {
        failed = true;
    }
    // Written a part at a time by another thread, the error comes with a later part or at
    // the end.
    std::string streamError;
    try {
        DiskFileWriter writer;
        const auto stream = writer.StreamOutput(path, 0600);
        for (int part = 0; part < 4; ++part) stream->Append(std::string(800, 'x'));
        stream->Commit();
    } catch (const FileError& error) {
        streamError = error.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(failed);
    EXPECT_EQ(streamError, "ファイルに書き込めません: " + path + " (File too large)");
    EXPECT_EQ(testing::ReadBytes(path), "old ledger");
    EXPECT_EQ(FolderEntries(folder.Path()), std::set<std::string>{"ledger.exv"});
}

TEST(DiskFileWriter, AStreamedOutputIsInPlaceOnlyOnceCommittedWhole) {
    testing::TempFolder folder;
    const std::string path = folder.File("out.csv");
    testing::WriteBytes(path, "old,\r\n");
    DiskFileWriter writer;
    std::string expected;
    {
        const auto stream = writer.StreamOutput(path, 0640);
        for (int part = 0; part < 10; ++part) {
            const std::string bytes(100000 + part, static_cast<char>('a' + part));
            stream->Append(bytes);
            expected += bytes;
        }
        EXPECT_EQ(testing::ReadBytes(path), "old,\r\n");
        stream->Commit();
    }
    EXPECT_EQ(testing::ReadBytes(path), expected);
    EXPECT_EQ(FolderEntries(folder.Path()), std::set<std::string>{"out.csv"});
    {
        // Given up before Commit: the file stays as it was and nothing is left beside it.
        const auto stream = writer.StreamOutput(path, 0640);
        stream->Append("half");
    }
    EXPECT_EQ(testing::ReadBytes(path), expected);
    EXPECT_EQ(FolderEntries(folder.Path()), std::set<std::string>{"out.csv"});
}

}  // namespace
}  // namespace velmora
