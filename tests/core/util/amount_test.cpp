#include "core/util/amount.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "core/util/errors.h"

namespace velmora {
namespace {

constexpr std::int64_t kMaxRaw = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinRaw = std::numeric_limits<std::int64_t>::min();

TEST(AmountParse, ReadsPlainDecimalsToTenThousandths) {
    EXPECT_EQ(Amount::Parse("").Raw(), 0);
    EXPECT_EQ(Amount::Parse("   ").Raw(), 0);
    EXPECT_EQ(Amount::Parse("1500").Raw(), 15000000);
    EXPECT_EQ(Amount::Parse("-12.5").Raw(), -125000);
    EXPECT_EQ(Amount::Parse(" 300\t").Raw(), 3000000);
    EXPECT_EQ(Amount::Parse(".5").Raw(), 5000);
    EXPECT_EQ(Amount::Parse("0.0001").Raw(), 1);
    // Beyond four decimals: the nearest ten-thousandth, halves away from zero.
    EXPECT_EQ(Amount::Parse("0.12345").Raw(), 1235);
    EXPECT_EQ(Amount::Parse("-0.12345").Raw(), -1235);
    EXPECT_EQ(Amount::Parse("0.123449").Raw(), 1234);
    EXPECT_EQ(Amount::Parse("1.99995").Raw(), 20000);
    EXPECT_EQ(Amount::Parse("922337203685477.5807").Raw(), kMaxRaw);
    EXPECT_EQ(Amount::Parse("-922337203685477.5807").Raw(), -kMaxRaw);
}

TEST(AmountParse, RefusesJunkAndOverflow) {
    for (const char* bad :
         {"abc", "1,500", "12.5.1", "-", ".", "1e3", "\\100", "１００", "1 000", "--1",
          "922337203685478", "922337203685477.5808", "922337203685477.9999",
          "922337203685477.58075", "-922337203685477.9999", "99999999999999999999"}) {
        EXPECT_FALSE(Amount::TryParse(bad).has_value()) << bad;
        EXPECT_THROW(Amount::Parse(bad), ConversionError) << bad;
    }
    try {
        Amount::Parse("12円");
        ADD_FAILURE() << "no conversion error";
    } catch (const ConversionError& error) {
        EXPECT_THAT(error.what(), ::testing::HasSubstr("12円"));
    }
}

TEST(AmountText, PlainTextHasNoSeparatorsAndOnlyNeededDecimals) {
    EXPECT_EQ(Amount::FromYen(1500).PlainText(), "1500");
    EXPECT_EQ(Amount::FromYen(-300).PlainText(), "-300");
    EXPECT_EQ(Amount::FromRaw(125000).PlainText(), "12.5");
    EXPECT_EQ(Amount::FromRaw(1).PlainText(), "0.0001");
    EXPECT_EQ(Amount::FromRaw(-5000).PlainText(), "-0.5");
    EXPECT_EQ(Amount().PlainText(), "0");
    EXPECT_EQ(Amount::FromYen(1234567).PlainText(), "1234567");
    EXPECT_EQ(Amount::FromRaw(kMaxRaw).PlainText(), "922337203685477.5807");
    EXPECT_EQ(Amount::FromRaw(kMinRaw).PlainText(), "-922337203685477.5808");
    for (std::int64_t raw : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{123456789},
                             std::int64_t{-10000}, kMaxRaw})
        EXPECT_EQ(Amount::Parse(Amount::FromRaw(raw).PlainText()).Raw(), raw);
}

TEST(AmountText, YenTextRoundsHalvesAwayFromZero) {
    EXPECT_EQ(Amount::FromRaw(12345000).YenText(), "1,235");
    EXPECT_EQ(Amount::FromRaw(-12345000).YenText(), "-1,235");
    EXPECT_EQ(Amount::FromRaw(12344999).YenText(), "1,234");
    EXPECT_EQ(Amount::FromRaw(-5000).YenText(), "-1");
    EXPECT_EQ(Amount::FromRaw(4999).YenText(), "0");
    EXPECT_EQ(Amount::FromRaw(-4999).YenText(), "0");
    EXPECT_EQ(Amount::FromYen(1000).YenText(), "1,000");
    EXPECT_EQ(Amount::FromYen(1234567).YenText(), "1,234,567");
    EXPECT_EQ(Amount::FromRaw(-9999995000).YenText(), "-1,000,000");
    EXPECT_EQ(Amount::FromRaw(-125000).TruncatedYen(), -12);
    EXPECT_EQ(Amount::FromRaw(-125000).RoundedYen(), -13);
    EXPECT_EQ(GroupThousands(kMinRaw), "-9,223,372,036,854,775,808");
}

TEST(AmountText, CurrencyTextPutsTheSymbolBeforeTheSign) {
    EXPECT_EQ(Amount::FromYen(1234).CurrencyText(), "\\1,234");
    EXPECT_EQ(Amount::FromYen(-1234).CurrencyText(), "\\-1,234");
    EXPECT_EQ(Amount().CurrencyText(), "\\0");
    EXPECT_EQ(Amount::FromRaw(15000).CurrencyText(), "\\2");
}

}  // namespace
}  // namespace velmora
