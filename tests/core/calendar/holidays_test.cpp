// Holiday marks: reading the list, and Shift+click toggling with the file rewritten.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/calendar/holidays.h"
#include "core/ledgerview/view_fixture.h"
#include "core/platform/file_io.h"
#include "core/util/paths.h"

namespace velmora::testing {
namespace {

class HolidayToggle : public ::testing::Test {
protected:
    HolidayToggle() { CreateConfigFolder(); }
    void CreateConfigFolder() { std::filesystem::create_directories(f.home.File("config")); }
    std::string FilePath() const { return HolidayFilePath(f.home.Path()); }
    ViewFixture f;
};

TEST_F(HolidayToggle, AnUnlistedDayIsOfferedAsAHoliday) {
    // No file: no holidays; the first toggle creates the file.
    HolidayList list = LoadHolidays(f.session);
    EXPECT_TRUE(list.Lines().empty());
    EXPECT_TRUE(ToggleHoliday(f.session, list, Date::FromYmd(2014, 5, 3)));
    EXPECT_EQ(f.dialogs.Log(),
              (std::vector<std::string>{
                  "yesno:現金出納帳5-Velmora Version5|5月3日を休日として再設定しますか？"}));
    EXPECT_EQ(ReadBytes(FilePath()), "05,03,\r\n");
    EXPECT_TRUE(list.Contains(5, 3));

    f.dialogs.Clear();
    f.dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(ToggleHoliday(f.session, list, Date::FromYmd(2014, 11, 23)));
    EXPECT_EQ(f.dialogs.Log(),
              (std::vector<std::string>{
                  "yesno:現金出納帳5-Velmora Version5|11月23日を休日として再設定しますか？"}));
    EXPECT_EQ(ReadBytes(FilePath()), "05,03,\r\n");
}

TEST_F(HolidayToggle, AListedDayIsOfferedBackAsAWeekdayLineByLine) {
    // Lines written by hand, unpadded and with more fields, count as well.
    WriteCp932(FilePath(), "12,25,\n5,3,憲法記念日,\n01,01,\n05,03,\n");
    HolidayList list = LoadHolidays(f.session);
    EXPECT_EQ(list.DaysOf(5), (std::vector<int>{3, 3}));
    f.dialogs.yesNoAnswers = {false, true};
    EXPECT_TRUE(ToggleHoliday(f.session, list, Date::FromYmd(2020, 5, 3)));
    EXPECT_EQ(f.dialogs.Log(),
              (std::vector<std::string>{
                  "yesno:現金出納帳5-Velmora Version5|5月3日を平日として再設定しますか？",
                  "yesno:現金出納帳5-Velmora Version5|5月3日を平日として再設定しますか？"}));
    TempFolder want;
    WriteCp932(want.File("w"), "12,25,\n5,3,憲法記念日,\n01,01,\n");
    EXPECT_EQ(ReadBytes(FilePath()), ReadBytes(want.File("w")));

    // Answering No to every line changes nothing, but the file is written again.
    f.dialogs.Clear();
    f.dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(ToggleHoliday(f.session, list, Date::FromYmd(2020, 12, 25)));
    EXPECT_EQ(f.dialogs.Log().size(), 1u);
    EXPECT_EQ(ReadBytes(FilePath()), ReadBytes(want.File("w")));
    WriteBytes(FilePath(), "12,25\n");
    HolidayList lf = LoadHolidays(f.session);
    f.dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(ToggleHoliday(f.session, lf, Date::FromYmd(2020, 12, 25)));
    EXPECT_EQ(ReadBytes(FilePath()), "12,25\r\n");
    WriteCp932(FilePath(), "12,25,\n5,3,憲法記念日,\n01,01,\n");

    f.dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(ToggleHoliday(f.session, list, Date::FromYmd(2020, 12, 25)));
    WriteCp932(want.File("w2"), "5,3,憲法記念日,\n01,01,\n");
    EXPECT_EQ(ReadBytes(FilePath()), ReadBytes(want.File("w2")));
}

TEST_F(HolidayToggle, AnUnwritableFileIsReported) {
    std::filesystem::create_directories(FilePath());  // a folder where the file goes
    HolidayList list;
    EXPECT_TRUE(ToggleHoliday(f.session, list, Date::FromYmd(2014, 1, 1)));
    auto infos = f.dialogs.Infos();
    ASSERT_EQ(infos.size(), 1u);
    EXPECT_EQ(infos[0].rfind("確認|", 0), 0u) << infos[0];
}

}  // namespace
}  // namespace velmora::testing
