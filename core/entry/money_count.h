#pragma once
// "金種計算": the cash in hand counted by notes and coins, its total, and how far it is from
// the cash book's balance at the end of the day chosen on the calendar. The counts stay
// in the working folder from one count to the next.
#include <array>
#include <cstdint>
#include <string>

#include "core/entry/numeric_field.h"
#include "core/ledger/ledger.h"
#include "core/platform/file_io.h"
#include "core/util/amount.h"
#include "core/util/date.h"

namespace velmora {

inline constexpr const char* kMoneyCountCaption = "金種計算";
inline constexpr const char* kMoneyCountFileName = "money_count.dat";
inline constexpr int kMoneyKinds = 10;

struct MoneyKind {
    std::int64_t yen;
    const char* caption;
};
inline constexpr std::array<MoneyKind, kMoneyKinds> kMoneyKindsInOrder = {{
    {10000, "一万円札"},
    {5000, "五千円札"},
    {2000, "二千円札"},
    {1000, "千円札"},
    {500, "五百円玉"},
    {100, "百円玉"},
    {50, "五十円玉"},
    {10, "十円玉"},
    {5, "五円玉"},
    {1, "一円玉"},
}};
inline constexpr const char* kMoneyTotalCaption = "合計";
inline constexpr const char* kMoneyDifferenceCaption = "過不足";
// The two days whose balance the count is held against.
inline constexpr const char* kMoneyCalendarDayCaption = "カレンダーの日";
inline constexpr const char* kMoneyTodayCaption = "今日";
// The largest count a kind takes: a count of more would be a typing slip, and its sum must
// stay far within an amount.
inline constexpr std::int64_t kMoneyCountLimit = 9'999'999;
inline constexpr int kMoneyCountDigits = 7;

struct MoneyCount {
    std::array<std::int64_t, kMoneyKinds> counts{};

    Amount RowAmount(int kind) const;
    Amount Total() const;
    // The count less the book: negative when cash is short.
    Amount Difference(Amount balance) const { return Total() - balance; }
};

// The cash book's balance after every record dated day or earlier: its opening balance and
// the amounts of its records as it sees them (transfers included).
Amount CashBalanceAtDayEnd(const Ledger& ledger, Date day);

// The balance the count is held against, named as every label names the cash book: by the
// use type ("おこづかい帳残高 (2014/06/10)").
struct MoneyCountBalance {
    Date day;
    Amount balance;
    std::string caption;
};
MoneyCountBalance MoneyCountBalanceOn(const Ledger& ledger, Date day);
// The choice of day: the caption and the date ("今日 (2014/06/10)").
std::string MoneyCountDayCaption(const char* which, Date day);

// A count box takes whole numbers from 0 to kMoneyCountLimit: no sign, no decimals.
void SetUpCountField(NumberField& field);
// The keys a count box takes: digits (half- or full-width); editing keys are not characters
// and pass anyway.
bool IsCountCharacter(char32_t c);

// The counts kept in workingFolder: "yen,count" a line. A missing or unreadable file, or a
// line that is not such a pair of a kind we count, gives zero for that kind.
MoneyCount LoadMoneyCount(const std::string& workingFolder);
// Throws FileError; the old file stays whole.
void SaveMoneyCount(const std::string& workingFolder, const MoneyCount& count, FileWriter& writer);

}  // namespace velmora
