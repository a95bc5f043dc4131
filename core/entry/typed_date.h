#pragma once
// A date typed into a date field: "2024/05/22", "5/22" or "22" give that date, the shown
// date's year and month filling in what was left out; full-width digits count as digits.
// The keys that step a date: + and − a day, PgUp and PgDn a month; on a calendar the arrow
// keys a day or a week.
#include <optional>
#include <string_view>

#include "core/util/date.h"

namespace velmora {

// Said when a typed text is no date; the field keeps it for correcting.
inline constexpr const char* kTypedDateRefusedHeading = "確認してください。";
inline constexpr const char* kTypedDateRefusedText =
    "存在しない日付です。「2024/05/22」「5/22」「22」のように入力して下さい。";

// The days of the ledger's year, from its first to its last day.
struct DaySpan {
    Date first;
    Date last;
};

// The date text means, read against shown; none when it is no date ("5/32", "x"). A month and
// day typed without a year fall in the ledger's year when one is given: "1/15" typed while
// 2024/12 is shown in an April–March year is 2025/01/15.
std::optional<Date> ParseTypedDate(std::string_view text, Date shown,
                                   std::optional<DaySpan> year = std::nullopt);

enum class DateStep { NextDay, PreviousDay, NextWeek, PreviousWeek, NextMonth, PreviousMonth };

// A month step keeps the day, or the month's last day when the month is shorter.
Date StepDate(Date date, DateStep step);

}  // namespace velmora
