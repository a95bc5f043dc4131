#include "core/util/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
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
        // Read before the piece is handed on: whatever the receiver calls may set errno.
        const bool full = rc == static_cast<std::size_t>(-1) && errno == E2BIG;
        const std::size_t produced = buffer.size() - outLeft;
        if (produced > 0) piece(std::string_view(buffer.data(), produced));
        if (rc != static_cast<std::size_t>(-1)) break;
        if (full) continue;
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

// CP932 to UTF-8 through a table of the byte sequences met, each converted through iconv
// once: a file of a hundred thousand records holds a few hundred distinct characters.
class Cp932Decoder {
public:
    Cp932Decoder() : toUtf8_(OpenConverter("UTF-8", "CP932")) {
        for (int b = 0; b < 0x80; ++b) singles_[static_cast<std::size_t>(b)] = Learn(b);
        asciiSame_ = true;
        for (int b = 0; b < 0x80; ++b)
            if (singles_[static_cast<std::size_t>(b)] != (1u << 24 | static_cast<std::uint32_t>(b)))
                asciiSame_ = false;
    }

    struct Result {
        std::size_t taken = 0;  // bytes decoded; at a failure, the offset of the sequence
        bool failed = false;    // a byte sequence that is not CP932
    };

    // The text of input, handed to piece in parts that never cut a character. Stops at
    // the first byte sequence that is not CP932, after the text before it was handed on;
    // when more bytes follow input, before a first byte of two that ends it.
    Result Decode(std::string_view input, bool more, const TextPieceSink& piece) {
        std::string& buffer = buffer_;
        if (buffer.empty()) buffer.assign(64 * 1024, '\0');
        std::size_t used = 0;
        const auto* begin = reinterpret_cast<const unsigned char*>(input.data());
        const auto* p = begin;
        const auto* end = begin + input.size();
        while (p < end) {
            if (buffer.size() - used < 8) {
                piece(std::string_view(buffer.data(), used));
                used = 0;
            }
            if (*p < 0x80 && asciiSame_) {
                // Dates, amounts and commas come in runs: eight bytes at once when they
                // are all ASCII (the buffer has room for eight at the top of the loop).
                std::uint64_t word = 0x80;
                if (end - p >= 8) std::memcpy(&word, p, 8);
                if ((word & 0x8080808080808080ULL) == 0) {
                    std::memcpy(buffer.data() + used, p, 8);
                    p += 8;
                    used += 8;
                } else {
                    buffer[used++] = static_cast<char>(*p++);
                }
                continue;
            }
            std::uint32_t form = FormOfSingle(*p);
            std::size_t length = 1;
            if (form == kLead) {
                if (end - p < 2 && more) break;
                form = end - p >= 2 ? FormOfPair(p[0], p[1]) : kInvalid;
                length = 2;
            }
            if (form == kInvalid) {
                if (used > 0) piece(std::string_view(buffer.data(), used));
                return {static_cast<std::size_t>(p - begin), true};
            }
            char* out = buffer.data() + used;
            out[0] = static_cast<char>(form & 0xFF);
            out[1] = static_cast<char>((form >> 8) & 0xFF);
            out[2] = static_cast<char>((form >> 16) & 0xFF);
            used += form >> 24;
            p += length;
        }
        if (used > 0) piece(std::string_view(buffer.data(), used));
        return {static_cast<std::size_t>(p - begin), false};
    }

private:
    // A form is kInvalid, kLead (the first byte of two), or the UTF-8 bytes (at most three:
    // CP932 has nothing beyond the Basic Multilingual Plane) from the lowest byte up, with
    // their count in the highest.
    static constexpr std::uint32_t kUnknown = 0;
    static constexpr std::uint32_t kInvalid = 0xFFFFFFFF;
    static constexpr std::uint32_t kLead = 0xFFFFFFFE;
    using Page = std::array<std::uint32_t, 256>;

    std::uint32_t FormOfSingle(unsigned char b) {
        std::uint32_t& form = singles_[b];
        if (form == kUnknown) form = Learn(b);
        return form;
    }

    std::uint32_t FormOfPair(unsigned char lead, unsigned char trail) {
        std::unique_ptr<Page>& page = pairs_[lead];
        if (page == nullptr) page = std::make_unique<Page>();  // value-initialised: kUnknown
        std::uint32_t& form = (*page)[trail];
        if (form == kUnknown) form = Learn(lead, trail);
        return form;
    }

    // The bytes converted on their own; a single byte that iconv finds incomplete starts
    // a pair.
    std::uint32_t Learn(int first, int second = -1) {
        char bytes[2] = {static_cast<char>(first), static_cast<char>(second)};
        char out[8];
        char* in = bytes;
        std::size_t inLeft = second < 0 ? 1 : 2;
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        const iconv_t converter = static_cast<iconv_t>(toUtf8_.get());
        const std::size_t rc = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
        const bool incomplete = rc == static_cast<std::size_t>(-1) && errno == EINVAL;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        if (rc == static_cast<std::size_t>(-1) || inLeft != 0)
            return incomplete && second < 0 ? kLead : kInvalid;
        const std::size_t length = sizeof out - outLeft;
        if (length == 0 || length > 3) return kInvalid;
        std::uint32_t form = static_cast<std::uint32_t>(length) << 24;
        for (std::size_t k = 0; k < length; ++k)
            form |= static_cast<std::uint32_t>(static_cast<unsigned char>(out[k])) << (8 * k);
        return form;
    }

    IconvHandle toUtf8_;
    std::array<std::uint32_t, 256> singles_{};
    std::array<std::unique_ptr<Page>, 256> pairs_;
    bool asciiSame_ = false;  // every ASCII byte is the character itself
    std::string buffer_;      // the text decoded and not handed on yet
};

Cp932TextDecoder::Cp932TextDecoder() : decoder_(std::make_unique<Cp932Decoder>()) {}

Cp932TextDecoder::~Cp932TextDecoder() = default;

bool Cp932TextDecoder::Decode(std::string_view bytes, std::string& out) {
    out.clear();
    return !decoder_->Decode(bytes, false, [&out](std::string_view part) { out += part; }).failed;
}

Cp932PartDecoder::Cp932PartDecoder(TextPieceSink piece)
    : decoder_(std::make_unique<Cp932Decoder>()), piece_(std::move(piece)) {}

Cp932PartDecoder::~Cp932PartDecoder() = default;

void Cp932PartDecoder::Add(std::string_view part) {
    if (part.empty()) return;
    if (!carried_.empty()) {
        // The first byte of two that ended the previous part, with its second.
        carried_ += part.front();
        if (decoder_->Decode(carried_, false, piece_).failed) Fail(offset_ - 1);
        carried_.clear();
        part.remove_prefix(1);
        ++offset_;
    }
    const Cp932Decoder::Result result = decoder_->Decode(part, true, piece_);
    if (result.failed) Fail(offset_ + result.taken);
    carried_.assign(part.substr(result.taken));
    offset_ += part.size();
}

void Cp932PartDecoder::Finish() {
    if (!carried_.empty()) Fail(offset_ - carried_.size());
}

void Cp932PartDecoder::Fail(std::size_t offset) {
    throw EncodingError("ファイルの文字コードがCP932(Shift_JIS)でもUTF-8でもありません(" +
                        std::to_string(offset + 1) + "バイト目)");
}

bool Utf8Validity::Add(std::string_view part) {
    if (broken_) return false;
    if (!pending_.empty()) {
        // The sequence that the previous part ended in, completed from this one.
        const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(pending_[0]));
        const std::size_t take = std::min(length - pending_.size(), part.size());
        pending_.append(part.substr(0, take));
        part.remove_prefix(take);
        if (pending_.size() < length) return true;
        if (!IsValidUtf8(pending_)) return !(broken_ = true);
        pending_.clear();
    }
    // A sequence cut by the end of the part waits for the next one.
    std::size_t cut = part.size();
    for (std::size_t k = 1; k <= 3 && k <= part.size(); ++k) {
        const auto c = static_cast<unsigned char>(part[part.size() - k]);
        if ((c & 0xC0) == 0x80) continue;
        if (c >= 0xC0 && Utf8SequenceLength(c) > k) cut = part.size() - k;
        break;
    }
    if (!IsValidUtf8(part.substr(0, cut))) return !(broken_ = true);
    pending_.assign(part.substr(cut));
    return true;
}

std::string Cp932ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2 + 16);
    const Cp932Decoder::Result result =
        Cp932Decoder().Decode(bytes, false, [&out](std::string_view part) { out += part; });
    const std::size_t failedAt = result.taken;
    if (result.failed)
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
        std::size_t len =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
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

// The code point of the UTF-8 sequence at p and its length, for sequences of at most
// three bytes (nothing beyond the Basic Multilingual Plane has a CP932 form). False for
// those and for anything IsValidUtf8 rejects.
bool NextCodePoint(const unsigned char* p, const unsigned char* end, std::size_t& len,
                   std::uint32_t& cp) {
    const std::uint32_t lead = p[0];
    if (lead < 0x80) {
        len = 1;
        cp = lead;
        return true;
    }
    const std::size_t left = static_cast<std::size_t>(end - p);
    if ((lead & 0xF0) == 0xE0) {
        if (left < 3 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80) return false;
        len = 3;
        cp = (lead & 0x0F) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
        return cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF);
    }
    if ((lead & 0xE0) == 0xC0) {
        if (left < 2 || (p[1] & 0xC0) != 0x80) return false;
        len = 2;
        cp = (lead & 0x1F) << 6 | (p[1] & 0x3Fu);
        return cp >= 0x80;
    }
    return false;
}

}  // namespace

// The two converters of an encoder.
struct Cp932Encoder::Converters {
    Converters()
        : toCp932(OpenConverter("CP932", "UTF-8")), toUtf8(OpenConverter("UTF-8", "CP932")) {}

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

    // True when text comes back as itself, through CP932 as bytes.
    bool Faithful(std::string_view text, std::string_view& bytes, char* buffer, std::size_t size) {
        const std::size_t length = Through(toCp932.get(), text, buffer, size / 2);
        if (length == 0) return false;
        bytes = std::string_view(buffer, length);
        char* back = buffer + size / 2;
        return std::string_view(back, Through(toUtf8.get(), bytes, back, size / 2)) == text;
    }

    IconvHandle toCp932;
    IconvHandle toUtf8;
};

Cp932Encoder::Cp932Encoder() : converters_(std::make_unique<Converters>()) {
    char ascii[128];
    for (int c = 0; c < 128; ++c) ascii[c] = static_cast<char>(c);
    const std::string_view all(ascii, sizeof ascii);
    char buffer[512];
    std::string_view bytes;
    asciiSame_ = converters_->Faithful(all, bytes, buffer, sizeof buffer) && bytes == all;
}

Cp932Encoder::~Cp932Encoder() = default;

std::uint32_t Cp932Encoder::FormAt(const unsigned char* p, const unsigned char* end,
                                   std::size_t& len) {
    std::uint32_t cp = 0;
    if (!NextCodePoint(p, end, len, cp)) return kRefused;
    std::unique_ptr<Page>& page = pages_[cp >> 8];
    if (page == nullptr) page = std::make_unique<Page>();  // value-initialised: kUnknown
    std::uint32_t& form = (*page)[cp & 0xFF];
    if (form != kUnknown) return form;
    char buffer[32];
    std::string_view bytes;
    form = kRefused;
    if (converters_->Faithful(std::string_view(reinterpret_cast<const char*>(p), len), bytes,
                              buffer, sizeof buffer)) {
        const std::uint32_t first = static_cast<unsigned char>(bytes[0]);
        if (bytes.size() == 1) form = 1u << 16 | first << 8;
        if (bytes.size() == 2) form = 2u << 16 | first << 8 | static_cast<unsigned char>(bytes[1]);
    }
    return form;
}

bool Cp932Encoder::Append(std::string_view text, std::string& out) {
    // A CP932 form is never longer than the UTF-8 sequence it replaces.
    const std::size_t start = out.size();
    out.resize(start + text.size() + 1);
    char* end = Write(text, out.data() + start);
    if (end == nullptr) return false;
    out.resize(static_cast<std::size_t>(end - out.data()));
    return true;
}

std::string ToWindowsForms(std::string_view text) {
    struct Form {
        std::string_view typed;
        std::string_view windows;
    };
    static constexpr Form kForms[] = {
        {"\u301C", "\uFF5E"}, {"\u2212", "\uFF0D"}, {"\u2016", "\u2225"}, {"\u00A2", "\uFFE0"},
        {"\u00A3", "\uFFE1"}, {"\u00AC", "\uFFE2"}, {"\u2014", "\u2015"}, {"\u00A5", "\uFFE5"},
    };
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        // Every typed form starts with a byte of 0xC2, 0xE2 or 0xE3.
        const auto byte = static_cast<unsigned char>(text[i]);
        const Form* found = nullptr;
        if (byte == 0xC2 || byte == 0xE2 || byte == 0xE3)
            for (const Form& form : kForms)
                if (text.substr(i, form.typed.size()) == form.typed) {
                    found = &form;
                    break;
                }
        if (found != nullptr) {
            out += found->windows;
            i += found->typed.size();
        } else {
            out += text[i++];
        }
    }
    return out;
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
    if (ch.empty() || !IsValidUtf8(ch))
        throw EncodingError("UTF-8として正しくない文字列があります");
    throw EncodingError("「" + ch + "」はCP932(Shift_JIS)で保存できない文字です");
}

std::string WithCp932StandIns(std::string_view text) {
    static constexpr std::string_view kStandIn = "\uFF1F";  // ？
    Cp932Encoder encoder;
    std::string out, scratch;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
        const std::string_view ch = text.substr(i, len);
        scratch.clear();
        if (IsValidUtf8(ch) && encoder.Append(ch, scratch)) {
            out += ch;
        } else {
            out += kStandIn;
            if (!IsValidUtf8(ch)) len = 1;  // a stray byte: the next one starts afresh
        }
        i += len;
    }
    return out;
}

bool IsCp932Encodable(std::string_view text) {
    return FirstNonCp932Character(text).empty();
}

std::string FirstNonCp932Character(std::string_view text) {
    return FirstUnfaithfulCharacter(text);
}

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
    Cp932PartDecoder decoder(piece);
    decoder.Add(bytes);
    decoder.Finish();
}

std::string DecodeFileText(std::string_view bytes) {
    std::string text;
    DecodeFileTextInPieces(bytes, [&text](std::string_view part) { text += part; });
    return text;
}

}  // namespace velmora
