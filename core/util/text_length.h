#pragma once
// The three ways rules count text: characters (code points), UTF-16 units, CP932 bytes.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

std::size_t CodePointCount(std::string_view text);
std::size_t Utf16Length(std::string_view text);
// Bytes the text takes in CP932; a character CP932 cannot hold counts as 2.
std::size_t Cp932Length(std::string_view text);

// The longest prefix of at most maxUnits UTF-16 units that does not split a surrogate
// pair (a pair that would be cut in half is left out).
std::string CutToUtf16Units(std::string_view text, std::size_t maxUnits);
// The longest prefix of at most maxBytes CP932 bytes without splitting a character.
std::string CutToCp932Bytes(std::string_view text, std::size_t maxBytes);
// The first maxChars characters.
std::string CutToCodePoints(std::string_view text, std::size_t maxChars);

// Byte length of the UTF-8 sequence that starts with lead.
std::size_t Utf8CharLength(unsigned char lead);
// The characters of a UTF-8 text, each as its own string.
void SplitCharacters(std::string_view text, std::vector<std::string_view>& chars);

// The code point of one UTF-8 character (as SplitCharacters gives it); a sequence that is
// cut short or malformed gives U+FFFD.
char32_t CodePointOf(std::string_view character);
// The UTF-8 form of a code point.
void AppendCodePoint(std::string& out, char32_t cp);

}  // namespace velmora
