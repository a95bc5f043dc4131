#include "core/settings/placement.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform/file_io.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

TEST(Placement, FourLinesWrittenAndReadBack) {
    testing::TempFolder folder;
    std::filesystem::create_directory(folder.File("ini"));
    EXPECT_EQ(PlacementPath(folder.Path(), "velmora5"), folder.File("ini/velmora5.ini"));
    EXPECT_EQ(LoadPlacement(folder.Path(), "velmora5"), Placement{});

    const Placement p{.left = 20, .top = 15, .width = 1024, .height = -3};
    SavePlacement(folder.Path(), "velmora5", p, DefaultFileWriter());
    EXPECT_EQ(testing::ReadBytes(folder.File("ini/velmora5.ini")),
              "[Screen_Top]=15\r\n[Screen_Left]=20\r\n[Screen_Width]=1024\r\n"
              "[Screen_Height]=-3\r\n");
    EXPECT_EQ(LoadPlacement(folder.Path(), "velmora5"), p);
}

TEST(Placement, MissingOrZeroHeightGivesTheDefaultWindow) {
    testing::TempFolder folder;
    std::filesystem::create_directory(folder.File("ini"));
    const Placement defaults{.left = 10, .top = 10, .width = 938, .height = 708};
    EXPECT_EQ(MainWindowPlacement(LoadPlacement(folder.Path(), "velmora5")), defaults);

    testing::WriteCp932(folder.File("ini/velmora5.ini"), "[Screen_Height]=0\n");
    Placement loaded = LoadPlacement(folder.Path(), "velmora5");
    EXPECT_EQ(loaded, Placement{});
    EXPECT_EQ(MainWindowPlacement(loaded), defaults);

    testing::WriteCp932(folder.File("ini/velmora5.ini"),
                        "[Screen_Left]=abc\n[Screen_Top]=5\nstray\n[Other]=9\n[Screen_Height]=300\n"
                        "[Screen_Width]=400=1\n");
    loaded = LoadPlacement(folder.Path(), "velmora5");
    EXPECT_EQ(loaded, (Placement{.left = 0, .top = 5, .width = 0, .height = 300}));
    EXPECT_EQ(MainWindowPlacement(loaded), loaded);
}

}  // namespace
}  // namespace velmora
