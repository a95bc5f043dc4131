#include "core/printstyle/placeholders.h"

#include <gtest/gtest.h>

#include "core/util/fields.h"

namespace velmora {
namespace {

// A text item of 23 fields whose F23 (digit alignment) is 1.
constexpr std::string_view kAmountItem =
    "0;0;0;0;data;98;55.74;98;55.74;0;0;0;0;IPAexGothic;10;標準;0;-1.9;0;#if_03;0;0;1;";

TEST(ReplacePlaceholderTest, FirstOccurrenceZeroBlankAndEmptyLines) {
    std::string line = "#pg/#pg";
    EXPECT_TRUE(ReplacePlaceholder(line, "#pg", "3", false));
    EXPECT_EQ(line, "3/#pg");

    std::string missing = "頁 #PG";
    EXPECT_FALSE(ReplacePlaceholder(missing, "#pg", "3", false));
    EXPECT_EQ(missing, "頁 #PG");

    std::string zero = "[#id_01]";
    ReplacePlaceholder(zero, "#id_01", "0", true);
    EXPECT_EQ(zero, "[]");
    std::string zeroKept = "[#id_01]";
    ReplacePlaceholder(zeroKept, "#id_01", "0", false);
    EXPECT_EQ(zeroKept, "[0]");
    // Only the text "0" itself is blanked.
    std::string notZero = "[#id_01]";
    ReplacePlaceholder(notZero, "#id_01", "00", true);
    EXPECT_EQ(notZero, "[00]");

    // A line that is nothing but the placeholder must not become the empty line that ends
    // a style.
    std::string whole = "#id_01";
    ReplacePlaceholder(whole, "#id_01", "0", true);
    EXPECT_EQ(whole, "    ");
    std::string removed = "#KF";
    ReplacePlaceholder(removed, "#KF", "", false);
    EXPECT_EQ(removed, "    ");
}

TEST(ReplacePlaceholderTest, RedSetsTheColourOfNegativeValuesOnly) {
    std::string line(kAmountItem);
    EXPECT_TRUE(ReplacePlaceholderRed(line, "#if_03", "-12,345", true, false));
    EXPECT_EQ(line,
              "0;0;0;0;data;98;55.74;98;55.74;0;0;0;0;IPAexGothic;10;標準;0;-1.9;255;-12,345;0;0;");

    std::string optionOff(kAmountItem);
    ReplacePlaceholderRed(optionOff, "#if_03", "-12,345", false, false);
    EXPECT_EQ(optionOff,
              "0;0;0;0;data;98;55.74;98;55.74;0;0;0;0;IPAexGothic;10;標準;0;-1.9;0;-12,345;0;0;1;");

    std::string positive(kAmountItem);
    ReplacePlaceholderRed(positive, "#if_03", "12,345", true, false);
    EXPECT_EQ(positive,
              "0;0;0;0;data;98;55.74;98;55.74;0;0;0;0;IPAexGothic;10;標準;0;-1.9;0;12,345;0;0;1;");

    // Nothing replaced, nothing coloured.
    std::string elsewhere(kAmountItem);
    EXPECT_FALSE(ReplacePlaceholderRed(elsewhere, "#if_04", "-1", true, false));
    EXPECT_EQ(elsewhere, kAmountItem);

    std::string blanked(kAmountItem);
    ReplacePlaceholderRed(blanked, "#if_03", "0", true, true);
    EXPECT_EQ(blanked,
              "0;0;0;0;data;98;55.74;98;55.74;0;0;0;0;IPAexGothic;10;標準;0;-1.9;0;;0;0;1;");
}

TEST(ReplacePlaceholderTest, ShrinkNumbersOfElevenCharactersAndMore) {
    auto shrunk = [](std::string_view value) {
        std::string line(kAmountItem);
        ReplacePlaceholderShrink(line, "#if_03", value, false);
        return line;
    };
    EXPECT_EQ(
        shrunk("123,456,789"),  // 11 characters
        "0;0;0;0;data;98;55.74;98;55.74;0;0;0;0;IPAexGothic;9;標準;0;-1.6;0;123,456,789;0;0;");
    EXPECT_EQ(
        shrunk("12,345,678,901"),  // 14
        "0;0;0;0;data;98;55.74;98;55.74;0;0;0;0;IPAexGothic;9;標準;0;-1.6;0;12,345,678,901;0;0;");
    EXPECT_EQ(
        shrunk("123,456,789,012"),  // 15
        "0;0;0;0;data;98;55.74;98;55.74;0;0;0;0;IPAexGothic;9;標準;0;-1.6;0;123,456,789,012;0;0;");

    EXPECT_EQ(
        shrunk("-12,345,678"),
        "0;0;0;0;data;98;55.74;98;55.74;0;0;0;0;IPAexGothic;9;標準;0;-1.6;0;-12,345,678;0;0;");
    // Longer ones keep within the 24 mm of fifteen characters.
    EXPECT_EQ(
        shrunk("1234567890123456"),
        "0;0;0;0;data;98;55.74;98;55.74;0;0;0;0;IPAexGothic;8;標準;0;-1.5;0;1234567890123456;0;0;");
    EXPECT_EQ(shrunk("-9,999,999,999,999,999"),  // 22
              "0;0;0;0;data;98;55.74;98;55.74;0;0;0;0;IPAexGothic;5;標準;0;-1.05;0;"
              "-9,999,999,999,999,999;0;0;");

    const std::string unchanged =
        "0;0;0;0;data;98;55.74;98;55.74;0;0;0;0;IPAexGothic;10;標準;0;-1.9;0;%;0;0;1;";
    for (std::string_view value :
         {"12,345,678", "abcdefghijk", "12,345,678円", "000,000,000", ""}) {
        EXPECT_EQ(shrunk(value), ReplaceAll(unchanged, "%", value)) << value;
    }

    std::string elsewhere(kAmountItem);
    EXPECT_FALSE(ReplacePlaceholderShrink(elsewhere, "#if_04", "123,456,789", false));
    EXPECT_EQ(elsewhere, kAmountItem);
}

TEST(SetLineFieldTest, KeepsExactlyTwentyTwoFields) {
    EXPECT_EQ(SetLineField(kAmountItem, "255", 19),
              "0;0;0;0;data;98;55.74;98;55.74;0;0;0;0;IPAexGothic;10;標準;0;-1.9;255;#if_03;0;0;");
    // Short lines are padded with empty fields; a last piece without ";" is not a field.
    EXPECT_EQ(SetLineField("a;b;c", "X", 5), "a;b;;;X;;;;;;;;;;;;;;;;;;");
    EXPECT_EQ(SetLineField("", "9", 15), ";;;;;;;;;;;;;;9;;;;;;;;");
    // Every field after the 22nd goes, whatever is set.
    const std::string longLine =
        "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;22;23;24;25;";
    EXPECT_EQ(SetLineField(longLine, "x", 22),
              "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;x;");
    EXPECT_EQ(SetLineField(longLine, "x", 23),
              "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;22;");
}

TEST(RowTextTest, DatesCutAndDigits) {
    EXPECT_EQ(CutAtParen("04月01日(火)"), "04月01日");
    EXPECT_EQ(CutAtParen("(火)"), "");
    EXPECT_EQ(CutAtParen("04月01日"), "04月01日");
    EXPECT_EQ(CutAtParen(""), "");

    EXPECT_EQ(DateDigits("04月01日(火)"), "0401(火)");
    EXPECT_EQ(DateDigits("12月31日(水)月日"), "1231(水)月日");
    EXPECT_EQ(DateDigits(""), "0");
    EXPECT_EQ(DateDigits("月日"), "0");

    EXPECT_EQ(DayOfDate("04月01日(火)"), "01(火)");
    EXPECT_EQ(DayOfDate("01日(火)"), "01(火)");
    EXPECT_EQ(DayOfDate("04月"), "");
    EXPECT_EQ(DayOfDate(""), "");

    // The KOKUYO balance loses its sign this way.
    EXPECT_EQ(ReplaceAll("-12345", "-", ""), "12345");
    EXPECT_EQ(ReplaceAll("--1", "-", ""), "1");
}

TEST(RowTextTest, TitlePrefixByCharacters) {
    const std::string ideographicSpace = "\xE3\x80\x80";
    EXPECT_EQ(TitlePrefix(""), "");
    EXPECT_EQ(TitlePrefix("帳"), "");
    EXPECT_EQ(TitlePrefix("小口"), std::string(26, ' '));
    EXPECT_EQ(TitlePrefix("おこづ"), ideographicSpace + std::string(23, ' '));
    EXPECT_EQ(TitlePrefix("小口現金"), " " + ideographicSpace + std::string(21, ' '));
    EXPECT_EQ(TitlePrefix("現金出納帳"), "  " + ideographicSpace + std::string(19, ' '));
    EXPECT_EQ(TitlePrefix("現金出納帳A"), std::string(22, ' '));
    EXPECT_EQ(TitlePrefix(std::string(27, 'x')), " ");
    EXPECT_EQ(TitlePrefix(std::string(28, 'x')), "");
    std::string thirty;
    for (int i = 0; i < 30; ++i) thirty += "帳";
    EXPECT_EQ(TitlePrefix(thirty), "");
    // Counted in characters, not bytes: nine kanji are 27 bytes.
    EXPECT_EQ(TitlePrefix("銀行勘定帳現金出納"), std::string(19, ' '));
}

TEST(RowTextTest, RowNumbers) {
    EXPECT_EQ(RowNumber(0), "00");
    EXPECT_EQ(RowNumber(1), "01");
    EXPECT_EQ(RowNumber(9), "09");
    EXPECT_EQ(RowNumber(10), "10");
    EXPECT_EQ(RowNumber(56), "56");
    EXPECT_EQ(RowNumber(100), "100");
}

}  // namespace
}  // namespace velmora
