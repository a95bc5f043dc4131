// The descriptions offered while typing: the title's own, most used and then latest first,
// followed by its quick descriptions.
#include "core/entry/description_completion.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using Texts = std::vector<std::string>;

TEST(DescriptionCompletion, MostUsedThenLatestThenTheQuickOnes) {
    Ledger ledger;
    ledger.transactions.Assign({
        "d04=,2014/04/01,0,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,",
        "d04=,2014/04/02,1,交通費,タクシー代,0,1500,,現金,現金出納帳,現金,現金出納帳,",
        "d04=,2014/04/03,2,消耗品,バス代,0,100,,現金,現金出納帳,現金,現金出納帳,",
        "d04=,2014/04/04,3,交通費,電車代,0,300,,現金,現金出納帳,現金,現金出納帳,",
        "d04=,2014/04/05,4,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,",
        "d04=,2014/04/06,5,交通費,,0,1,,現金,現金出納帳,現金,現金出納帳,",
        "d04=,2014/04/07,6,\"交通費\",\"駐車場,代\",0,500,,現金,現金出納帳,現金,現金出納帳,",
    });
    DescriptionCells quick{};
    quick[0] = "電車代";
    quick[1] = "高速料金";
    quick[5] = "ガソリン代";
    const Texts all = DescriptionCompletions(ledger, "交通費", quick);
    EXPECT_EQ(all,
              (Texts{"バス代", "駐車場,代", "電車代", "タクシー代", "高速料金", "ガソリン代"}));
    EXPECT_EQ(CompletionsStartingWith(all, "タ"), (Texts{"タクシー代"}));
    EXPECT_EQ(CompletionsStartingWith(all, ""), all);
    // A title nobody used yet offers its quick descriptions alone.
    EXPECT_EQ(DescriptionCompletions(ledger, "通信費", quick),
              (Texts{"電車代", "高速料金", "ガソリン代"}));
    EXPECT_EQ(DescriptionCompletions(ledger, "", DescriptionCells{}), Texts{});
}

}  // namespace
}  // namespace velmora
