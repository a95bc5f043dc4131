#pragma once
// Ledger file text for tests.
#include <string>

#include "core/util/date.h"

namespace velmora::testing {

// The twelve period lines of a fiscal year from April with month-end periods, and the
// settings line after them, "\n" after each: the trailer every ledger file ends with.
inline std::string FiscalYearTrailer(int startYear, const std::string& settingsLine) {
    std::string text;
    for (int k = 1; k <= 12; ++k) {
        const int year = k >= 4 ? startYear : startYear + 1;
        text += "f," + Date::FromYmd(year, k, 1).ShortText() + "," +
                Date::FromYmd(year, k, DaysInMonth(year, k)).ShortText() + ",0\n";
    }
    return text + settingsLine + "\n";
}

}  // namespace velmora::testing
