#include "core/printstyle/style_fields.h"

#include <gtest/gtest.h>

#include "core/util/errors.h"

namespace velmora {
namespace {

TEST(TakeFieldTest, TakesFieldsOffTheFrontAndRepeatsTheLastPiece) {
    std::string line = "a;b";
    EXPECT_EQ(TakeField(line), "a");
    EXPECT_EQ(line, "b");
    EXPECT_EQ(TakeField(line), "b");
    EXPECT_EQ(line, "b");
    EXPECT_EQ(TakeField(line), "b");

    std::string trailing = "x;;";
    EXPECT_EQ(TakeField(trailing), "x");
    EXPECT_EQ(TakeField(trailing), "");
    EXPECT_EQ(trailing, "");
    EXPECT_EQ(TakeField(trailing), "");
}

TEST(TakeIntFieldTest, EmptyAndMissingFieldsReadAsZero) {
    std::string seven = "7;rest";
    EXPECT_EQ(TakeIntField(seven), 7);
    EXPECT_EQ(seven, "rest");

    // No ";" left: 0, and nothing is removed.
    EXPECT_EQ(TakeIntField(seven), 0);
    EXPECT_EQ(seven, "rest");
    std::string lone = "7";
    EXPECT_EQ(TakeIntField(lone), 0);
    EXPECT_EQ(lone, "7");

    std::string empty;
    EXPECT_EQ(TakeIntField(empty), 0);
    std::string emptyField = ";5;";
    EXPECT_EQ(TakeIntField(emptyField), 0);
    EXPECT_EQ(TakeIntField(emptyField), 5);

    std::string bad = "x;";
    EXPECT_THROW(TakeIntField(bad), ConversionError);
}

TEST(FieldReadersTest, MmIsStrictFixedPointIntIsStrictInt0NeverFails) {
    EXPECT_EQ(ReadMm("12.5").Raw(), 125000);
    EXPECT_EQ(ReadMm("-0.0001").Raw(), -1);
    EXPECT_EQ(ReadMm("3").Raw(), 30000);
    EXPECT_THROW(ReadMm(""), ConversionError);
    EXPECT_THROW(ReadMm("  "), ConversionError);
    EXPECT_THROW(ReadMm("1,5"), ConversionError);
    EXPECT_THROW(ReadMm("abc"), ConversionError);

    EXPECT_EQ(ReadInt("-12"), -12);
    EXPECT_EQ(ReadInt(" 7 "), 7);
    EXPECT_THROW(ReadInt(""), ConversionError);
    EXPECT_THROW(ReadInt("1.5"), ConversionError);
    EXPECT_THROW(ReadInt("+-5"), ConversionError);
    EXPECT_THROW(ReadInt("2147483648"), ConversionError);
    EXPECT_EQ(ReadInt("-2147483648"), -2147483648LL);
    try {
        ReadInt("abc");
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'abc' は正しい整数ではありません");
    }

    EXPECT_EQ(ReadInt0("25"), 25);
    EXPECT_EQ(ReadInt0(""), 0);
    EXPECT_EQ(ReadInt0("x1"), 0);
    EXPECT_EQ(ReadInt0("99999999999"), 0);

    EXPECT_EQ(ReadColour("255"), 0x0000FFu);
    EXPECT_EQ(ReadColour("16711680"), 0xFF0000u);
    EXPECT_EQ(ReadColour("red"), 0u);
}

TEST(FieldReaderTest, ReadsTypedFieldsInOrder) {
    FieldReader fields("1;x;2.5;;9;abc");
    EXPECT_EQ(fields.Int0(), 1);
    fields.Skip(1);
    EXPECT_EQ(fields.Mm().Raw(), 25000);
    EXPECT_EQ(fields.MmOrZero().Raw(), 0);
    EXPECT_EQ(fields.IntT(), 9);
    EXPECT_EQ(fields.Text(), "abc");
    EXPECT_EQ(fields.Text(), "abc");
    EXPECT_EQ(fields.IntT(), 0);
    EXPECT_THROW(fields.Int(), ConversionError);
}

}  // namespace
}  // namespace velmora
