#include "core/settings/title_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/settings/title_lists.h"
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

class FailingWriter final : public FileWriter {
public:
    void WriteAtomic(const std::string& path, std::string_view) override {
        throw FileError("ディスクがいっぱいです: " + path);
    }
    void Remove(const std::string&) override {}
};

// Lines as CP932 with CR LF after each.
std::string Cp932Lines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += Utf8ToCp932(line) + "\r\n";
    return bytes;
}

TEST(TitleGrid, SlotsFillColumnsOneAfterTheOther) {
    EXPECT_EQ(CellOfSlot(1), (GridCell{1, 1}));
    EXPECT_EQ(CellOfSlot(15), (GridCell{1, 15}));
    EXPECT_EQ(CellOfSlot(16), (GridCell{2, 1}));
    EXPECT_EQ(CellOfSlot(31), (GridCell{3, 1}));
    EXPECT_EQ(CellOfSlot(60), (GridCell{4, 15}));
    for (int slot = 1; slot <= kTitleSlots; ++slot) EXPECT_EQ(SlotOfCell(CellOfSlot(slot)), slot);
    EXPECT_EQ(SlotOfCell({0, 3}), 0);   // fixed column
    EXPECT_EQ(SlotOfCell({2, 0}), 0);   // fixed row
    EXPECT_EQ(SlotOfCell({5, 1}), 0);   // beyond the last column
    EXPECT_EQ(SlotOfCell({1, 16}), 0);  // beyond the last row
    EXPECT_EQ(kTitleGridColumnWidths, (std::array<int, 5>{50, 140, 140, 140, 140}));
    EXPECT_EQ(TitleFilePath("/w", 1), "/w/cldata/kamoku1.dat");
    EXPECT_EQ(TitleFilePath("/w", 2), "/w/cldata/kamoku2.dat");
}

TEST(TitleGrid, TypedTitlesKeepTheirFirstSixteenBytes) {
    EXPECT_EQ(CutTitle("一二三四五六七八九"), "一二三四五六七八");
    EXPECT_EQ(CutTitle("ABCDEFGHIJKLMNOPQR"), "ABCDEFGHIJKLMNOP");
    // A full-width character that would straddle byte 16 is left out whole.
    EXPECT_EQ(CutTitle("ABCDEFGHIJKLMNOあ"), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(CutTitle("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁ"), "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀ");  // half-width kana: 1 byte
    EXPECT_EQ(CutTitle("交通費"), "交通費");
}

TEST(TitleMasterDialog, ThreeLinesBecomeSixtyWithFiftySevenEmpty) {
    TempFolder folder;
    const std::string path = folder.File("kamoku1.dat");
    WriteCp932(path, "交通費\n\n消耗品費\n");
    ScriptedDialogs dialogs;
    TitleMaster master(path, TitleMasterMode::Edit, dialogs);
    EXPECT_EQ(master.Heading(), "科目設定");
    EXPECT_TRUE(master.HasUpdateButton());
    EXPECT_EQ(master.Path(), path);
    EXPECT_FALSE(master.Selection().has_value());
    EXPECT_EQ(master.CellText({1, 1}), "交通費");
    EXPECT_EQ(master.CellText({1, 3}), "消耗品費");
    EXPECT_EQ(master.CellText({0, 1}), "");

    DiskFileWriter writer;
    ASSERT_TRUE(master.Update(writer));
    std::vector<std::string> expected(60);
    expected[0] = "交通費";
    expected[2] = "消耗品費";
    EXPECT_EQ(ReadBytes(path), Cp932Lines(expected));
    EXPECT_EQ(dialogs.Infos(), (std::vector<std::string>{"確認|科目設定を更新しました。"}));
}

TEST(TitleMasterDialog, LinesBeyondSixtyAreDroppedAndAMissingFileIsCreated) {
    TempFolder folder;
    std::vector<std::string> lines;
    for (int i = 1; i <= 62; ++i) lines.push_back("科目" + std::to_string(i));
    WriteBytes(folder.File("long.dat"), Cp932Lines(lines));
    ScriptedDialogs dialogs;
    DiskFileWriter writer;
    TitleMaster longer(folder.File("long.dat"), TitleMasterMode::Edit, dialogs);
    EXPECT_EQ(longer.CellText({4, 15}), "科目60");
    ASSERT_TRUE(longer.Update(writer));
    lines.resize(60);
    EXPECT_EQ(ReadBytes(folder.File("long.dat")), Cp932Lines(lines));

    TitleMaster missing(folder.File("none.dat"), TitleMasterMode::Edit, dialogs);
    for (const auto& slot : missing.Slots()) EXPECT_EQ(slot, "");
    ASSERT_TRUE(missing.Update(writer));
    EXPECT_EQ(ReadBytes(folder.File("none.dat")), Cp932Lines(std::vector<std::string>(60)));
}

TEST(TitleMasterDialog, PickModeSetsTheAccountFilterFromTheCell) {
    TempFolder folder;
    std::vector<std::string> lines(16);
    lines[0] = "売上";
    lines[15] = "旅費交通費";
    WriteBytes(folder.File("k.dat"), Cp932Lines(lines));
    ScriptedDialogs dialogs;
    TitleMaster master(folder.File("k.dat"), TitleMasterMode::Pick, dialogs);
    EXPECT_EQ(master.Heading(), "科目検索");
    EXPECT_FALSE(master.HasUpdateButton());

    std::string filter = "売上";
    EXPECT_EQ(master.DoubleClick({2, 1}, filter), CellAction::Picked);
    EXPECT_EQ(filter, "旅費交通費");  // slot 16: column 2, row 1
    EXPECT_EQ(master.DoubleClick({3, 4}, filter), CellAction::Picked);
    EXPECT_EQ(filter, "");  // an empty slot means no filter
    EXPECT_TRUE(dialogs.events.empty());
}

TEST(TitleMasterDialog, FixedHeadersBeepAndSelectTheNearestSlot) {
    TempFolder folder;
    WriteCp932(folder.File("k.dat"), "売上\n");
    ScriptedDialogs dialogs;
    TitleMaster master(folder.File("k.dat"), TitleMasterMode::Pick, dialogs);
    std::string filter = "売上";
    EXPECT_EQ(master.DoubleClick({3, 0}, filter), CellAction::Reselected);
    EXPECT_EQ(master.Selection(), (GridCell{3, 1}));
    EXPECT_EQ(master.DoubleClick({0, 7}, filter), CellAction::Reselected);
    EXPECT_EQ(master.Selection(), (GridCell{1, 7}));
    EXPECT_EQ(master.DoubleClick({0, 0}, filter), CellAction::Reselected);
    EXPECT_EQ(master.Selection(), (GridCell{1, 1}));
    EXPECT_EQ(filter, "売上");  // a header never picks
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep:|", "beep:|", "beep:|"}));
}

// A refused title brings the edit box back with what was typed, for the user to put right.
TEST(TitleMasterDialog, EditedTitlesLoseCommasAndQuotesAndRefusalsSayWhyAndKeepTheText) {
    TempFolder folder;
    WriteCp932(folder.File("k.dat"), "売上\n");
    ScriptedDialogs dialogs;
    TitleMaster master(folder.File("k.dat"), TitleMasterMode::Edit, dialogs);
    std::string filter = "unchanged";
    dialogs.textAnswers = {std::string("一二三四五六七八九"),
                           std::string("一二三四五六七八"),
                           std::nullopt,
                           std::string("交通費\U0001F68C"),
                           std::nullopt,
                           std::string("売上"),
                           std::string("ほん,ざっし\"x")};
    EXPECT_EQ(master.DoubleClick({1, 1}, filter), CellAction::Edited);
    EXPECT_EQ(master.Slots()[0], "一二三四五六七八");
    EXPECT_EQ(master.DoubleClick({2, 1}, filter), CellAction::Unchanged);  // cancelled
    EXPECT_EQ(master.Slots()[15], "");
    EXPECT_EQ(master.DoubleClick({1, 1}, filter), CellAction::Unchanged);  // refused, cancelled
    EXPECT_EQ(master.Slots()[0], "一二三四五六七八");
    // Another slot's title, then a title as a record can hold it.
    master.SetTitle(1, "売上");
    EXPECT_EQ(master.DoubleClick({1, 2}, filter), CellAction::Edited);
    EXPECT_EQ(master.Slots()[1], "ほんざっしx");
    EXPECT_EQ(filter, "unchanged");
    const std::string box = "text:現金出納帳5-Velmora Version5|科目登録(全角8文字以内)|";
    EXPECT_EQ(dialogs.Log(),
              (std::vector<std::string>{
                  box + "売上",
                  "info:確認してください。|科目は全角8文字（半角16文字）までです。",
                  box + "一二三四五六七八",
                  box,
                  box + "一二三四五六七八",
                  "info:確認してください。|「\U0001F68C」はCP932(Shift_JIS)で保存できない文字です",
                  box + "交通費\U0001F68C",
                  box,
                  "info:確認してください。|「売上」はすでに登録されています。",
                  box + "売上",
              }));
    // A line break would push every later slot down a line of the file.
    EXPECT_TRUE(master.SetTitle(3, "雑\r\n費"));
    EXPECT_EQ(master.Slots()[2], "雑費");
    EXPECT_TRUE(master.SetTitle(4, "会費\t¥"));
    EXPECT_EQ(master.Slots()[3], "会費 ￥");
    EXPECT_FALSE(master.SetTitle(61, "範囲外"));
    bool cut = false;
    EXPECT_EQ(TitleAsTyped("\"本\",雑誌", &cut), "本雑誌");
    EXPECT_FALSE(cut);
    EXPECT_EQ(TitleAsTyped("ABCDEFGHIJKLMNOPQ", &cut), "ABCDEFGHIJKLMNOP");
    EXPECT_TRUE(cut);
}

// The commands of 科目設定 on a household's titles; each slot remembers where its title
// came from, so that its quick descriptions and records can follow it.
TEST(TitleMasterDialog, CommandsAddInsertMoveAndDeleteWithTheirChecks) {
    TempFolder folder;
    WriteCp932(folder.File("k.dat"), "おこづかい\n食費\n\n書籍\n");
    ScriptedDialogs dialogs;
    std::map<std::string, int> records = {{"食費", 12}, {"書籍", 3}};
    TitleMaster master(folder.File("k.dat"), TitleMasterMode::Edit, dialogs,
                       [&records](const std::string& title) { return records[title]; });
    auto slots = [&master] {
        std::string shown;
        for (int n = 1; n <= 6; ++n)
            shown += master.Slots()[static_cast<std::size_t>(n - 1)] + ":" +
                     std::to_string(master.Origins()[static_cast<std::size_t>(n - 1)]) + " ";
        return shown;
    };
    std::string filter;
    EXPECT_FALSE(master.Modified());
    EXPECT_TRUE(master.MayCancel());
    // Nothing selected: each command asks for a slot.
    EXPECT_FALSE(master.MoveUp());
    EXPECT_EQ(dialogs.Infos(),
              (std::vector<std::string>{"確認してください。|科目の欄を選択してください。"}));

    dialogs.Clear();
    dialogs.textAnswers = {std::string("交通費"), std::string("日用品")};
    EXPECT_TRUE(master.Add());  // the first empty slot
    EXPECT_EQ(master.Selection(), (GridCell{1, 3}));
    master.Select({1, 2});
    EXPECT_TRUE(master.Insert());  // into slot 2; 食費 and 交通費 move down to the gap
    EXPECT_EQ(slots(), "おこづかい:1 日用品:0 食費:2 交通費:3 書籍:4 :6 ");
    EXPECT_TRUE(master.MoveDown());  // 日用品 after 食費
    EXPECT_EQ(master.Selection(), (GridCell{1, 3}));
    master.Select({1, 1});
    EXPECT_FALSE(master.MoveUp());  // slot 1: a beep
    master.Select({1, 5});
    dialogs.yesNoAnswers = {false, true};
    EXPECT_FALSE(master.Delete());  // 書籍: No
    EXPECT_TRUE(master.Delete());
    EXPECT_EQ(slots(), "おこづかい:1 食費:2 日用品:0 交通費:3 :0 :6 ");
    const std::string question = "yesno:現金出納帳5-Velmora Version5|";
    EXPECT_EQ(dialogs.Log(),
              (std::vector<std::string>{
                  "text:現金出納帳5-Velmora Version5|科目登録(全角8文字以内)|",
                  "text:現金出納帳5-Velmora Version5|科目登録(全角8文字以内)|",
                  "beep:|",
                  question + "「書籍」は 3 件のデータで使われています。\r\n"
                             "削除すると科目の一覧から選べなくなります。削除していいですか？",
                  question + "「書籍」は 3 件のデータで使われています。\r\n"
                             "削除すると科目の一覧から選べなくなります。削除していいですか？",
              }));

    // Renaming 食費 in its new slot is a rename of the title, whatever slot it is in.
    dialogs.Clear();
    dialogs.textAnswers = {std::string("食料品")};
    EXPECT_EQ(master.DoubleClick({1, 2}, filter), CellAction::Edited);
    ASSERT_EQ(master.Renames().size(), 1u);
    EXPECT_EQ(master.Renames()[0].from, "食費");
    EXPECT_EQ(master.Renames()[0].to, "食料品");
    // A title typed away to nothing is a deletion, asked like one.
    dialogs.textAnswers = {std::string("")};
    dialogs.yesNoAnswers = {true};
    EXPECT_EQ(master.DoubleClick({1, 3}, filter), CellAction::Edited);
    EXPECT_EQ(dialogs.Log().back(), question + "「日用品」を削除していいですか？");
    EXPECT_EQ(slots(), "おこづかい:1 食料品:2 :0 交通費:3 :0 :6 ");

    // No room left below the selection: nothing is inserted.
    for (int n = 7; n <= kTitleSlots; ++n) master.SetTitle(n, "科目" + std::to_string(n));
    master.SetTitle(6, "科目6");
    master.SetTitle(5, "科目5");
    master.SetTitle(3, "科目3");
    master.Select(CellOfSlot(4));
    dialogs.Clear();
    EXPECT_FALSE(master.Insert());
    EXPECT_FALSE(master.Add());
    EXPECT_EQ(dialogs.Infos(),
              (std::vector<std::string>{
                  "確認してください。|この欄より後に空いている欄がないため挿入できません。",
                  "確認してください。|空いている欄がありません。"}));

    // キャンセル asks now; No keeps the dialog open.
    dialogs.Clear();
    dialogs.yesNoAnswers = {false, true};
    EXPECT_TRUE(master.Modified());
    EXPECT_FALSE(master.MayCancel());
    EXPECT_TRUE(master.MayCancel());
    EXPECT_EQ(dialogs.Log(),
              (std::vector<std::string>(2, question + "変更した科目設定を保存せずに閉じますか？")));
}

TEST(TitleMasterDialog, AFailedWriteIsReportedAndLeavesTheFile) {
    TempFolder folder;
    WriteCp932(folder.File("k.dat"), "売上\n");
    const std::string before = ReadBytes(folder.File("k.dat"));
    ScriptedDialogs dialogs;
    TitleMaster master(folder.File("k.dat"), TitleMasterMode::Edit, dialogs);
    ASSERT_TRUE(master.SetTitle(1, "仕入"));
    FailingWriter failing;
    EXPECT_FALSE(master.Update(failing));
    EXPECT_EQ(dialogs.Infos(),
              (std::vector<std::string>{"確認|ディスクがいっぱいです: " + folder.File("k.dat")}));
    EXPECT_EQ(ReadBytes(folder.File("k.dat")), before);
}

TEST(TitleLists, HoldEveryLineSoThatItemNMinusOneIsSlotN) {
    TempFolder work;
    std::vector<std::string> lines(16);
    lines[0] = "売上";
    lines[15] = "旅費交通費";
    std::filesystem::create_directories(work.File("cldata"));
    WriteBytes(work.File("cldata/kamoku1.dat"), Cp932Lines(lines));
    ScriptedDialogs dialogs;
    std::vector<std::string> list = ReloadTitleList(work.Path(), 1, dialogs);
    EXPECT_EQ(list, lines);
    EXPECT_EQ(list[static_cast<std::size_t>(TitleItemOfSlot(16))], "旅費交通費");
    EXPECT_EQ(SlotOfTitleItem(15), 16);
    // The other use type has its own file, here missing.
    EXPECT_TRUE(ReloadTitleList(work.Path(), 2, dialogs).empty());
    EXPECT_TRUE(dialogs.events.empty());

    // Neither CP932 nor UTF-8: the line is an empty slot in its place, reported once.
    WriteBytes(work.File("cldata/kamoku2.dat"), "\x81\x20\xff\r\n");
    EXPECT_EQ(ReloadTitleList(work.Path(), 2, dialogs), std::vector<std::string>{""});
    EXPECT_EQ(dialogs.Infos(),
              std::vector<std::string>{
                  "確認|" + work.File("cldata/kamoku2.dat") +
                  "の1行目は文字コードがCP932(Shift_JIS)でもUTF-8でもないので読み飛ばしました。"});
}

}  // namespace
}  // namespace velmora
