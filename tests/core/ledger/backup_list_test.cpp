#include "core/ledger/backup_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/platform/file_io.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

const DateTime kMoment{Date::FromYmd(2024, 3, 5), 13 * 3600 + 7 * 60 + 9};

TEST(BackupList, TwentyOneLinesAndBack) {
    BackupList list;
    list.entries[0] = {"a.exv(2024/03/05 13:07:09)", "/w/20240305130709.dat"};
    list.entries[9] = {"b.exv(2024/01/01 00:00:00)", "/w/20240101000000.dat"};
    list.lastFilename = "/home/u/a.exv";
    const Lines lines = list.Lines();
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[0], "[BACK_NAME_1]=a.exv(2024/03/05 13:07:09)");
    EXPECT_EQ(lines[1], "[BACK_FILE_1]=/w/20240305130709.dat");
    EXPECT_EQ(lines[2], "[BACK_NAME_2]=---");
    EXPECT_EQ(lines[3], "[BACK_FILE_2]=");
    EXPECT_EQ(lines[18], "[BACK_NAME_10]=b.exv(2024/01/01 00:00:00)");
    EXPECT_EQ(lines[19], "[BACK_FILE_10]=/w/20240101000000.dat");
    EXPECT_EQ(lines[20], "[Last_Filename]=/home/u/a.exv");

    BackupList parsed = BackupList::Parse(lines);
    EXPECT_EQ(parsed.entries, list.entries);
    EXPECT_EQ(parsed.lastFilename, list.lastFilename);

    // Keys compare exactly, values are trimmed, unknown lines are ignored.
    parsed = BackupList::Parse({"[BACK_FILE_3]=  /w/x.dat  ", "[back_file_4]=/w/y.dat",
                                "[BACK_NAME_1] =z", "[Last_Filename]= /a=b.exv", "junk"});
    EXPECT_EQ(parsed.entries[2].file, "/w/x.dat");
    EXPECT_EQ(parsed.entries[3].file, "");
    EXPECT_EQ(parsed.entries[0].caption, "---");
    EXPECT_EQ(parsed.lastFilename, "/a=b.exv");
}

TEST(BackupList, PathsCp932CannotHoldAreKeptExactlyAndCaptionsShowStandIns) {
    testing::TempFolder folder;
    std::filesystem::create_directories(folder.File("ini"));
    BackupList list;
    const std::string work = "/home/josé/.local/share/tessary/velmora_xe5";
    list.entries[0] = {"Café😀.exv(2024/03/05 13:07:09)", work + "/20240305130709.dat"};
    list.entries[1] = {"ok.exv(2024/03/05 13:07:08)", "/w/20240305130708.dat"};
    list.lastFilename = "/home/u/\xff\xfe帳簿.exv";  // bytes that are not UTF-8
    const Lines lines = list.Lines();
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines[0], "[BACK_NAME_1]=Caf？？.exv(2024/03/05 13:07:09)");
    EXPECT_EQ(lines[1],
              "[BACK_FILE_1]=/home/jos？/.local/share/tessary/velmora_xe5/20240305130709.dat");
    EXPECT_EQ(lines[2].rfind("[BACK_FILE_1_HEX]=2F686F6D652F6A6F73C3A92F", 0), 0u);
    EXPECT_EQ(lines[4], "[BACK_FILE_2]=/w/20240305130708.dat");
    EXPECT_EQ(lines[21], "[Last_Filename]=/home/u/？？帳簿.exv");
    EXPECT_EQ(lines[22], "[Last_Filename_HEX]=2F686F6D652F752FFFFEE5B8B3E7B0BF2E657876");

    // Written as CP932 and read back: the paths exactly, the captions as shown.
    WriteBackupList(folder.Path(), list, DefaultFileWriter());
    const BackupList back = ReadBackupList(folder.Path());
    EXPECT_EQ(back.entries[0].file, list.entries[0].file);
    EXPECT_EQ(back.entries[0].caption, "Caf？？.exv(2024/03/05 13:07:09)");
    EXPECT_EQ(back.entries[1], list.entries[1]);
    EXPECT_EQ(back.lastFilename, list.lastFilename);
    // A hexadecimal line that is not one leaves the shown path.
    EXPECT_EQ(
        BackupList::Parse({"[Last_Filename]=/a/？.exv", "[Last_Filename_HEX]=2F6"}).lastFilename,
        "/a/？.exv");
}

TEST(BackupList, FileIsCp932CrLfAndAMissingFileGivesTheDefaults) {
    testing::TempFolder folder;
    EXPECT_EQ(ReadBackupList(folder.Path()).entries, BackupList{}.entries);
    std::filesystem::create_directory(folder.File("ini"));
    BackupList list;
    list.entries[0] = {"現金.exv(2024/03/05 13:07:09)", folder.File("20240305130709.dat")};
    DiskFileWriter writer;
    WriteBackupList(folder.Path(), list, writer);
    const std::string bytes = testing::ReadBytes(folder.File("ini/backup.conf"));
    EXPECT_EQ(bytes.substr(0, 14), "[BACK_NAME_1]=");
    EXPECT_EQ(bytes.substr(14, 4), "\x8c\xbb\x8b\xe0");  // 現金 in CP932
    EXPECT_EQ(bytes.substr(bytes.size() - 20), "\r\n[Last_Filename]=\r\n");
    EXPECT_EQ(ReadBackupList(folder.Path()).entries, list.entries);
}

TEST(BackupList, BackupNamesAndCaptions) {
    EXPECT_EQ(BackupFilePath("/w", kMoment), "/w/20240305130709.dat");
    EXPECT_EQ(BackupCaption("/home/u/帳簿.exv", kMoment), "帳簿.exv(2024/03/05 13:07:09)");

    EXPECT_TRUE(IsOwnBackupFile("/w/20240305130709.dat", "/w"));
    EXPECT_TRUE(IsOwnBackupFile("/w/./20240305130709.dat", "/w/"));
    EXPECT_FALSE(IsOwnBackupFile("/w/2024030513070.dat", "/w"));
    EXPECT_FALSE(IsOwnBackupFile("/w/2024030513070x.dat", "/w"));
    EXPECT_FALSE(IsOwnBackupFile("/w/20240305130709.exv", "/w"));
    EXPECT_FALSE(IsOwnBackupFile("/w/sub/20240305130709.dat", "/w"));
    EXPECT_FALSE(IsOwnBackupFile("/home/u/20240305130709.dat", "/w"));
    EXPECT_FALSE(IsOwnBackupFile("/w/../20240305130709.dat", "/w"));
    EXPECT_EQ(OriginalBackupCaption("/home/u/帳簿.exv", kMoment),
              "帳簿.exv(保存前 2024/03/05 13:07:09)");
}

TEST(BackupList, EachBackupTakesTheNextFreeSecond) {
    testing::TempFolder work;
    BackupList list;
    const std::string w = work.Path();
    auto nameAt = [&](const DateTime& from) {
        return BackupFilePath(w, FreeBackupMoment(w, list, from));
    };
    EXPECT_EQ(nameAt(kMoment), w + "/20240305130709.dat");
    // Taken by a file of the folder, or by an entry whose file is gone.
    testing::WriteBytes(w + "/20240305130709.dat", "first");
    list.entries[3].file = w + "/20240305130710.dat";
    EXPECT_EQ(nameAt(kMoment), w + "/20240305130711.dat");
    // The last second of a day goes on into the next day.
    const DateTime lastSecond{Date::FromYmd(2024, 12, 31), 24 * 3600 - 1};
    testing::WriteBytes(w + "/20241231235959.dat", "late");
    EXPECT_EQ(nameAt(lastSecond), w + "/20250101000000.dat");
}

TEST(BackupList, StrayTemporaryFilesOfTheWorkingFolderAreRemoved) {
    testing::TempFolder work;
    std::filesystem::create_directories(work.File("ini"));
    const std::vector<std::string> strays = {
        "20240305130709.dat.velmora-tmp", "20240305130709.dat.velmora-tmp-x1Y2z3",
        "velmora.conf.velmora-tmp-AAAAAA", "ini/backup.conf.velmora-tmp-q0q0q0"};
    for (const auto& stray : strays) testing::WriteBytes(work.File(stray), "half");
    testing::WriteBytes(work.File("20240305130709.dat"), "kept");
    RemoveStrayWorkingFiles(work.Path());
    for (const auto& stray : strays) EXPECT_FALSE(std::filesystem::exists(work.File(stray)));
    EXPECT_EQ(testing::ReadBytes(work.File("20240305130709.dat")), "kept");
}

}  // namespace
}  // namespace velmora
