// CP932 is decoded through a table of the byte sequences met; every sequence of one or two
// bytes must decode as iconv decodes it afresh, and fail where iconv fails.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <string>
#include <vector>

#include "core/util/codepage.h"
#include "core/util/errors.h"

namespace velmora {
namespace {

struct Fresh {
    bool ok = false;
    std::string text;
    std::size_t failedAt = 0;
};

// The bytes through a fresh converter in one call.
Fresh IconvDecode(const std::string& bytes) {
    Fresh fresh;
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return fresh;
    std::string out(bytes.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    fresh.ok = iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    fresh.text = out.substr(0, out.size() - outLeft);
    fresh.failedAt = bytes.size() - inLeft;
    return fresh;
}

std::string Message(std::size_t failedAt) {
    return "CP932(Shift_JIS)として読めないバイト列があります(" + std::to_string(failedAt + 1) +
           "バイト目)";
}

void ExpectAsIconv(const std::string& bytes) {
    const Fresh fresh = IconvDecode(bytes);
    try {
        const std::string text = Cp932ToUtf8(bytes);
        EXPECT_TRUE(fresh.ok) << "decoded what iconv refuses: " << testing::PrintToString(bytes);
        EXPECT_EQ(text, fresh.text) << testing::PrintToString(bytes);
    } catch (const EncodingError& error) {
        EXPECT_FALSE(fresh.ok) << "refused what iconv decodes: " << testing::PrintToString(bytes);
        EXPECT_EQ(error.what(), Message(fresh.failedAt)) << testing::PrintToString(bytes);
    }
}

TEST(Cp932Decoding, EveryByteAndPairAsAFreshConversionGivesIt) {
    for (int first = 0; first < 256; ++first) {
        ExpectAsIconv(std::string(1, static_cast<char>(first)));
        for (int second = 0; second < 256; ++second)
            ExpectAsIconv(std::string{static_cast<char>(first), static_cast<char>(second)});
        if (HasFailure()) break;
    }
}

TEST(Cp932Decoding, RefusalsNameTheByteWhereIconvStops) {
    for (const std::string& bytes : std::vector<std::string>{
             "abc\x82\xA0\x81\x20xyz",  // a pair with a trail byte below the trail range
             "\x8C\xBB\x8B\xE0\x82",    // a lead byte at the end
             "ab\x80",                  // a byte that is neither character nor lead
             "\xA0\xB1\xFD",            // after half-width katakana
             "\xFF\xFF",
         }) {
        ExpectAsIconv(bytes);
        EXPECT_THROW(Cp932ToUtf8(bytes), EncodingError);
    }
    // A large text decodes in parts that never cut a character.
    std::string bytes;
    for (int i = 0; i < 40000; ++i) bytes += "\x8C\xBB\x8B\xE0\xB1,12\r\n";
    std::string joined;
    DecodeFileTextInPieces(bytes, [&joined](std::string_view part) {
        EXPECT_TRUE(IsValidUtf8(part));
        joined += part;
    });
    EXPECT_EQ(joined, IconvDecode(bytes).text);
}

}  // namespace
}  // namespace velmora
