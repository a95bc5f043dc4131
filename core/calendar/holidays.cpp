#include "core/calendar/holidays.h"

#include <string_view>

#include "core/platform/file_io.h"
#include "core/platform/line_list.h"
#include "core/platform/start_files.h"
#include "core/util/fields.h"
#include "core/util/paths.h"

namespace velmora {
namespace {

struct MonthDay {
    long long month = 0;
    long long day = 0;
};

// Lines written by hand may lack the leading zeros; the numbers are what counts.
MonthDay MonthDayOf(const std::string& line) {
    std::vector<std::string_view> items;
    SplitCommaText(line, items);
    MonthDay md;
    if (!items.empty()) md.month = IntOr(items[0], 0);
    if (items.size() > 1) md.day = IntOr(items[1], 0);
    return md;
}

std::string TwoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

void WriteHolidays(Session& session, const HolidayList& holidays) {
    try {
        WriteTextLines(HolidayFilePath(session.workingFolder()), holidays.Lines(),
                       session.writer());
    } catch (const std::exception& error) {
        session.dialogs().ShowInfo("確認", error.what());
    }
}

}  // namespace

std::vector<int> HolidayList::DaysOf(int month) const {
    std::vector<int> days;
    for (const auto& line : lines_) {
        MonthDay md = MonthDayOf(line);
        if (md.month == month) days.push_back(static_cast<int>(md.day));
    }
    return days;
}

bool HolidayList::Contains(int month, int day) const {
    return !LinesOf(month, day).empty();
}

std::vector<std::size_t> HolidayList::LinesOf(int month, int day) const {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        MonthDay md = MonthDayOf(lines_[i]);
        if (md.month == month && md.day == day) found.push_back(i);
    }
    return found;
}

void HolidayList::RemoveLine(std::size_t index) {
    if (index < lines_.size()) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
}

void HolidayList::Add(int month, int day) {
    lines_.push_back(TwoDigits(month) + "," + TwoDigits(day) + ",");
}

std::string HolidayFilePath(const std::string& workingFolder) {
    return JoinPath(workingFolder, kHolidayFileName);
}

HolidayList ReadHolidayList(const std::string& path, std::string* problem) {
    StartFileLines read = ReadStartFile(path);
    if (problem != nullptr) *problem = std::move(read.problem);
    return HolidayList(std::move(read.lines));
}

HolidayList LoadHolidays(Session& session) {
    std::string problem;
    HolidayList holidays = ReadHolidayList(HolidayFilePath(session.workingFolder()), &problem);
    if (!problem.empty()) session.dialogs().ShowInfo("確認", problem);
    return holidays;
}

bool ToggleHoliday(Session& session, HolidayList& holidays, Date day) {
    const int m = day.Month();
    const int d = day.Day();
    const std::string prefix = std::to_string(m) + "月" + std::to_string(d) + "日";
    bool changed = false;
    const std::vector<std::size_t> matches = holidays.LinesOf(m, d);
    for (std::size_t index : matches) {
        if (session.dialogs().AskYesNo(kAppTitle, kAppTitle,
                                       prefix + "を平日として再設定しますか？")) {
            holidays.RemoveLine(index);
            changed = true;
            break;
        }
    }
    if (matches.empty() &&
        session.dialogs().AskYesNo(kAppTitle, kAppTitle, prefix + "を休日として再設定しますか？")) {
        holidays.Add(m, d);
        changed = true;
    }
    WriteHolidays(session, holidays);
    return changed;
}

}  // namespace velmora
