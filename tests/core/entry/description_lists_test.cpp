#include "core/entry/description_lists.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/util/codepage.h"
#include "core/util/errors.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

using testing::ReadBytes;
using testing::ScriptedDialogs;
using testing::TempFolder;
using testing::WriteCp932;
using Lines = std::vector<std::string>;

class FailingWriter final : public FileWriter {
public:
    void WriteAtomic(const std::string& path, std::string_view) override {
        throw FileError("ディスクがいっぱいです: " + path);
    }
    void Remove(const std::string&) override {}
};

std::string Cp932Lines(const Lines& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += Utf8ToCp932(line) + "\r\n";
    return bytes;
}

struct EntrySession {
    EntrySession() { std::filesystem::create_directories(work.File("cldata")); }
    TempFolder work;
    ScriptedDialogs dialogs;
    FixedClock clock{Date::FromYmd(2014, 4, 10)};
    DiskFileWriter disk;
    Session session{SessionServices{dialogs, clock, disk, work.Path(), ""}};
};

TEST(DescriptionLists, FilesBelongToSlotsAndTabs) {
    EXPECT_EQ(DescriptionFileName(16, 1), "tekiya16.dat");
    EXPECT_EQ(DescriptionFileName(3, 2), "tekiyb3.dat");
    EXPECT_EQ(DescriptionFilePath("/w", EntryTab::Titles, 15, 1), "/w/cldata/tekiya16.dat");
    EXPECT_EQ(DescriptionFilePath("/w", EntryTab::Titles, 0, 2), "/w/cldata/tekiyb1.dat");
    EXPECT_EQ(DescriptionFilePath("/w", EntryTab::PettyCash, 4, 1), "/w/cldata/cash_note.dat");
    EXPECT_EQ(DescriptionFilePath("/w", EntryTab::Bank, 0, 2), "/w/cldata/bank_note.dat");

    EXPECT_EQ(DescriptionCellIndex(1, 0), 0);
    EXPECT_EQ(DescriptionCellIndex(1, 11), 11);
    EXPECT_EQ(DescriptionCellIndex(2, 0), 12);
    EXPECT_EQ(DescriptionCellIndex(3, 11), 35);
    EXPECT_EQ(DescriptionCellIndex(0, 3), -1);  // the hidden column
    EXPECT_EQ(DescriptionCellIndex(4, 0), -1);
    EXPECT_EQ(DescriptionCellIndex(1, 12), -1);
}

TEST(DescriptionLists, ReadAsThirtySixCellsWrittenAsThirtyEightLines) {
    TempFolder folder;
    WriteCp932(folder.File("short.dat"), "バス代\n\n電車代\n");
    DescriptionCells cells = ReadDescriptionList(folder.File("short.dat"));
    EXPECT_EQ(cells[0], "バス代");
    EXPECT_EQ(cells[1], "");
    EXPECT_EQ(cells[2], "電車代");
    for (std::size_t i = 3; i < cells.size(); ++i) EXPECT_EQ(cells[i], "");

    Lines forty;
    for (int i = 1; i <= 40; ++i) forty.push_back("摘要" + std::to_string(i));
    testing::WriteBytes(folder.File("long.dat"), Cp932Lines(forty));
    DescriptionCells longCells = ReadDescriptionList(folder.File("long.dat"));
    EXPECT_EQ(longCells[12], "摘要13");  // column 2, row 0
    EXPECT_EQ(longCells[35], "摘要36");

    DiskFileWriter writer;
    WriteDescriptionList(folder.File("long.dat"), longCells, writer);
    Lines expected(forty.begin(), forty.begin() + 36);
    expected.resize(38);
    EXPECT_EQ(ReadBytes(folder.File("long.dat")), Cp932Lines(expected));

    DescriptionCells none = ReadDescriptionList(folder.File("missing.dat"));
    for (const auto& cell : none) EXPECT_EQ(cell, "");
}

TEST(DescriptionLists, RegistrationRewritesTheTabsFileAtOnce) {
    EntrySession e;
    WriteCp932(e.work.File("cldata/tekiya16.dat"), "バス代\n電車代\n");
    DescriptionCells cells = LoadDescriptionCells(e.session, EntryTab::Titles, 15);
    EXPECT_EQ(cells[1], "電車代");
    e.dialogs.textAnswers = {std::string("タクシー代")};
    ASSERT_TRUE(
        RegisterDescription(e.session, EntryTab::Titles, 15, cells, DescriptionCellIndex(2, 0)));
    EXPECT_EQ(cells[12], "タクシー代");
    Lines expected(38);
    expected[0] = "バス代";
    expected[1] = "電車代";
    expected[12] = "タクシー代";
    EXPECT_EQ(ReadBytes(e.work.File("cldata/tekiya16.dat")), Cp932Lines(expected));
    EXPECT_EQ(e.dialogs.Log(), (Lines{"text:現金出納帳5-Velmora Version5|摘要登録|"}));
    e.dialogs.textAnswers = {std::string("4月〜5月\t定期")};
    ASSERT_TRUE(
        RegisterDescription(e.session, EntryTab::Titles, 15, cells, DescriptionCellIndex(2, 1)));
    EXPECT_EQ(cells[13], "4月～5月 定期");

    // The allowance book names its window after itself and keeps its own files; the
    // petty-cash tab has one file whichever book is picked.
    e.dialogs.Clear();
    e.session.ledger.useType = 2;
    DescriptionCells petty = LoadDescriptionCells(e.session, EntryTab::PettyCash, 1);
    e.dialogs.textAnswers = {std::string("小口へ補充")};
    ASSERT_TRUE(RegisterDescription(e.session, EntryTab::PettyCash, 1, petty, 0));
    EXPECT_EQ(e.dialogs.Log(), (Lines{"text:おこづかい帳5-Velmora Version5|摘要登録|"}));
    Lines pettyLines(38);
    pettyLines[0] = "小口へ補充";
    EXPECT_EQ(ReadBytes(e.work.File("cldata/cash_note.dat")), Cp932Lines(pettyLines));
    EXPECT_FALSE(std::filesystem::exists(e.work.File("cldata/tekiyb2.dat")));
}

TEST(DescriptionLists, RegistrationNeedsASelectionAndTextTheFileCanHold) {
    EntrySession e;
    DescriptionCells cells;
    cells[0] = "バス代";
    EXPECT_FALSE(RegisterDescription(e.session, EntryTab::Titles, -1, cells, 0));
    EXPECT_FALSE(RegisterDescription(e.session, EntryTab::Bank, 0, cells, -1));  // hidden column
    e.dialogs.textAnswers = {std::nullopt, std::string("\U0001F68C代"), std::string("始発\nバス")};
    EXPECT_FALSE(RegisterDescription(e.session, EntryTab::Bank, 0, cells, 0));  // cancelled
    EXPECT_FALSE(RegisterDescription(e.session, EntryTab::Bank, 0, cells, 0));  // refused
    EXPECT_EQ(cells[0], "バス代");
    EXPECT_FALSE(std::filesystem::exists(e.work.File("cldata/bank_note.dat")));
    EXPECT_EQ(
        e.dialogs.Log(),
        (Lines{"info:確認してください。|科目を選択してください", "beep:|",
               "text:現金出納帳5-Velmora Version5|摘要登録|バス代",
               "text:現金出納帳5-Velmora Version5|摘要登録|バス代",
               "info:確認してください。|「\U0001F68C」はCP932(Shift_JIS)で保存できない文字です"}));
    // A line break would move every later cell of the file down a line.
    ASSERT_TRUE(RegisterDescription(e.session, EntryTab::Bank, 0, cells, 0));
    EXPECT_EQ(cells[0], "始発バス");
}

TEST(DescriptionLists, AFailedWriteKeepsTheCellAsTheFileHasIt) {
    TempFolder work;
    std::filesystem::create_directories(work.File("cldata"));
    WriteCp932(work.File("cldata/tekiya1.dat"), "バス代\n");
    const std::string before = ReadBytes(work.File("cldata/tekiya1.dat"));
    ScriptedDialogs dialogs;
    FixedClock clock(Date::FromYmd(2014, 4, 10));
    FailingWriter failing;
    Session session(SessionServices{dialogs, clock, failing, work.Path(), ""});
    DescriptionCells cells = LoadDescriptionCells(session, EntryTab::Titles, 0);
    dialogs.textAnswers = {std::string("電車代")};
    EXPECT_FALSE(RegisterDescription(session, EntryTab::Titles, 0, cells, 0));
    EXPECT_EQ(cells[0], "バス代");
    EXPECT_EQ(ReadBytes(work.File("cldata/tekiya1.dat")), before);
    EXPECT_EQ(dialogs.Infos(),
              (Lines{"確認|ディスクがいっぱいです: " + work.File("cldata/tekiya1.dat")}));

    // A line of bytes that are neither CP932 nor UTF-8 is reported and shows an empty cell.
    testing::WriteBytes(work.File("cldata/tekiya2.dat"),
                        "\x81\x20\xff\r\n" + Utf8ToCp932("切手\r\n"));
    dialogs.Clear();
    DescriptionCells unreadable = LoadDescriptionCells(session, EntryTab::Titles, 1);
    EXPECT_EQ(unreadable[0], "");
    EXPECT_EQ(unreadable[1], "切手");
    EXPECT_EQ(
        dialogs.Infos(),
        (Lines{"確認|" + work.File("cldata/tekiya2.dat") +
               "の1行目は文字コードがCP932(Shift_JIS)でもUTF-8でもないので読み飛ばしました。"}));
    // Nothing selected: nothing to load.
    EXPECT_EQ(LoadDescriptionCells(session, EntryTab::Titles, -1)[0], "");
}

}  // namespace
}  // namespace velmora
