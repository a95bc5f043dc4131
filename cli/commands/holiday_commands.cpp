#include "cli/commands/holiday_commands.h"

#include <ostream>

#include "core/calendar/national_holidays.h"
#include "core/util/fields.h"

namespace velmora::cli {

int RunHolidays(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words, {}, {});
    args.ExpectAtMost(1);
    long long year = 0;
    // The years the calendars go to.
    if (!ParseInt(args.Required(0, "YEAR"), year) || year < 1900 || year > 2100)
        throw UsageError("YEAR takes a year from 1900 to 2100");
    for (const NationalHoliday& h : NationalHolidaysOf(static_cast<int>(year)))
        ctx.out << h.date.ShortText() << '\t' << h.name << '\n';
    return 0;
}

}  // namespace velmora::cli
