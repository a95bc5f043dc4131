#include "core/print/option_file.h"

#include <gtest/gtest.h>

#include "core/platform/file_io.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

using testing::TempFolder;

constexpr std::array<int, 4> kLedgerItems{3, 2, 2, 4};

TEST(OptionFileTest, ReadingKeepsWhatIsMissingAndDefaultsWhatIsUnreadable) {
    PrintOptionValues values{{2, 1, 1, 3}, 120};
    ApplyOptionLines({"[Paper_Sel]=1", "[Kamoku_Sel]= 0 ", "[Other]=7", "no key line"},
                     kLedgerItems, values);
    EXPECT_EQ(values, (PrintOptionValues{{1, 1, 0, 3}, 120}));  // no "[TrackBar1]": unchanged

    ApplyOptionLines({"[TrackBar1]=", "[Font_Sel]=abc", "[Color_Sel]=4"}, kLedgerItems, values);
    EXPECT_EQ(values, (PrintOptionValues{{1, 0, 0, 0}, 50}));

    ApplyOptionLines({"[TrackBar1]=1", "[Paper_Sel]=3"}, kLedgerItems, values);
    EXPECT_EQ(values.zoom, 5);  // the track bar's least value
    EXPECT_EQ(values.choice.paper, 0);
    ApplyOptionLines({"[TrackBar1]=999"}, kLedgerItems, values);
    EXPECT_EQ(values.zoom, 200);

    TempFolder folder;
    PrintOptionValues untouched{{1, 1, 1, 1}, 75};
    ReadOptionFile(folder.File("none.conf"), kLedgerItems, untouched);
    EXPECT_EQ(untouched, (PrintOptionValues{{1, 1, 1, 1}, 75}));
}

TEST(OptionFileTest, WrittenInItsOrderAndReadBack) {
    TempFolder folder;
    const std::string path = folder.File("note1.conf");
    WriteOptionFile(path, {{2, 1, 0, 3}, 150}, DefaultFileWriter());
    EXPECT_EQ(testing::ReadBytes(path),
              "[Paper_Sel]=2\r\n[Font_Sel]=1\r\n[Kamoku_Sel]=0\r\n[Color_Sel]=3\r\n"
              "[TrackBar1]=150\r\n");
    PrintOptionValues read;
    ReadOptionFile(path, kLedgerItems, read);
    EXPECT_EQ(read, (PrintOptionValues{{2, 1, 0, 3}, 150}));
    EXPECT_EQ(OptionFilePath("/w", 3), "/w/config/note2.conf");
    EXPECT_EQ(OptionFilePath("/w", 5), "/w/config/table1.conf");
    EXPECT_EQ(OptionFilePath("/w", 1), "");
}

}  // namespace
}  // namespace velmora
