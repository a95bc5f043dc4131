// make_styles on the command line: its arguments, the folder it writes and what it lists.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/platform/file_io.h"
#include "support/temp_folder.h"
#include "tools/make_styles/make_styles_command.h"
#include "tools/shipped_styles.h"

namespace velmora::testing {
namespace {

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

CommandResult MakeStyles(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    CommandResult run;
    run.status = RunMakeStyles(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(MakeStylesCommand, WrongArgumentsShowTheUsageAndWriteNothing) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"--help"}, {""}, {"a", "b"}}) {
        const CommandResult run = MakeStyles(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.starts_with("usage: make_styles FOLDER\n")) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(MakeStylesCommand, MakesTheFolderAndListsEveryFileWithItsLineCount) {
    TempFolder temp;
    const std::string folder = temp.File("new/style");
    const CommandResult run = MakeStyles({folder});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");

    std::istringstream listing(run.out);
    std::string entry;
    int listed = 0;
    while (std::getline(listing, entry) && entry.find('\t') != std::string::npos) {
        const std::string name = entry.substr(0, entry.find('\t'));
        const std::string count = entry.substr(entry.find('\t') + 1);
        EXPECT_EQ(count, std::to_string(ReadTextLines(folder + "/" + name).size())) << name;
        ++listed;
    }
    EXPECT_EQ(listed, 110);
    EXPECT_EQ(entry, "110 style files written to " + folder);
    EXPECT_EQ(StyleFileNames(folder).size(), 110u);

    // Writing again over the same files gives the same bytes.
    const std::string before = ReadBytes(folder + "/入出金集計グラフ.sle");
    ASSERT_EQ(MakeStyles({folder}).status, 0);
    EXPECT_EQ(ReadBytes(folder + "/入出金集計グラフ.sle"), before);
}

TEST(MakeStylesCommand, AFolderThatCannotBeMadeIsReportedAsAFailure) {
    TempFolder temp;
    WriteBytes(temp.File("plain-file"), "x");
    const CommandResult run = MakeStyles({temp.File("plain-file/style")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.starts_with("make_styles: cannot make ")) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(MakeStylesCommand, AStyleThatCannotBeWrittenIsReportedAsAFailure) {
    TempFolder temp;
    // A folder where a style file should go cannot be opened as a file.
    std::filesystem::create_directory(temp.File("入出金集計表.sle"));
    const CommandResult run = MakeStyles({temp.Path()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "make_styles: ファイルに書き込めません: " + temp.File("入出金集計表.sle") + "\n");
    EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace velmora::testing
