#include "core/export/code_table.h"

#include <gtest/gtest.h>

#include "core/export/csv_export.h"
#include "core/util/codepage.h"
#include "core/util/errors.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

using testing::ReadBytes;
using testing::ScriptedDialogs;
using testing::TempFolder;
using testing::WriteBytes;
using testing::WriteCp932;
using Lines = std::vector<std::string>;

class FailingWriter final : public FileWriter {
public:
    void WriteAtomic(const std::string& path, std::string_view) override {
        throw FileError("ディスクがいっぱいです: " + path);
    }
    void Remove(const std::string&) override {}
};

std::string Cp932Text(std::string_view utf8WithCrLf) {
    return Utf8ToCp932(utf8WithCrLf);
}

TEST(CodeTable, MissingFileIsCreatedEmptyAndFilledFromTheTitleList) {
    TempFolder work;
    DiskFileWriter writer;
    CodeTable table = OpenCodeTable(work.Path(), {"交通費", "", "消耗品費", "交通費"}, writer);
    EXPECT_EQ(ReadBytes(work.File("in_code.dat")), "");
    EXPECT_EQ(table.Rows(), (std::vector<CodeRow>{{"交通費", ""}, {"消耗品費", ""}}));
    SaveCodeTable(work.Path(), table, writer);
    EXPECT_EQ(ReadBytes(work.File("in_code.dat")), Cp932Text("交通費=\r\n消耗品費=\r\n"));
}

TEST(CodeTable, MissingTitlesComeFirstInTitleListOrder) {
    TempFolder work;
    WriteCp932(work.File("in_code.dat"), "消耗品費=200\n\n雑費=900\n仮払\n");
    DiskFileWriter writer;
    CodeTable table = OpenCodeTable(work.Path(), {"通信費", "消耗品費", "", "交通費"}, writer);
    EXPECT_EQ(table.Lines(), (Lines{"通信費=", "交通費=", "消耗品費=200", "雑費=900", "仮払="}));
    EXPECT_EQ(table.CodeOf("消耗品費"), "200");
    EXPECT_EQ(table.CodeOf("水道光熱費"), "");
    EXPECT_EQ(table.IndexOf("雑費"), 3);
    EXPECT_EQ(table.IndexOf("水道光熱費"), -1);
}

TEST(CodeTable, ADeletedRowComesBackEmptyWhileItsTitleIsListed) {
    TempFolder work;
    WriteCp932(work.File("in_code.dat"), "交通費=501\n消耗品費=502\n雑費=900\n");
    DiskFileWriter writer;
    const Lines titles = {"交通費", "消耗品費"};
    CodeTable table = OpenCodeTable(work.Path(), titles, writer);
    ASSERT_TRUE(table.Delete(1));
    ASSERT_TRUE(table.Delete(1));  // 雑費, no longer a title: gone for good
    SaveCodeTable(work.Path(), table, writer);
    EXPECT_EQ(ReadBytes(work.File("in_code.dat")), Cp932Text("交通費=501\r\n"));

    CodeTable reopened = OpenCodeTable(work.Path(), titles, writer);
    EXPECT_EQ(reopened.Lines(), (Lines{"消耗品費=", "交通費=501"}));
}

TEST(CodeTable, RowsMoveWithinTheTableOnly) {
    CodeTable table = CodeTable::FromLines({"A=1", "B=2", "C=3"});
    EXPECT_FALSE(table.MoveUp(0));
    EXPECT_FALSE(table.MoveDown(2));
    EXPECT_FALSE(table.MoveDown(-1));
    EXPECT_FALSE(table.MoveUp(3));
    EXPECT_FALSE(table.Delete(3));
    EXPECT_EQ(table.Lines(), (Lines{"A=1", "B=2", "C=3"}));
    EXPECT_TRUE(table.MoveUp(2));
    EXPECT_EQ(table.Lines(), (Lines{"A=1", "C=3", "B=2"}));
    EXPECT_TRUE(table.MoveDown(0));
    EXPECT_EQ(table.Lines(), (Lines{"C=3", "A=1", "B=2"}));
    EXPECT_TRUE(table.Delete(0));
    EXPECT_EQ(table.Lines(), (Lines{"A=1", "B=2"}));
}

TEST(CodeTable, TypedCodesCannotBreakTheCsvLineOrTheFile) {
    CodeTable table = CodeTable::FromLines({"交通費=", "通信費="});
    ScriptedDialogs dialogs;
    EXPECT_TRUE(table.SetCode(0, "5,0\"1", dialogs));
    EXPECT_EQ(table.CodeOf("交通費"), "501");
    EXPECT_TRUE(table.SetCode(1, "60\r\n2", dialogs));
    EXPECT_EQ(table.CodeOf("通信費"), "602");
    EXPECT_FALSE(table.SetCode(1, "\U0001F4DE", dialogs));
    EXPECT_EQ(table.CodeOf("通信費"), "602");
    EXPECT_FALSE(table.SetCode(2, "1", dialogs));
    EXPECT_EQ(dialogs.Infos(),
              (Lines{"確認してください。|「\U0001F4DE」はCP932(Shift_JIS)で保存できない文字です"}));
}

TEST(CodeTable, ATitleWithAnEqualsSignGetsNoRowAndTheTableDoesNotGrow) {
    TempFolder work;
    DiskFileWriter writer;
    const Lines titles = {"A=B", "交通費"};
    for (int opening = 0; opening < 3; ++opening) {
        CodeTable table = OpenCodeTable(work.Path(), titles, writer);
        SaveCodeTable(work.Path(), table, writer);
    }
    EXPECT_EQ(ReadBytes(work.File("in_code.dat")), Cp932Text("交通費=\r\n"));
}

TEST(CsvOptionsDialog, OpensWithEveryColumnAndSavesTheTableOnClose) {
    TempFolder work;
    ScriptedDialogs dialogs;
    DiskFileWriter writer;
    CsvOptionsDialog dialog(work.Path(), {"交通費", "通信費"}, dialogs, writer);
    for (bool checked : dialog.options.columns) EXPECT_TRUE(checked);
    EXPECT_TRUE(dialog.options.titleRow);
    EXPECT_FALSE(dialog.options.codeConversion);
    ScriptedDialogs ignored;
    ASSERT_TRUE(dialog.codes.SetCode(1, "602", ignored));
    dialog.Close();
    EXPECT_EQ(ReadBytes(work.File("in_code.dat")), Cp932Text("交通費=\r\n通信費=602\r\n"));
    EXPECT_TRUE(dialogs.events.empty());

    // The save of a full disk is reported and leaves the file as it was.
    FailingWriter failing;
    CsvOptionsDialog second(work.Path(), {"交通費", "通信費", "雑費"}, dialogs, failing);
    second.Close();
    EXPECT_EQ(dialogs.Infos(), (Lines{"確認|ディスクがいっぱいです: " + work.File("in_code.dat")}));
    EXPECT_EQ(ReadBytes(work.File("in_code.dat")), Cp932Text("交通費=\r\n通信費=602\r\n"));
}

TEST(CsvOptionsDialog, AnUnreadableTableIsReportedAndNotOverwritten) {
    TempFolder work;
    const std::string garbage = "\x81\x20\xff=1\r\n";
    WriteBytes(work.File("in_code.dat"), garbage);
    ScriptedDialogs dialogs;
    DiskFileWriter writer;
    CsvOptionsDialog dialog(work.Path(), {"交通費"}, dialogs, writer);
    EXPECT_EQ(dialogs.Infos().size(), 1u);
    EXPECT_EQ(dialog.codes.Lines(), (Lines{"交通費="}));
    dialog.Close();
    EXPECT_EQ(ReadBytes(work.File("in_code.dat")), garbage);
}

}  // namespace
}  // namespace velmora
