#pragma once
// Taking fields out of record, grid and settings texts; trimming typed input.
#include <string>
#include <string_view>

#include "core/util/amount.h"

namespace velmora {

// The n-th field (from 1) that is followed by sep; empty when the text holds fewer than
// n separators (a last piece without a separator after it is never returned).
std::string_view FieldNView(std::string_view text, std::string_view sep, int n);
inline std::string FieldN(std::string_view text, std::string_view sep, int n) {
    return std::string(FieldNView(text, sep, n));
}

// The n-th field followed by ";"; when there are fewer than n such fields, the last one
// found; empty when there is none.
std::string SemicolonFieldN(std::string_view text, int n);

// Amount of a ledger or grid text: empty -> 0; throws ConversionError when not a number.
inline Amount AmountOf(std::string_view text) {
    return Amount::Parse(text);
}

// Every "," removed; an empty result becomes "0".
std::string PlainAmountText(std::string_view text);

// Takes the first field off a comma-separated line that may use double quotes; line
// keeps the rest.
std::string FirstQuotedField(std::string& line);

// Control characters and spaces off both ends, then ideographic (U+3000) and ASCII
// spaces off both ends.
std::string WideTrim(std::string_view text);
// Control characters and blanks (everything up to U+0020) off both ends.
std::string_view TrimBlanks(std::string_view text);

// Every occurrence of from replaced by to, left to right, without rescanning.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// A title or description as it is typed, made fit for a line of a file: line breaks
// removed, any other control character (a TAB) as a space, and the characters Linux input
// methods type in the form Windows keeps (ToWindowsForms).
std::string CleanTypedText(std::string_view typed);

// Every double quote and comma removed (titles and descriptions as they are typed).
std::string RemoveQuotesAndCommas(std::string_view text);

// A decimal integer with an optional sign and surrounding blanks; false otherwise.
bool ParseInt(std::string_view text, long long& value);
// The integer, or fallback when the text is not one.
long long IntOr(std::string_view text, long long fallback);

}  // namespace velmora
