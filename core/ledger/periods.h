#pragma once
// The twelve monthly periods of a fiscal year, indexed by calendar month 1..12, and the
// walk in fiscal order from the start month.
#include <array>
#include <string>

#include "core/util/date.h"

namespace velmora {

struct Periods {
    // Index 0 is unused so that slot k is period k.
    std::array<Date, 13> start{};
    std::array<Date, 13> end{};
    std::array<int, 13> lock{};

    // Period k from the first of month k to the day before the first of month k + 1 of
    // year (period 12 to 31 December); no locks.
    static Periods CalendarYear(int year);

    bool Contains(int k, Date date) const { return start[k] <= date && date <= end[k]; }
    bool IsLocked(int k) const { return k >= 1 && k <= 12 && lock[k] == 1; }

    // The first slot in slot order 1..12 whose period holds the date; 0 when none.
    int FirstSlotOf(Date date) const;
    // The last slot in slot order 1..12 whose period holds the date; 0 when none.
    int LastSlotOf(Date date) const;
};

// The last month of the fiscal year: 12 when it starts in January, else start month - 1.
inline int LastFiscalMonth(int startMonth) {
    return startMonth == 1 ? 12 : startMonth - 1;
}
// The calendar month at position i (0..11) of the fiscal year.
inline int FiscalMonthAt(int startMonth, int i) {
    return (startMonth - 1 + i) % 12 + 1;
}
// The position 1..12 of calendar month m in the fiscal year.
inline int FiscalPositionOf(int startMonth, int month) {
    return (month - startMonth + 12) % 12 + 1;
}

// The slot whose month-end balances a record of this date sets: the first period holding
// it, the start month for a date on or before the year's first day, the last month for one
// on or after its last day; 0 for a date in a gap between periods.
int BalanceSlot(const Periods& periods, int startMonth, Date date);

// The position 1..12, in fiscal order, of the first period holding the date; 13 when none.
int FiscalOrdinal(const Periods& periods, int startMonth, Date date);

// The month tag of field 0 of a record: "d01=" ... "d12=".
std::string MonthTag(int month);

// The month 1..12 of a month tag; 0 for anything else.
int MonthOfTag(std::string_view tag);

}  // namespace velmora
