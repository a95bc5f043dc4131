#pragma once
// The file boundary: every file the program reads or writes for the user is CP932 with
// CR LF line ends; inside the program all text is UTF-8.
#include <array>
#include <cstdint>
#include <cstring>
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

// The text with the characters that input methods on Linux type, where Windows types
// another one that CP932 holds, replaced by that one: "〜" by "～", "−" by "－", "‖" by
// "∥", "¢" by "￠", "£" by "￡", "¬" by "￢", "—" by "―" and "¥" by "￥". Everything else
// stays as it is.
std::string ToWindowsForms(std::string_view text);

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

    // The same form written at out, which has room for text.size() + 1 bytes; returns the
    // end of what it wrote, or nullptr where Append returns false. Inline, because a file
    // is written a field at a time: ASCII and the kana and kanji already met are handled
    // here, everything else by FormAt.
    char* Write(std::string_view text, char* out) {
        const auto* p = reinterpret_cast<const unsigned char*>(text.data());
        const auto* end = p + text.size();
        while (p < end) {
            if (*p < 0x80 && asciiSame_) {
                // Eight bytes at once when all eight are ASCII: the room beyond the text
                // left over is at least as long.
                std::uint64_t word = 0x80;
                if (end - p >= 8) std::memcpy(&word, p, 8);
                if ((word & 0x8080808080808080ULL) == 0) {
                    std::memcpy(out, p, 8);
                    out += 8;
                    p += 8;
                } else {
                    *out++ = static_cast<char>(*p++);
                }
                continue;
            }
            std::size_t len = 3;
            std::uint32_t form = KnownThreeByteForm(p, end);
            if (form == kUnknown) form = FormAt(p, end, len);
            if (form == kRefused) return nullptr;
            // Two bytes each time, the second overwritten when the form has one: the
            // byte of room beyond the text takes the last.
            out[0] = static_cast<char>((form >> 8) & 0xFF);
            out[1] = static_cast<char>(form & 0xFF);
            out += form >> 16;
            p += len;
        }
        return out;
    }

private:
    // A form is kUnknown, kRefused, or the length (1 or 2) in the high half and the bytes
    // in the low, the first byte above the second.
    static constexpr std::uint32_t kUnknown = 0;
    static constexpr std::uint32_t kRefused = 0xFFFFFFFF;
    // The forms of 256 code points, made when a character of the page is first met.
    using Page = std::array<std::uint32_t, 256>;

    // The form of the valid three-byte sequence at p when it is known; kUnknown otherwise.
    std::uint32_t KnownThreeByteForm(const unsigned char* p, const unsigned char* end) const {
        if ((p[0] & 0xF0) != 0xE0 || end - p < 3 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80)
            return kUnknown;
        const std::uint32_t cp = (p[0] & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
        if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) return kUnknown;
        const Page* page = pages_[cp >> 8].get();
        return page == nullptr ? kUnknown : (*page)[cp & 0xFF];
    }

    // The form of the character at p and its length in len, learnt through iconv when it
    // is met for the first time; kRefused for a sequence that is not valid UTF-8.
    std::uint32_t FormAt(const unsigned char* p, const unsigned char* end, std::size_t& len);

    struct Converters;
    std::unique_ptr<Converters> converters_;
    std::array<std::unique_ptr<Page>, 256> pages_;
    // Every ASCII character is its own faithful form (as in glibc's CP932): ASCII is
    // copied without a look-up.
    bool asciiSame_ = false;
};

// True when every character of the UTF-8 text has a CP932 form.
bool IsCp932Encodable(std::string_view text);
// The text with "？" for each character CP932 cannot hold faithfully and for each byte that
// is not part of valid UTF-8: a caption that can always be written.
std::string WithCp932StandIns(std::string_view text);
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

// IsValidUtf8 of a text that arrives in parts.
class Utf8Validity {
public:
    // Takes the next part; false once the text can no longer be valid.
    bool Add(std::string_view part);
    // The parts so far make valid UTF-8.
    bool Valid() const { return !broken_ && pending_.empty(); }

private:
    std::string pending_;  // a sequence that the last part cut
    bool broken_ = false;
};

class Cp932Decoder;

// Cp932ToUtf8 for many short texts in a row (the lines of a file one by one): one table
// of the byte sequences met serves them all.
class Cp932TextDecoder {
public:
    Cp932TextDecoder();
    ~Cp932TextDecoder();
    Cp932TextDecoder(const Cp932TextDecoder&) = delete;
    Cp932TextDecoder& operator=(const Cp932TextDecoder&) = delete;

    // The text of bytes into out; false (out then unspecified) when they are not CP932.
    bool Decode(std::string_view bytes, std::string& out);

private:
    std::unique_ptr<Cp932Decoder> decoder_;
};

// The CP932 side of DecodeFileTextInPieces for bytes that arrive in parts: each part's
// text goes to piece as it is decoded. Throws EncodingError as DecodeFileTextInPieces does,
// naming the byte by its place in all the parts.
class Cp932PartDecoder {
public:
    explicit Cp932PartDecoder(TextPieceSink piece);
    ~Cp932PartDecoder();
    Cp932PartDecoder(const Cp932PartDecoder&) = delete;
    Cp932PartDecoder& operator=(const Cp932PartDecoder&) = delete;

    void Add(std::string_view part);
    // Refuses a first byte of two at the very end.
    void Finish();

private:
    [[noreturn]] static void Fail(std::size_t offset);

    std::unique_ptr<Cp932Decoder> decoder_;
    TextPieceSink piece_;
    std::string carried_;     // a first byte of two that ended the last part
    std::size_t offset_ = 0;  // of the next part's first byte
};

}  // namespace velmora
