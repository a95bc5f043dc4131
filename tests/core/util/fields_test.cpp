#include "core/util/fields.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/util/errors.h"

namespace velmora {
namespace {

// The field taken off and what is left of the line.
std::pair<std::string, std::string> TakeQuoted(std::string line) {
    std::string field = FirstQuotedField(line);
    return {field, line};
}

using Taken = std::pair<std::string, std::string>;

TEST(FieldN, ReturnsOnlyFieldsFollowedByTheSeparator) {
    EXPECT_EQ(FieldN("a,b,c", ",", 2), "b");
    EXPECT_EQ(FieldN("a,b,c", ",", 3), "");
    EXPECT_EQ(FieldN("g,0,4,1,2014,", ",", 5), "2014");
    EXPECT_EQ(FieldN("g,0,4,1,2014,", ",", 6), "");
    EXPECT_EQ(FieldN(",,x,", ",", 3), "x");
    EXPECT_EQ(FieldN("[Paper_Sel]=3=", "=", 2), "3");
    EXPECT_EQ(FieldN("a<>b<>", "<>", 2), "b");
}

TEST(SemicolonFieldN, FallsBackToTheLastFieldFound) {
    EXPECT_EQ(SemicolonFieldN("x;y;", 1), "x");
    EXPECT_EQ(SemicolonFieldN("x;y;", 2), "y");
    EXPECT_EQ(SemicolonFieldN("x;y;", 5), "y");
    EXPECT_EQ(SemicolonFieldN("x;y;z", 3), "y");
    EXPECT_EQ(SemicolonFieldN("xyz", 1), "");
}

TEST(AmountOf, ReadsLedgerAmountTexts) {
    EXPECT_EQ(AmountOf(""), Amount());
    EXPECT_EQ(AmountOf("1500"), Amount::FromYen(1500));
    EXPECT_EQ(AmountOf("-12.5"), Amount::FromRaw(-125000));
    EXPECT_THROW(AmountOf("1,500"), ConversionError);
    EXPECT_THROW(AmountOf("abc"), ConversionError);
}

TEST(PlainAmountText, RemovesSeparatorsAndFillsEmpty) {
    EXPECT_EQ(PlainAmountText("1,234,567"), "1234567");
    EXPECT_EQ(PlainAmountText("-1,000"), "-1000");
    EXPECT_EQ(PlainAmountText(""), "0");
    EXPECT_EQ(PlainAmountText(",,"), "0");
}

TEST(FirstQuotedField, TakesPlainAndQuotedFields) {
    EXPECT_EQ(TakeQuoted("d04=,2014/04/01,"), (Taken{"d04=", "2014/04/01,"}));
    EXPECT_EQ(TakeQuoted("abc"), (Taken{"abc", ""}));
    EXPECT_EQ(TakeQuoted(",x"), (Taken{"", "x"}));
    EXPECT_EQ(TakeQuoted("\"a,b\",c,d"), (Taken{"a,b", "c,d"}));
    EXPECT_EQ(TakeQuoted("\",x\",y"), (Taken{",x", "y"}));
    EXPECT_EQ(TakeQuoted("\"a,,b\",c"), (Taken{"a,,b", "c"}));
    EXPECT_EQ(TakeQuoted("\"abc\""), (Taken{"abc", ""}));
    EXPECT_EQ(TakeQuoted("\"\",x"), (Taken{"", "x"}));
    EXPECT_EQ(TakeQuoted("\"a,b,c"), (Taken{"a,b,c", ""}));
}

TEST(WideTrim, RemovesAsciiAndIdeographicSpacesAtBothEnds) {
    EXPECT_EQ(WideTrim("　　　"), "");
    EXPECT_EQ(WideTrim("   "), "");
    EXPECT_EQ(WideTrim(" 交通費　"), "交通費");
    EXPECT_EQ(WideTrim("\t　 x 　 \r\n"), "x");
    EXPECT_EQ(WideTrim("a　b c"), "a　b c");
    EXPECT_EQ(TrimBlanks("\t a b \r\n"), "a b");
}

TEST(TextEdits, ReplaceAllAndRemoveQuotesAndCommas) {
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("a,b,c", ",", ",,"), "a,,b,,c");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("#P1/#P2", "#P", "頁"), "頁1/頁2");
    EXPECT_EQ(RemoveQuotesAndCommas("\"バス代,往復\""), "バス代往復");
}

TEST(ParseInt, AcceptsOnlyWholeDecimalIntegers) {
    long long value = 0;
    EXPECT_TRUE(ParseInt(" 42 ", value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(ParseInt("-7", value));
    EXPECT_EQ(value, -7);
    EXPECT_TRUE(ParseInt("+5", value));
    EXPECT_EQ(value, 5);
    for (const char* bad :
         {"", " ", "12a", "1.5", "+-5", "-+5", "--5", "+", "-", "99999999999999999999", "１２"})
        EXPECT_FALSE(ParseInt(bad, value)) << bad;
    EXPECT_EQ(IntOr("13", 0), 13);
    EXPECT_EQ(IntOr("x", 9), 9);
}

}  // namespace
}  // namespace velmora
