#include "core/util/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/util/errors.h"
#include "core/util/light_strings.h"
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
    TLightStrings list;
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
    testing::WriteBytes(TemporaryPathFor(path), "stray half-written save");
    EXPECT_EQ(TemporaryPathFor(path), path + ".velmora-tmp");
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
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(failed);
    EXPECT_EQ(testing::ReadBytes(path), "old ledger");
    EXPECT_EQ(FolderEntries(folder.Path()), std::set<std::string>{"ledger.exv"});
}

}  // namespace
}  // namespace velmora
