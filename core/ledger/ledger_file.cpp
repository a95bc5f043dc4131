#include "core/ledger/ledger_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "core/ledger/ledger_index.h"
#include "core/ledger/record.h"
#include "core/platform/file_io.h"
#include "core/util/errors.h"
#include "core/util/fields.h"
#include "core/util/text_length.h"

namespace velmora {
namespace {

[[noreturn]] void ThrowAtLine(std::size_t lineIndex, const std::string& message) {
    throw ConversionError(std::to_string(lineIndex + 1) + "行目: " + message);
}

// A field as a message quotes it: a damaged line may hold megabytes where a date belongs.
std::string Quoted(std::string_view text) {
    constexpr std::size_t kQuotedCharacters = 80;
    std::string quoted = CutToCodePoints(text, kQuotedCharacters);
    if (quoted.size() < text.size()) quoted += "…";
    return "'" + quoted + "'";
}

Date DateAt(std::string_view text, std::size_t lineIndex) {
    auto date = Date::TryParse(text);
    if (!date) ThrowAtLine(lineIndex, Quoted(text) + " は正しい日付ではありません");
    return *date;
}

Amount AmountAt(std::string_view text, std::size_t lineIndex) {
    auto amount = Amount::TryParse(text);
    if (!amount) ThrowAtLine(lineIndex, Quoted(text) + " は正しい数値ではありません");
    return *amount;
}

// The trailer is found by position: what a crash or a copy left after the last line
// (NUL bytes of a file extended but never written, line breaks added by an editor) must
// not move it.
void DropTrailingBlankLines(std::vector<std::string>& lines) {
    while (!lines.empty()) {
        std::string& last = lines.back();
        const std::size_t end = last.find_last_not_of('\0');
        if (end != std::string::npos) {
            last.resize(end + 1);
            return;
        }
        lines.pop_back();
    }
}

enum class Trailer { kRead, kSettingsDamaged, kMissing };

struct TrailerRead {
    Trailer state = Trailer::kMissing;
    bool yearMissing = false;  // the settings line gives no start year
    // The line number (from 1) of a settings line cut short; 0 for none.
    std::size_t cutSettingsLine = 0;
    // The index, once the trailer is removed, of a line left in the settings line's place
    // (the last line); npos for none. It stands twelve lines further in the file.
    std::size_t leftAt = std::string::npos;
};

bool IsPeriodLine(const std::string& line) {
    return line.starts_with("f,");
}

// Reads what the settings line still holds whole into ledger: a field counts only when
// the comma after it is there, since the end of a line cut short may be the start of a
// longer number. False when the line is cut short: it ends without its last comma, or
// before the use type. A whole line of the earlier format ends after the use type;
// yearMissing when the line gives no start year.
bool ReadSettingsLine(const std::string& settings, std::size_t settingsAt, Ledger& ledger,
                      Date today, bool& yearMissing) {
    const auto fields = static_cast<int>(std::count(settings.begin(), settings.end(), ','));
    const auto field = [&settings](int n) { return FieldNView(settings, ",", n); };
    if (fields >= 2) ledger.openingBalance = AmountAt(field(2), settingsAt);
    if (fields >= 3) {
        long long startMonth = 0;
        if (!ParseInt(field(3), startMonth) || startMonth < 1 || startMonth > 12)
            ThrowAtLine(settingsAt, "開始月 " + Quoted(field(3)) + " が正しくありません");
        ledger.startMonth = static_cast<int>(startMonth);
    }
    if (fields >= 4) ledger.useType = static_cast<int>(IntOr(field(4), 0));
    long long year = 0;
    if (fields < 5 || !ParseInt(field(5), year)) {
        // Files of the earlier format carry no year: the records tell it, once they
        // are read (today's year would date a whole year of records wrongly).
        year = today.Year();
        yearMissing = true;
    }
    if (year < 1900) year = ledger.periods.start[ledger.startMonth].Year();
    ledger.startYear = static_cast<int>(year);
    return fields >= 4 && settings.ends_with(',');
}

// Reads the twelve period lines and the settings line at the end of lines into ledger
// and removes them. kMissing when the trailer is missing or is not twelve "f" lines;
// kSettingsDamaged when the twelve period lines are there but the settings line after
// them is cut short or missing.
TrailerRead ReadTrailer(std::vector<std::string>& lines, Ledger& ledger, Date today) {
    TrailerRead read;
    if (lines.size() < 12) return read;
    // A file cut just before its settings line ends with the period lines.
    const bool hasSettingsPlace = lines.size() >= 13 && IsPeriodLine(lines[lines.size() - 13]);
    const std::size_t first = lines.size() - (hasSettingsPlace ? 13 : 12);
    RecordSplit split;
    Periods periods = ledger.periods;
    for (int k = 1; k <= 12; ++k) {
        const std::size_t at = first + static_cast<std::size_t>(k - 1);
        split.Split(lines[at]);
        if (split[0] != "f") return read;
        periods.start[k] = DateAt(split[1], at);
        periods.end[k] = DateAt(split[2], at);
        periods.lock[k] = static_cast<int>(IntOr(split[3], 0));
    }
    ledger.periods = periods;
    // What a settings line cut short or missing no longer tells, the period lines do: the
    // fiscal year begins with the period that begins first; a line that holds its start
    // month says it again.
    int firstMonth = 1;
    for (int k = 2; k <= 12; ++k)
        if (periods.start[k] < periods.start[firstMonth]) firstMonth = k;
    ledger.startMonth = firstMonth;
    const std::size_t settingsAt = lines.size() - 1;
    const bool hasSettings = hasSettingsPlace && lines[settingsAt].starts_with('g') &&
                             (lines[settingsAt].size() == 1 || lines[settingsAt][1] == ',');
    read.yearMissing = !hasSettings;
    const bool whole = hasSettings && ReadSettingsLine(lines[settingsAt], settingsAt, ledger, today,
                                                       read.yearMissing);
    if (hasSettings && !whole) read.cutSettingsLine = settingsAt + 1;
    if (!whole) {
        // The year it lost is the first period's, not one guessed from the records.
        if (read.yearMissing) ledger.startYear = periods.start[ledger.startMonth].Year();
        read.yearMissing = false;
    }
    if (hasSettingsPlace && !hasSettings) read.leftAt = first;
    // The period lines go, and the settings line; a last line that is not "g" stays and
    // is dropped with the other lines that are not records.
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(first),
                lines.begin() + static_cast<std::ptrdiff_t>(first + 12 + (hasSettings ? 1 : 0)));
    read.state = whole ? Trailer::kRead : Trailer::kSettingsDamaged;
    return read;
}

// The year in which the fiscal year of the records begins, for a file that does not say:
// the year of the file's periods when they hold the earliest record, else the year in
// which the start month before that record falls; the periods' year without records.
int StartYearOfRecords(const Ledger& ledger) {
    const int periodYear = ledger.periods.start[ledger.startMonth].Year();
    std::optional<Date> earliest;
    for (const std::string& line : ledger.transactions.Items()) {
        const auto date = Date::TryParse(LeadingRecordField(line, kFieldDate));
        if (date && (!earliest || *date < *earliest)) earliest = date;
    }
    if (!earliest || ledger.periods.FirstSlotOf(*earliest) != 0) return periodYear;
    return earliest->Year() - (earliest->Month() < ledger.startMonth ? 1 : 0);
}

// The sum of the magnitudes of amounts: while it fits, no balance made of them can
// overflow, whatever their signs and order.
class MagnitudeSum {
public:
    void Add(Amount amount) {
        const std::int64_t raw = amount.Raw();
        const std::uint64_t magnitude =
            raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
        if (__builtin_add_overflow(total_, magnitude, &total_)) tooLarge_ = true;
    }
    bool TooLarge() const {
        return tooLarge_ ||
               total_ > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    }

private:
    std::uint64_t total_ = 0;
    bool tooLarge_ = false;
};

// Old eight-field lines become cash-book records; the cash book's name follows the use
// type on both sides. split is room for the line's fields, kept from line to line; it
// holds the fields of the line as it is left. Returns the number of fields the line held.
int NormaliseRecord(std::string& line, const std::string& useTypeName, std::size_t lineIndex,
                    MagnitudeSum& amounts, RecordSplit& split) {
    split.Split(line);
    const int count = split.Count();
    DateAt(split[kFieldDate], lineIndex);
    amounts.Add(AmountAt(split[kFieldIncome], lineIndex));
    amounts.Add(AmountAt(split[kFieldExpense], lineIndex));
    bool oldForm = count <= 8;
    // A line this program wrote needs none of the changes below: it is left as it is,
    // without taking its fields apart. So is a damaged line, whose fields would be joined
    // into a record it never was.
    const bool quoted = !split.AtEveryComma() && line.find('"') != std::string::npos;
    if (!IsRecordFieldCount(count) ||
        (!oldForm && !quoted && !NeedsCashBookRename(split, useTypeName)))
        return count;
    auto fields = RecordFieldsOf(split);
    if (oldForm) {
        fields[kFieldOwnKind] = kCashKind;
        fields[kFieldOwnName] = useTypeName;
        fields[kFieldOtherKind] = kCashKind;
        fields[kFieldOtherName] = useTypeName;
    }
    const bool renamed = RenameCashBookFields(fields, useTypeName);
    // A double-quoted field (a file this program did not write) holds commas that would
    // split the record into more fields the next time it is joined; its text loses the
    // quotes and commas, as typed text does, so that the line stays as it reads now.
    if (quoted)
        for (auto& field : fields) field = RemoveQuotesAndCommas(field);
    if (oldForm || renamed || quoted) {
        line = JoinRecord(fields);
        split.Split(line);
    }
    return count;
}

}  // namespace

bool IsRecordFieldCount(int fields) {
    return fields == kRecordFields || fields <= 8;
}

std::string PeriodLine(const Periods& periods, int k) {
    return "f," + periods.start[k].ShortText() + "," + periods.end[k].ShortText() + "," +
           std::to_string(periods.lock[k]);
}

std::string SettingsLine(const Ledger& ledger) {
    return "g," + ledger.openingBalance.PlainText() + "," + std::to_string(ledger.startMonth) +
           "," + std::to_string(ledger.useType) + "," + std::to_string(ledger.startYear) + ",";
}

std::vector<std::string> LedgerFileLines(const Ledger& ledger) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(ledger.transactions.Count() +
                                           ledger.pettyRegistry.Count() +
                                           ledger.bankRegistry.Count() + 13));
    for (const auto& line : ledger.transactions.Items()) lines.push_back(line);
    for (const auto& line : ledger.pettyRegistry.Items()) lines.push_back(line);
    for (const auto& line : ledger.bankRegistry.Items()) lines.push_back(line);
    for (int k = 1; k <= 12; ++k) lines.push_back(PeriodLine(ledger.periods, k));
    lines.push_back(SettingsLine(ledger));
    return lines;
}

ParsedLedger ParseLedgerLines(std::vector<std::string> lines, const Ledger& previous, Date today) {
    ParsedLedger parsed;
    Ledger& ledger = parsed.ledger;
    ledger.openingBalance = previous.openingBalance;
    ledger.startMonth = previous.startMonth;
    ledger.useType = previous.useType;
    ledger.startYear = previous.startYear;
    ledger.periods = Periods::CalendarYear(today.Year());
    DropTrailingBlankLines(lines);
    const TrailerRead trailer = ReadTrailer(lines, ledger, today);
    if (trailer.state == Trailer::kMissing) {
        parsed.periodsInvalid = true;
        ledger.periods = Periods::CalendarYear(today.Year());
    }
    parsed.damage.trailer = trailer.state == Trailer::kMissing;
    parsed.damage.settings = trailer.state == Trailer::kSettingsDamaged;
    parsed.damage.settingsLine = trailer.cutSettingsLine;

    const std::string useTypeName = ledger.UseTypeName();
    // The records are gathered at the front of lines itself: a second list as long as
    // the file would only cost memory.
    std::size_t records = 0;
    RecordSplit split;
    MagnitudeSum amounts;
    amounts.Add(ledger.openingBalance);
    // The index is built from the fields split here, not from a second split of every
    // line.
    LedgerIndex& index = ledger.IndexToRead();
    index.BeginReading();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        if (IsRecordLine(line)) {
            const int fields = NormaliseRecord(line, useTypeName, i, amounts, split);
            if (!IsRecordFieldCount(fields) && parsed.damage.badRecords++ == 0) {
                parsed.damage.firstBadRecordLine = i + 1;
                parsed.damage.firstBadRecordFields = fields;
            }
            if (MonthOfTag(FieldNView(line, ",", 1)) == 0 && parsed.damage.untaggedRecords++ == 0)
                parsed.damage.firstUntaggedRecordLine = i + 1;
            index.ReadLine(line, split);
            if (records != i) lines[records] = std::move(line);
            ++records;
            continue;
        }
        if (!line.empty() && line[0] == 'z') {
            split.Split(line);
            if (LineList* registry = ledger.RegistryOf(split[1])) {
                amounts.Add(RegistryBalance(line));
                registry->Add(std::move(line));
                continue;
            }
        }
        if (line.find_first_not_of(std::string_view(" \t\0", 3)) != std::string::npos &&
            parsed.damage.droppedLines++ == 0)
            parsed.damage.firstDroppedLine = i + 1 + (i == trailer.leftAt ? 12 : 0);
    }
    lines.resize(records);
    ledger.transactions.Adopt(std::move(lines));
    index.EndReading();
    if (trailer.yearMissing) ledger.startYear = StartYearOfRecords(ledger);
    parsed.largeAmounts = amounts.TooLarge();
    return parsed;
}

ParsedLedger ReadLedgerFile(const std::string& path, const Ledger& previous, Date today) {
    FileIdentity identity;
    std::vector<std::string> lines = ReadTextLines(path, &identity);
    ParsedLedger parsed = ParseLedgerLines(std::move(lines), previous, today);
    parsed.identity = std::move(identity);
    return parsed;
}

}  // namespace velmora
