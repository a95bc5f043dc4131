#include "core/util/text_length.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace velmora {
namespace {

TEST(TextLength, CountsCodePointsUtf16UnitsAndCp932Bytes) {
    EXPECT_EQ(CodePointCount("aあ😀"), 3u);
    EXPECT_EQ(Utf16Length("aあ😀"), 4u);
    EXPECT_EQ(Utf16Length("😀😀"), 4u);
    EXPECT_EQ(Cp932Length("aｱあ"), 4u);
    EXPECT_EQ(Cp932Length("ｶﾀｶﾅ"), 4u);
    EXPECT_EQ(Cp932Length("現金出納帳"), 10u);
    EXPECT_EQ(Cp932Length("😀"), 2u);
    EXPECT_EQ(CodePointCount(""), 0u);
    EXPECT_EQ(Cp932Length(""), 0u);
}

TEST(TextLength, CutsNeverSplitACharacter) {
    EXPECT_EQ(CutToCp932Bytes("あいうえおかきくけこさ", 20), "あいうえおかきくけこ");
    EXPECT_EQ(CutToCp932Bytes("あいうえおかきくけこさ", 21), "あいうえおかきくけこ");
    EXPECT_EQ(CutToCp932Bytes("aあ", 2), "a");
    EXPECT_EQ(CutToCp932Bytes("ｱｲｳ", 2), "ｱｲ");
    EXPECT_EQ(CutToCp932Bytes("abc", 10), "abc");
    EXPECT_EQ(CutToUtf16Units("a😀b", 2), "a");
    EXPECT_EQ(CutToUtf16Units("a😀b", 3), "a😀");
    EXPECT_EQ(CutToUtf16Units("a😀b", 0), "");
    EXPECT_EQ(CutToUtf16Units("あいう", 2), "あい");
    EXPECT_EQ(CutToCodePoints("あ😀う", 2), "あ😀");
    EXPECT_EQ(CutToCodePoints("あ", 5), "あ");
}

TEST(TextLength, SplitCharactersKeepsSequencesWhole) {
    std::vector<std::string_view> chars;
    SplitCharacters("aあ😀", chars);
    EXPECT_EQ(chars, (std::vector<std::string_view>{"a", "あ", "😀"}));
    // A sequence cut off at the end stays within the text.
    SplitCharacters("a\xE3\x81", chars);
    EXPECT_EQ(chars, (std::vector<std::string_view>{"a", "\xE3\x81"}));
    EXPECT_EQ(CodePointCount("a\xE3\x81"), 2u);
}

TEST(TextLength, CodePointsOfCharactersAndBack) {
    for (const char* c : {"a", "\xC2\xA5", "ｱ", "あ", "😀"}) {
        std::string back;
        AppendCodePoint(back, CodePointOf(c));
        EXPECT_EQ(back, c);
    }
    EXPECT_EQ(CodePointOf("ｱ"), U'\uFF71');
    EXPECT_EQ(CodePointOf("\xE3\x81"), U'\uFFFD');  // cut short
    EXPECT_EQ(CodePointOf("\x80"), U'\uFFFD');
}

}  // namespace
}  // namespace velmora
