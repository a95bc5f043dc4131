#include "core/platform/key_lines.h"

#include <gtest/gtest.h>

#include "core/platform/file_io.h"
#include "core/util/errors.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

class RefusingWriter final : public FileWriter {
public:
    void WriteAtomic(const std::string& path, std::string_view) override {
        throw FileError("ファイルに書き込めません: " + path);
    }
    void Remove(const std::string&) override {}
};

TEST(KeyLines, SplitKeyLineCutsAtTheFirstEquals) {
    KeyLine line = SplitKeyLine("[Paper_Sel]=3");
    EXPECT_EQ(line.key, "[Paper_Sel]");
    EXPECT_EQ(line.value, "3");
    line = SplitKeyLine("k=a=b");
    EXPECT_EQ(line.key, "k");
    EXPECT_EQ(line.value, "a=b");
    line = SplitKeyLine("=x");
    EXPECT_EQ(line.key, "");
    EXPECT_EQ(line.value, "x");
    line = SplitKeyLine("no separator");
    EXPECT_EQ(line.key, "");
    EXPECT_EQ(line.value, "no separator");
}

TEST(KeyLines, SetKeyLineRewritesEveryMatchingLineInPlace) {
    testing::TempFolder folder;
    const std::string path = folder.File("note1.conf");
    testing::WriteCp932(path,
                        "[Paper_Sel]=1\n[Other]=x\n[Paper_Sel]=2\n[Paper_Sel]\n"
                        "[Paper_Sel]x=3\n[Title]=旧\n\n");
    SetKeyLine("[Paper_Sel]", "5", path);
    SetKeyLine("[Title]", "新=値", path);
    EXPECT_EQ(testing::ReadBytes(path),
              "[Paper_Sel]=5\r\n[Other]=x\r\n[Paper_Sel]=5\r\n[Paper_Sel]\r\n"
              "[Paper_Sel]x=3\r\n[Title]=\x90\x56=\x92\x6C\r\n\r\n");
}

TEST(KeyLines, SetKeyLineAddsNothingAndCreatesNothing) {
    testing::TempFolder folder;
    const std::string path = folder.File("note2.conf");
    testing::WriteBytes(path, "[A]=1\r\n[B]=2\r\n");
    SetKeyLine("[C]", "3", path);
    SetKeyLine("A", "3", path);
    EXPECT_EQ(testing::ReadBytes(path), "[A]=1\r\n[B]=2\r\n");

    SetKeyLine("[A]", "1", folder.File("missing.conf"));
    EXPECT_FALSE(FileExists(folder.File("missing.conf")));

    RefusingWriter writer;
    EXPECT_THROW(SetKeyLine("[B]", "9", path, writer), FileError);
    EXPECT_EQ(testing::ReadBytes(path), "[A]=1\r\n[B]=2\r\n");
}

}  // namespace
}  // namespace velmora
