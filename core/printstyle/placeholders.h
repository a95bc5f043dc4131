#pragma once
// The placeholder formatters that the page fillers share: replacing a placeholder in a
// style line, colouring negative values red, shrinking long amounts, setting a numbered
// field of a line, and the date and title texts of ledger rows.
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Replaces the first occurrence of placeholder in line with value (the empty text when
// zeroBlank and the value is exactly "0"); a line that ends up empty becomes four
// spaces. Later occurrences stay. Returns whether the placeholder was found.
bool ReplacePlaceholder(std::string& line, std::string_view placeholder, std::string_view value,
                        bool zeroBlank);

// ReplacePlaceholder; then, when the placeholder was found, red is set and the value holds
// "-", the item's colour (field 19) becomes red (255).
bool ReplacePlaceholderRed(std::string& line, std::string_view placeholder, std::string_view value,
                           bool red, bool zeroBlank);

// A long amount drawn smaller: the point size (field 15) and the pitch (field 18, negative:
// one character every |pitch| mm ending at the item's x).
struct AmountShrink {
    std::string size;
    std::string pitch;
    bool operator==(const AmountShrink&) const = default;
};

// An amount of length characters kept within widthMm: one character every widthMm / length
// mm (down to a twentieth of a millimetre) at the largest whole point size, up to 9, whose
// half-em digits fit that pitch less gapMm (5 points at the least).
AmountShrink ShrinkToWidth(std::size_t length, double widthMm, double gapMm = 0);

// The size of a long amount in a ledger column: none up to 10 characters, 9 points with a
// pitch of 1.6 mm up to 15, longer ones within the 24 mm that 15 such characters take.
std::optional<AmountShrink> LongAmountShrink(std::size_t length);

// ReplacePlaceholder; then, when the placeholder was found and the value is a number other
// than zero (commas removed for the test), the item is drawn as LongAmountShrink says, so
// that no amount runs out of its cell.
bool ReplacePlaceholderShrink(std::string& line, std::string_view placeholder,
                              std::string_view value, bool zeroBlank);
// The item's size and pitch as ReplacePlaceholderShrink sets them for value (already in the
// line); with widthMm, a long value is fitted into that many millimetres instead.
void ShrinkLongAmount(std::string& line, std::string_view value, double widthMm = 0);

// The line rebuilt from its fields 1 to 22 (empty beyond the last), each followed by ";",
// with field n replaced by value; fields after the 22nd are dropped.
std::string SetLineField(std::string_view line, std::string_view value, int n);

// Everything from the first "(" on removed: "04月01日(火)" -> "04月01日".
std::string CutAtParen(std::string_view text);
// The first "月" removed, then the first "日"; an empty result becomes "0".
std::string DateDigits(std::string_view text);
// Everything up to and including the first "月" removed, then the first "日".
std::string DayOfDate(std::string_view text);

// The spaces put before a ledger page title at "#tl", by the title's length in
// characters, so that titles of different lengths stand centred.
std::string TitlePrefix(std::string_view title);

// The row number of a row placeholder: "01" ... "09", "10", ..., "100".
std::string RowNumber(int n);

// The colour the red formatter sets.
inline constexpr std::string_view kRedColour = "255";

}  // namespace velmora
