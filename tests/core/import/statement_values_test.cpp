#include "core/import/statement_values.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(StatementValues, DatesInEveryFormBanksWrite) {
    const Date may22 = Date::FromYmd(2024, 5, 22);
    for (const char* text : {"2024/05/22", "2024/5/22", "2024-05-22", "2024.05.22", "20240522",
                             "2024年5月22日", "R6.5.22", "r06/05/22", "令和6年5月22日",
                             "２０２４／０５／２２", "Ｒ６．５．２２", " 2024/05/22 10:31:05"})
        EXPECT_EQ(ParseStatementDate(text), may22) << text;
    EXPECT_EQ(ParseStatementDate("H31.4.30"), Date::FromYmd(2019, 4, 30));
    EXPECT_EQ(ParseStatementDate("平成31年4月30日"), Date::FromYmd(2019, 4, 30));
    EXPECT_EQ(ParseStatementDate("令和元年5月1日"), Date::FromYmd(2019, 5, 1));
    EXPECT_EQ(ParseStatementDate("S64.1.7"), Date::FromYmd(1989, 1, 7));
    EXPECT_EQ(ParseStatementDate("24/05/22"), may22);  // two digits as the ledger reads them
    for (const char* text : {"", "合計", "2024/02/30", "R0.5.1", "2024/05", "2024/05/22/1",
                             "202405221", "令和6年13月1日"})
        EXPECT_EQ(ParseStatementDate(text), std::nullopt) << text;
}

TEST(StatementValues, AmountsWithSeparatorsSignsAndFullWidthDigits) {
    const struct {
        const char* text;
        std::int64_t yen;
    } amounts[] = {
        {"1234", 1234},
        {"1,234", 1234},
        {"\"1,234\"", 1234},
        {"1,234円", 1234},
        {"￥1,234", 1234},
        {"\\1,234", 1234},
        {"１２，３４５", 12345},
        {"-500", -500},
        {"△500", -500},
        {"▲1,000", -1000},
        {"(500)", -500},
        {"+500", 500},
        {"－５００", -500},
        {"", 0},
        {"  ", 0},
        {"0", 0},
    };
    for (const auto& a : amounts)
        EXPECT_EQ(ParseStatementAmount(a.text), Amount::FromYen(a.yen)) << a.text;
    EXPECT_EQ(ParseStatementAmount("12.5"), Amount::Parse("12.5"));
    for (const char* text : {"abc", "1-2", "-", "1.2.3", "12,5a", "△"})
        EXPECT_EQ(ParseStatementAmount(text), std::nullopt) << text;
}

TEST(StatementValues, HalfWidthKanaAsABookkeeperTypesIt) {
    EXPECT_EQ(WidenHalfWidthKana("ﾌﾘｺﾐ ﾔﾏﾀﾞ"), "フリコミ　ヤマダ");
    EXPECT_EQ(WidenHalfWidthKana("  ﾃﾞﾝｷ   ﾀﾞｲ  "), "デンキ　ダイ");
    EXPECT_EQ(WidenHalfWidthKana("ﾊﾟﾝ ﾎﾞｰﾙ ｳﾞｨ"), "パン　ボール　ヴィ");
    EXPECT_EQ(WidenHalfWidthKana("ｶ)ﾔﾏﾀﾞｼｮｳｼﾞ｡｢ｱ｣､･ｦ"), "カ)ヤマダショウジ。「ア」、・ヲ");
    // A mark after a kana it does not join stays a mark of its own.
    EXPECT_EQ(WidenHalfWidthKana("ｱﾞﾏﾟ"), "ア゛マ゜");
    // Without half-width kana the spaces are the writer's.
    EXPECT_EQ(WidenHalfWidthKana("ATM 引出"), "ATM 引出");
    EXPECT_EQ(WidenHalfWidthKana("ATM ﾋｷﾀﾞｼ"), "ATM　ヒキダシ");
}

}  // namespace
}  // namespace velmora
