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

    // UTF-8 as UTF-8, with or without its mark; one long line of NUL bytes is one line.
    WriteBytes(path, "\xEF\xBB\xBF現金\n売上");
    EXPECT_EQ(ReadStartFile(path).lines, (Lines{"現金", "売上"}));
    WriteBytes(path, std::string(kStartFileLimit, '\0'));
    read = ReadStartFile(path);
    EXPECT_EQ(read.lines, Lines{std::string(kStartFileLimit, '\0')});
    EXPECT_EQ(read.problem, "");

    std::filesystem::resize_file(path, kStartFileLimit + 1);
    read = ReadStartFile(path);
    EXPECT_EQ(read.lines, Lines{});
    EXPECT_EQ(read.problem, path + "は大きすぎるので読み込みませんでした(1MBまで)。");
    EXPECT_EQ(ReadStartFile(folder.File("missing")).problem, "");
}

}  // namespace
}  // namespace velmora::testing
