#include "core/ledger/periods.h"

namespace velmora {

Periods Periods::CalendarYear(int year) {
    Periods p;
    for (int k = 1; k <= 12; ++k) {
        p.start[k] = Date::FromYmd(year, k, 1);
        p.end[k] = Date::FromYmd(year, k, DaysInMonth(year, k));
        p.lock[k] = 0;
    }
    return p;
}

int Periods::FirstSlotOf(Date date) const {
    for (int k = 1; k <= 12; ++k)
        if (Contains(k, date)) return k;
    return 0;
}

int Periods::LastSlotOf(Date date) const {
    for (int k = 12; k >= 1; --k)
        if (Contains(k, date)) return k;
    return 0;
}

int FiscalOrdinal(const Periods& periods, int startMonth, Date date) {
    int k = periods.FirstSlotOf(date);
    if (k == 0) return 13;
    return FiscalPositionOf(startMonth, k);
}

int MonthOfTag(std::string_view tag) {
    if (tag.size() != 4 || tag[0] != 'd' || tag[3] != '=') return 0;
    const char tens = tag[1], ones = tag[2];
    if (tens < '0' || tens > '1' || ones < '0' || ones > '9') return 0;
    const int month = (tens - '0') * 10 + (ones - '0');
    return month >= 1 && month <= 12 ? month : 0;
}

std::string MonthTag(int month) {
    std::string tag = "d00=";
    tag[1] = static_cast<char>('0' + month / 10);
    tag[2] = static_cast<char>('0' + month % 10);
    return tag;
}

int BalanceSlot(const Periods& periods, int startMonth, Date date) {
    int k = periods.FirstSlotOf(date);
    if (date <= periods.start[static_cast<std::size_t>(startMonth)]) k = startMonth;
    const int lastMonth = LastFiscalMonth(startMonth);
    if (date >= periods.end[static_cast<std::size_t>(lastMonth)]) k = lastMonth;
    return k;
}

}  // namespace velmora
