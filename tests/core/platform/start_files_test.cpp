#include "core/platform/start_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/util/codepage.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(StartFiles, ADamagedLineIsReadEmptyInItsPlaceAndAHugeFileAsMissing) {
    TempFolder folder;
    const std::string path = folder.File("kamoku1.dat");
    const std::string bad = "は文字コードがCP932(Shift_JIS)でもUTF-8でもないので読み飛ばしました。";

    WriteBytes(path, Utf8ToCp932("現金\r\n") + "\x81\x20\r\n" + Utf8ToCp932("売上\r\n"));
    StartFileLines read = ReadStartFile(path);
    EXPECT_EQ(read.lines, (Lines{"現金", "", "売上"}));  // 売上 stays the third slot
    EXPECT_EQ(read.problem, path + "の2行目" + bad);

    WriteBytes(path, "\xff\n\xfe\n\xfd\nx");
    EXPECT_EQ(ReadStartFile(path).problem, path + "の1行目ほか2行" + bad);

    // UTF-8 as UTF-8, with or without its mark.
    WriteBytes(path, "\xEF\xBB\xBF現金\n売上");
    EXPECT_EQ(ReadStartFile(path).lines, (Lines{"現金", "売上"}));
    // No list lays out a line of a megabyte, or of NUL bytes, in reasonable time.
    const std::string longest(kStartLineLimit, 'a');
    const std::string rest = std::string("a\r\nx\0y\r\n", 8) + "現金";
    const std::string tooLong = "は16KBを超えるかNULバイトを含むので読み飛ばしました。";
    for (const std::string& text :
         {longest + "\r\n" + longest + rest, Utf8ToCp932(longest + "\r\n" + longest + rest)}) {
        WriteBytes(path, text);
        read = ReadStartFile(path);
        EXPECT_EQ(read.lines, (Lines{longest, "", "", "現金"}));
        EXPECT_EQ(read.problem, path + "の2行目ほか1行" + tooLong);
    }
    WriteBytes(path, std::string(kStartFileLimit, '\0'));
    read = ReadStartFile(path);
    EXPECT_EQ(read.lines, Lines{""});
    EXPECT_EQ(read.problem, path + "の1行目" + tooLong);
    WriteBytes(path, "\xff\r\n" + std::string(kStartFileLimit / 2, 'a'));
    EXPECT_EQ(ReadStartFile(path).problem,
              path + "の1行目" + bad + "\r\n" + path + "の2行目" + tooLong);

    std::filesystem::resize_file(path, kStartFileLimit + 1);
    read = ReadStartFile(path);
    EXPECT_EQ(read.lines, Lines{});
    EXPECT_EQ(read.problem, path + "は大きすぎるので読み込みませんでした(1MBまで)。");
    EXPECT_EQ(ReadStartFile(folder.File("missing")).problem, "");
}

}  // namespace
}  // namespace velmora::testing
