#include "core/util/codepage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "core/util/errors.h"

namespace velmora {
namespace {

TEST(Codepage, JapaneseTextRoundTrips) {
    EXPECT_EQ(Utf8ToCp932("現金ｱ\\~"), "\x8C\xBB\x8B\xE0\xB1\\~");
    EXPECT_EQ(Cp932ToUtf8("\x8C\xBB\x8B\xE0\xB1\\~"), "現金ｱ\\~");
    const std::string text = "現金出納帳　おこづかい帳①Ⅰ㈱～－￢∵ｶﾀｶﾅ、。";
    EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(text)), text);
    // Control codes pass unchanged in both directions.
    EXPECT_EQ(Utf8ToCp932("\x1A\x1C\x7F"), "\x1A\x1C\x7F");
    EXPECT_EQ(Cp932ToUtf8("\x1A\x1C\x7F"), "\x1A\x1C\x7F");
    EXPECT_EQ(Utf8ToCp932(""), "");

    // Half-width katakana triple in UTF-8: far more output than input.
    std::string katakana;
    for (int i = 0; i < 3000; ++i) katakana += "ｱ";
    EXPECT_EQ(Utf8ToCp932(katakana), std::string(3000, '\xB1'));
    EXPECT_EQ(Cp932ToUtf8(std::string(3000, '\xB1')), katakana);
}

TEST(Codepage, DoubleFormCharactersAreWrittenTheWindowsWay) {
    EXPECT_EQ(Cp932ToUtf8("\xED\x40"), "\u7E8A");  // NEC-selected IBM extension
    EXPECT_EQ(Cp932ToUtf8("\xFA\x5C"), "\u7E8A");  // IBM extension
    EXPECT_EQ(Utf8ToCp932("\u7E8A"), "\xFA\x5C");
    EXPECT_EQ(Cp932ToUtf8("\x87\x9A"), "∵");  // NEC special row
    EXPECT_EQ(Utf8ToCp932("∵"), "\x81\xE6");
    EXPECT_EQ(Cp932ToUtf8("\xFA\x54"), "￢");
    EXPECT_EQ(Utf8ToCp932("￢"), "\x81\xCA");
    EXPECT_EQ(Utf8ToCp932("①"), "\x87\x40");
}

TEST(Codepage, RefusesWhatCp932CannotHold) {
    EXPECT_TRUE(IsCp932Encodable("①現金"));
    EXPECT_FALSE(IsCp932Encodable("ab😀c"));
    EXPECT_EQ(FirstNonCp932Character("ab😀c€"), "😀");
    EXPECT_EQ(FirstNonCp932Character("現金"), "");
    try {
        Utf8ToCp932("交通費😀");
        ADD_FAILURE() << "no encoding error";
    } catch (const EncodingError& error) {
        EXPECT_THAT(error.what(), ::testing::HasSubstr("😀"));
    }
    EXPECT_THROW(Cp932ToUtf8("\x81\x20"), EncodingError);
    EXPECT_THROW(Cp932ToUtf8("ab\x82"), EncodingError);
}

// Characters that glibc writes as the byte of another character would come back changed
// from the file: they count as characters CP932 cannot hold.
TEST(Codepage, RefusesCharactersThatWouldComeBackChanged) {
    EXPECT_EQ(FirstNonCp932Character("価格¥100"), "¥");
    EXPECT_EQ(FirstNonCp932Character("4月〜5月"), "〜");
    EXPECT_EQ(FirstNonCp932Character("a‾b"), "‾");
    EXPECT_EQ(FirstNonCp932Character("～－∥\\~"), "");
    EXPECT_THROW(Utf8ToCp932("¥"), EncodingError);
    EXPECT_EQ(Utf8ToCp932("\\"), "\\");
}

TEST(Codepage, LinuxInputFormsBecomeTheCharactersWindowsKeeps) {
    const std::string typed = "〜−‖¢£¬—¥ a\\~ 〜〜";
    EXPECT_EQ(ToWindowsForms(typed), "～－∥￠￡￢―￥ a\\~ ～～");
    EXPECT_EQ(FirstNonCp932Character(ToWindowsForms(typed)), "");
    EXPECT_EQ(Utf8ToCp932(ToWindowsForms("〜−")), "\x81\x60\x81\x7C");
    EXPECT_EQ(ToWindowsForms("🚌\xC2"), "🚌\xC2");
}

TEST(Codepage, DecodeFileTextPrefersUtf8ThenCp932) {
    EXPECT_EQ(DecodeFileText("\x82\xA0,1\r\n"), "あ,1\r\n");
    EXPECT_EQ(DecodeFileText("\x8C\xBB\x8B\xE0,\xC3\xA9"), "現金,ﾃｩ");
    // Bytes valid both ways are UTF-8: "テスト" in UTF-8 is also a CP932 byte sequence.
    EXPECT_EQ(DecodeFileText("\xC3\xA9"), "é");
    EXPECT_EQ(DecodeFileText("テスト"), "テスト");
    EXPECT_EQ(DecodeFileText("テスト\r\n"), "テスト\r\n");
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF"
                             "abc"),
              "abc");
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF"
                             "現金"),
              "現金");
    EXPECT_EQ(DecodeFileText(""), "");
    EXPECT_THROW(DecodeFileText("ok\x81\x20\xC0"), EncodingError);
}

TEST(Codepage, IsValidUtf8RejectsMalformedSequences) {
    EXPECT_TRUE(IsValidUtf8("テスト😀"));
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE3\x81"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\x82\xA0"));
}

}  // namespace
}  // namespace velmora
