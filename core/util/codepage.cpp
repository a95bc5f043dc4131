#include "core/util/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <memory>

#include "core/util/errors.h"

namespace velmora {
namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle OpenConverter(const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw EncodingError(std::string("文字コード変換を準備できません: ") + from + " → " + to);
    return IconvHandle(cd);
}

// Converts the whole input through a buffer of a fixed size, handing each filled part to
// piece, so that a large file is never held twice; on an invalid or unconvertible sequence
// returns false with the byte offset of the failing input in failedAt.
bool ConvertInPieces(const char* to, const char* from, std::string_view input,
                     const TextPieceSink& piece, std::size_t& failedAt) {
    IconvHandle cd = OpenConverter(to, from);
    std::string buffer(64 * 1024, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        std::size_t rc = iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &outPtr, &outLeft);
        const std::size_t produced = buffer.size() - outLeft;
        if (produced > 0) piece(std::string_view(buffer.data(), produced));
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        failedAt = input.size() - inLeft;
        return false;
    }
    return true;
}

// Converts the whole input into out; on failure out holds what converted before it.
bool Convert(const char* to, const char* from, std::string_view input, std::string& out,
             std::size_t& failedAt) {
    out.clear();
    out.reserve(input.size() + input.size() / 2 + 16);
    return ConvertInPieces(
        to, from, input, [&out](std::string_view part) { out += part; }, failedAt);
}

std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view bytes) {
    std::string out;
    std::size_t failedAt = 0;
    if (!Convert("UTF-8", "CP932", bytes, out, failedAt))
        throw EncodingError("CP932(Shift_JIS)として読めないバイト列があります(" +
                            std::to_string(failedAt + 1) + "バイト目)");
    return out;
}

namespace {

// The first character that CP932 cannot hold, or that it holds only as another character
// (glibc writes "¥" as the byte of "\" and "〜" as "～"): such a character would come back
// changed from the file, so it counts as one CP932 cannot hold. Empty when there is none.
std::string FirstUnfaithfulCharacter(std::string_view text) {
    std::string bytes, back;
    std::size_t failedAt = 0;
    if (Convert("CP932", "UTF-8", text, bytes, failedAt) &&
        Convert("UTF-8", "CP932", bytes, back, failedAt) && back == text)
        return {};
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = std::min(Utf8SequenceLength(static_cast<unsigned char>(text[i])),
                                   text.size() - i);
        std::string_view ch = text.substr(i, len);
        if (len > 1 || static_cast<unsigned char>(ch[0]) >= 0x80) {
            if (!Convert("CP932", "UTF-8", ch, bytes, failedAt) ||
                !Convert("UTF-8", "CP932", bytes, back, failedAt) || back != ch)
                return std::string(ch);
        }
        i += len;
    }
    return {};
}

}  // namespace

namespace {

// The code point of the UTF-8 sequence of len bytes at text; false when it is not one
// that IsValidUtf8 accepts.
bool DecodeSequence(const unsigned char* text, std::size_t len, std::uint32_t& cp) {
    if (len == 1) {
        cp = text[0];
        return cp < 0x80;  // a stray continuation byte or a lead byte of no sequence
    }
    static constexpr std::uint32_t kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    static constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    cp = text[0] & kLeadMask[len];
    for (std::size_t k = 1; k < len; ++k) {
        if ((text[k] & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (text[k] & 0x3Fu);
    }
    return cp >= kSmallest[len] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

}  // namespace

// The CP932 form of each character of the Basic Multilingual Plane as it is first met:
// kUnknown, kRefused, or the length (1 or 2) in the high half and the bytes in the low.
// Kept in pages of 256 code points, made when a character of the page is first met, so
// that a short text costs little more than the converters.
struct Cp932Encoder::Forms {
    static constexpr std::uint32_t kUnknown = 0;
    static constexpr std::uint32_t kRefused = 0xFFFFFFFF;
    using Page = std::array<std::uint32_t, 256>;

    Forms() : toCp932(OpenConverter("CP932", "UTF-8")), toUtf8(OpenConverter("UTF-8", "CP932")) {}

    std::uint32_t Of(std::uint32_t cp) const {
        const Page* page = pages[cp >> 8].get();
        return page == nullptr ? kUnknown : (*page)[cp & 0xFF];
    }

    // Converts the character ch (code point cp) there and back through iconv.
    std::uint32_t Learn(std::uint32_t cp, std::string_view ch) {
        char bytes[8];
        char back[8];
        const std::size_t length = Through(toCp932.get(), ch, bytes, sizeof bytes);
        std::uint32_t form = kRefused;
        if (length == 1 || length == 2) {
            const std::size_t backLength =
                Through(toUtf8.get(), std::string_view(bytes, length), back, sizeof back);
            if (std::string_view(back, backLength) == ch) {
                const std::uint32_t first = static_cast<unsigned char>(bytes[0]);
                form = length == 1 ? 1u << 16 | first
                                   : 2u << 16 | first << 8 | static_cast<unsigned char>(bytes[1]);
            }
        }
        std::unique_ptr<Page>& page = pages[cp >> 8];
        if (page == nullptr) page = std::make_unique<Page>();  // value-initialised: kUnknown
        (*page)[cp & 0xFF] = form;
        return form;
    }

    // The whole of input converted by cd into out; 0 (with the converter reset) when it
    // does not convert or does not fit.
    static std::size_t Through(void* cd, std::string_view input, char* out, std::size_t size) {
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* outPtr = out;
        std::size_t outLeft = size;
        const iconv_t converter = static_cast<iconv_t>(cd);
        if (iconv(converter, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0) {
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
            return 0;
        }
        return size - outLeft;
    }

    IconvHandle toCp932;
    IconvHandle toUtf8;
    std::array<std::unique_ptr<Page>, 256> pages;
};

Cp932Encoder::Cp932Encoder() : forms_(std::make_unique<Forms>()) {}
Cp932Encoder::~Cp932Encoder() = default;

bool Cp932Encoder::Append(std::string_view text, std::string& out) {
    // A CP932 form is never longer than the UTF-8 sequence it replaces.
    std::size_t at = out.size();
    out.resize(at + text.size());
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const std::size_t len = Utf8SequenceLength(*p);
        std::uint32_t cp = 0;
        if (len > 3 || static_cast<std::size_t>(end - p) < len || !DecodeSequence(p, len, cp))
            return false;  // nothing beyond the BMP has a CP932 form
        std::uint32_t form = forms_->Of(cp);
        if (form == Forms::kUnknown)
            form = forms_->Learn(cp, std::string_view(reinterpret_cast<const char*>(p), len));
        if (form == Forms::kRefused) return false;
        if ((form >> 16) == 2) out[at++] = static_cast<char>((form >> 8) & 0xFF);
        out[at++] = static_cast<char>(form & 0xFF);
        p += len;
    }
    out.resize(at);
    return true;
}

std::string Utf8ToCp932(std::string_view text) {
    {
        Cp932Encoder encoder;
        std::string bytes;
        if (encoder.Append(text, bytes)) return bytes;
    }
    // What is wrong, and where, as the whole text converted at once tells.
    std::string out;
    std::size_t failedAt = 0;
    if (Convert("CP932", "UTF-8", text, out, failedAt)) {
        std::string back;
        if (Convert("UTF-8", "CP932", out, back, failedAt) && back == text) return out;
    }
    std::string ch = FirstUnfaithfulCharacter(text);
    if (ch.empty() || !IsValidUtf8(ch)) throw EncodingError("UTF-8として正しくない文字列があります");
    throw EncodingError("「" + ch + "」はCP932(Shift_JIS)で保存できない文字です");
}

bool IsCp932Encodable(std::string_view text) { return FirstNonCp932Character(text).empty(); }

std::string FirstNonCp932Character(std::string_view text) { return FirstUnfaithfulCharacter(text); }

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len;
        std::uint32_t cp;
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > n) return false;
        for (std::size_t k = 1; k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
            cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

void DecodeFileTextInPieces(std::string_view bytes, const TextPieceSink& piece) {
    // Valid UTF-8 is taken as UTF-8 first: Japanese UTF-8 text is very often also a valid
    // byte sequence of CP932 (and would be read garbled), while CP932 text with kana or
    // kanji is practically never valid UTF-8 (its lead bytes are UTF-8 continuation bytes).
    static constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.substr(0, 3) == kBom && IsValidUtf8(bytes.substr(3))) {
        piece(bytes.substr(3));
        return;
    }
    if (IsValidUtf8(bytes)) {
        piece(bytes);
        return;
    }
    std::size_t failedAt = 0;
    if (ConvertInPieces("UTF-8", "CP932", bytes, piece, failedAt)) return;
    throw EncodingError("ファイルの文字コードがCP932(Shift_JIS)でもUTF-8でもありません(" +
                        std::to_string(failedAt + 1) + "バイト目)");
}

std::string DecodeFileText(std::string_view bytes) {
    std::string text;
    DecodeFileTextInPieces(bytes, [&text](std::string_view part) { text += part; });
    return text;
}

}  // namespace velmora
