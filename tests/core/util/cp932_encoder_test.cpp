// The encoder converts each distinct character through iconv once and then looks it up;
// what it writes and what it refuses must be what converting each character afresh gives.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/file_io.h"
#include "core/util/codepage.h"
#include "core/util/errors.h"

namespace velmora {
namespace {

// The character as UTF-8.
std::string Utf8Of(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

// One conversion through a fresh converter; nullopt when it fails.
std::optional<std::string> Iconv(const char* to, const char* from, const std::string& text) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string buffer(text.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* out = buffer.data();
    std::size_t outLeft = buffer.size();
    const bool ok =
        iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return buffer.substr(0, buffer.size() - outLeft);
}

// The CP932 form of a character when it comes back as itself; nullopt otherwise.
std::optional<std::string> FaithfulForm(const std::string& ch) {
    auto bytes = Iconv("CP932", "UTF-8", ch);
    if (!bytes) return std::nullopt;
    auto back = Iconv("UTF-8", "CP932", *bytes);
    if (!back || *back != ch) return std::nullopt;
    return bytes;
}

TEST(Cp932Encoder, EveryCharacterOfTheBmpAsAFreshConversionGivesIt) {
    Cp932Encoder encoder;
    std::string expectedAll;
    std::string encodedAll;
    int accepted = 0;
    for (char32_t cp = 0; cp <= 0xFFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        const std::string ch = Utf8Of(cp);
        const std::optional<std::string> expected = FaithfulForm(ch);
        // Twice: the second time the form is looked up.
        for (int pass = 0; pass < 2; ++pass) {
            std::string out = "x";
            const bool ok = encoder.Append(ch, out);
            const auto code = static_cast<std::uint32_t>(cp);
            ASSERT_EQ(ok, expected.has_value()) << "U+" << std::hex << code << " pass " << pass;
            if (ok) {
                ASSERT_EQ(out, "x" + *expected) << "U+" << std::hex << code;
            }
        }
        if (expected) {
            ++accepted;
            expectedAll += *expected;
            encodedAll += ch;
        }
    }
    // Every character CP932 holds faithfully, about seven thousand of them, at once.
    EXPECT_GT(accepted, 7000);
    EXPECT_EQ(Utf8ToCp932(encodedAll), expectedAll);
    std::string out;
    EXPECT_TRUE(Cp932Encoder().Append(encodedAll, out));
    EXPECT_EQ(out, expectedAll);
}

// ASCII is copied eight bytes at a time where it can be: runs of every length between
// characters of two and three bytes, and at the very end.
TEST(Cp932Encoder, AsciiRunsOfEveryLengthAmongOtherCharacters) {
    std::string text;
    for (int run = 0; run < 20; ++run)
        text += std::string(static_cast<std::size_t>(run), 'a' + run) + "現α";
    for (int tail = 0; tail < 12; ++tail) {
        const std::string whole = text + std::string(static_cast<std::size_t>(tail), 'z');
        std::string out = "#";
        ASSERT_TRUE(Cp932Encoder().Append(whole, out));
        const std::optional<std::string> expected = Iconv("CP932", "UTF-8", whole);
        ASSERT_TRUE(expected.has_value());
        EXPECT_EQ(out, "#" + *expected) << tail;
    }
}

TEST(Cp932Encoder, RefusesWhatIsNotUtf8OrNotHeldAndUtf8ToCp932SaysWhat) {
    const std::vector<std::string> refused{
        "ab\x80",    // a stray continuation byte
        "\xE7\x8F",  // cut short
        "\xE7\x8F"
        "a",             // a lead byte without its continuation
        "\xC0\x80",      // overlong
        "\xED\xA0\x80",  // a surrogate
        "\xF8\x80\x80",  // no sequence starts so
        "現金😀",         // beyond the BMP
        "価格¥100",      // written as another character's byte
    };
    for (const std::string& text : refused) {
        std::string out;
        EXPECT_FALSE(Cp932Encoder().Append(text, out)) << text;
        EXPECT_THROW(Utf8ToCp932(text), EncodingError) << text;
    }
    try {
        Utf8ToCp932("交通費😀");
        ADD_FAILURE() << "no encoding error";
    } catch (const EncodingError& error) {
        EXPECT_STREQ(error.what(), "「😀」はCP932(Shift_JIS)で保存できない文字です");
    }
    try {
        Utf8ToCp932("ab\x80");
        ADD_FAILURE() << "no encoding error";
    } catch (const EncodingError& error) {
        EXPECT_STREQ(error.what(), "UTF-8として正しくない文字列があります");
    }

    // Lines: CR LF after each; a refused character anywhere is named as the whole text
    // would name it.
    EXPECT_EQ(EncodeTextLines({"現金", "", "a,1"}), "\x8C\xBB\x8B\xE0\r\n\r\na,1\r\n");
    try {
        EncodeTextLines({"現金", "a〜b", "😀"});
        ADD_FAILURE() << "no encoding error";
    } catch (const EncodingError& error) {
        EXPECT_STREQ(error.what(), "「〜」はCP932(Shift_JIS)で保存できない文字です");
    }
}

}  // namespace
}  // namespace velmora
