#pragma once
// The holiday marks of the calendars: month and day without a year, one per line of
// "config/SDAYLIST.DAT" ("05,03," for May 3; only the first two fields are read).
#include <string>
#include <vector>

#include "core/session/session.h"
#include "core/util/date.h"

namespace velmora {

inline constexpr const char* kHolidayFileName = "config/SDAYLIST.DAT";

class HolidayList {
public:
    HolidayList() = default;
    explicit HolidayList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    const std::vector<std::string>& Lines() const { return lines_; }
    // The days listed for month, as written (a day the month lacks included).
    std::vector<int> DaysOf(int month) const;
    bool Contains(int month, int day) const;

    // The indexes of the lines that mark month and day.
    std::vector<std::size_t> LinesOf(int month, int day) const;
    void RemoveLine(std::size_t index);
    // Appends "MM,DD,".
    void Add(int month, int day);

private:
    std::vector<std::string> lines_;
};

std::string HolidayFilePath(const std::string& workingFolder);

// The list of the file; a missing file is an empty list.
// A line that cannot be decoded, or a file too large to be real, is told in *problem
// (when given) and read as ReadStartFile reads it.
HolidayList ReadHolidayList(const std::string& path, std::string* problem = nullptr);

// The list of the working folder at start; what could not be read is reported.
HolidayList LoadHolidays(Session& session);

// Shift+click on a day: a listed day is offered back as a weekday (each matching line in
// turn until one is removed), an unlisted day as a holiday. The file is rewritten in
// every case. True when the list changed.
bool ToggleHoliday(Session& session, HolidayList& holidays, Date day);

}  // namespace velmora
