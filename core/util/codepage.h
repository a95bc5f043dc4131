#pragma once
// The file boundary: every file the program reads or writes for the user is CP932 with
// CR LF line ends; inside the program all text is UTF-8.
#include <functional>
#include <string>
#include <string_view>

namespace velmora {

// CP932 bytes to UTF-8. Throws EncodingError when the bytes are not valid CP932.
std::string Cp932ToUtf8(std::string_view bytes);

// UTF-8 to CP932 bytes, double-form characters in the form Windows writes.
// Throws EncodingError naming the first character that CP932 cannot hold.
std::string Utf8ToCp932(std::string_view text);

// True when every character of the UTF-8 text has a CP932 form.
bool IsCp932Encodable(std::string_view text);
// The first character (as UTF-8) that CP932 cannot hold; empty when there is none.
std::string FirstNonCp932Character(std::string_view text);

// The bytes of a file as UTF-8 text: valid UTF-8 (with or without a byte-order mark) is
// taken as it is; otherwise valid CP932 is converted; anything else throws EncodingError.
// Pure ASCII is the same either way.
std::string DecodeFileText(std::string_view bytes);

// Receives decoded text a part at a time; a part lives only during the call.
using TextPieceSink = std::function<void(std::string_view part)>;
// DecodeFileText in consecutive parts that joined give its text, for files too large to
// hold twice. Throws as DecodeFileText does, possibly after some parts were given.
void DecodeFileTextInPieces(std::string_view bytes, const TextPieceSink& piece);

bool IsValidUtf8(std::string_view bytes);

}  // namespace velmora
