#pragma once
// The file boundary: every file the program reads or writes for the user is CP932 with
// CR LF line ends; inside the program all text is UTF-8.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace velmora {

// CP932 bytes to UTF-8. Throws EncodingError when the bytes are not valid CP932.
std::string Cp932ToUtf8(std::string_view bytes);

// UTF-8 to CP932 bytes, double-form characters in the form Windows writes.
// Throws EncodingError naming the first character that CP932 cannot hold.
std::string Utf8ToCp932(std::string_view text);

// UTF-8 to CP932 for many texts in a row (the lines of a file, say): each distinct
// character goes through iconv, there and back, once; after that it is looked up. A file
// of a hundred thousand lines uses a few hundred distinct characters.
class Cp932Encoder {
public:
    Cp932Encoder();
    ~Cp932Encoder();
    Cp932Encoder(const Cp932Encoder&) = delete;
    Cp932Encoder& operator=(const Cp932Encoder&) = delete;

    // Appends the CP932 form of text to out, double-form characters as Windows writes
    // them. False at the first character that is not valid UTF-8 or that CP932 cannot
    // hold faithfully; out then holds an unspecified part of the text's form, and
    // Utf8ToCp932 of the text says what is wrong.
    bool Append(std::string_view text, std::string& out);

private:
    struct Forms;
    std::unique_ptr<Forms> forms_;
};

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
