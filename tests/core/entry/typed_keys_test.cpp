// Dates typed into a date field and titles chosen by typing.
#include <gtest/gtest.h>

#include "core/entry/type_ahead.h"
#include "core/entry/typed_date.h"

namespace velmora::testing {
namespace {

TEST(TypedDate, WholeShortAndDayOnly) {
    const Date shown = Date::FromYmd(2024, 5, 10);
    auto typed = [&](std::string_view text) {
        const auto d = ParseTypedDate(text, shown);
        return d ? d->ShortText() : std::string("none");
    };
    EXPECT_EQ(typed("2024/05/22"), "2024/05/22");
    EXPECT_EQ(typed("2025/1/3"), "2025/01/03");
    EXPECT_EQ(typed("5/22"), "2024/05/22");
    EXPECT_EQ(typed("12/31"), "2024/12/31");
    EXPECT_EQ(typed("22"), "2024/05/22");
    EXPECT_EQ(typed(" ２０２４／０６／０１ "), "2024/06/01");
    EXPECT_EQ(typed("２２"), "2024/05/22");
    EXPECT_EQ(typed("2/30"), "none");
    EXPECT_EQ(typed("5/32"), "none");
    EXPECT_EQ(typed("24/05/22"), "none");
    EXPECT_EQ(typed("2024//22"), "none");
    EXPECT_EQ(typed(""), "none");
    EXPECT_EQ(typed("1/2/3/4"), "none");
    EXPECT_EQ(typed("x"), "none");

    // Without a year typed, the date falls in the ledger's year (April to March here).
    const DaySpan year{Date::FromYmd(2024, 4, 1), Date::FromYmd(2025, 3, 31)};
    const Date december = Date::FromYmd(2024, 12, 10);
    EXPECT_EQ(ParseTypedDate("1/15", december, year)->ShortText(), "2025/01/15");
    EXPECT_EQ(ParseTypedDate("4/1", Date::FromYmd(2025, 2, 1), year)->ShortText(), "2024/04/01");
    EXPECT_EQ(ParseTypedDate("12/31", december, year)->ShortText(), "2024/12/31");
    EXPECT_EQ(ParseTypedDate("2024/01/15", december, year)->ShortText(), "2024/01/15");
    EXPECT_EQ(ParseTypedDate("15", Date::FromYmd(2025, 1, 10), year)->ShortText(), "2025/01/15");

    const Date jan31 = Date::FromYmd(2024, 1, 31);
    EXPECT_EQ(StepDate(jan31, DateStep::NextDay).ShortText(), "2024/02/01");
    EXPECT_EQ(StepDate(jan31, DateStep::PreviousDay).ShortText(), "2024/01/30");
    EXPECT_EQ(StepDate(jan31, DateStep::NextMonth).ShortText(), "2024/02/29");
    EXPECT_EQ(StepDate(jan31, DateStep::PreviousMonth).ShortText(), "2023/12/31");
    EXPECT_EQ(StepDate(jan31, DateStep::NextWeek).ShortText(), "2024/02/07");
    EXPECT_EQ(StepDate(jan31, DateStep::PreviousWeek).ShortText(), "2024/01/24");
}

TEST(TypeAhead, FirstCharactersAndNumbers) {
    const std::vector<std::string> titles = {"売上",   "雑収入",   "",        "旅費交通費",
                                             "通信費", "旅行積立", "Bank fee"};
    EXPECT_EQ(TypeAheadItem(titles, "旅", -1, false), 3);
    // Typed again from there: the next title that begins so, wrapping round.
    EXPECT_EQ(TypeAheadItem(titles, "旅", 3, false), 5);
    EXPECT_EQ(TypeAheadItem(titles, "旅", 5, false), 3);
    // Typing on keeps the item while it still matches.
    EXPECT_EQ(TypeAheadItem(titles, "旅費", 3, true), 3);
    EXPECT_EQ(TypeAheadItem(titles, "旅行", 3, true), 5);
    EXPECT_EQ(TypeAheadItem(titles, "bank", 0, false), 6);
    EXPECT_EQ(TypeAheadItem(titles, "電車", 0, false), -1);
    // The title's number: item n - 1; an empty slot is no title.
    EXPECT_EQ(TypeAheadItem(titles, "5", 0, false), 4);
    EXPECT_EQ(TypeAheadItem(titles, "５", 0, false), 4);
    EXPECT_EQ(TypeAheadItem(titles, "3", 0, false), -1);
    EXPECT_EQ(TypeAheadItem(titles, "8", 0, false), -1);
    EXPECT_EQ(TypeAheadItem(titles, "", 0, false), -1);
}

}  // namespace
}  // namespace velmora::testing
