// SplitCommaText takes records without quotes or carriage returns eight bytes at a time;
// these cases put commas, quotes and carriage returns on both sides of those steps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/platform/line_list.h"

namespace velmora {
namespace {

using Views = std::vector<std::string_view>;

Views Split(std::string_view text) {
    Views items{"left over"};
    SplitCommaText(text, items);
    return items;
}

// The rules character by character: an item ends at a comma (outside quotes), a double
// quote or a carriage return; a leading quote opens a quoted item whose closing quote
// swallows the comma after it; a carriage return ends the whole text.
Views ByTheRules(std::string_view text) {
    Views items;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const bool quoted = text[pos] == '"';
        if (quoted) ++pos;
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '"' &&
               !(text[end] == ',' && !quoted))
            ++end;
        items.push_back(text.substr(pos, end - pos));
        if (end < text.size() && text[end] == '\r') break;
        pos = end + 1 + (quoted ? 1 : 0);
    }
    return items;
}

TEST(CommaSplit, CommasOnEitherSideOfEveryEightBytes) {
    EXPECT_EQ(Split("abcdefg,hijklmn,"), (Views{"abcdefg", "hijklmn"}));
    EXPECT_EQ(Split("abcdefgh,ijklmnop,q"), (Views{"abcdefgh", "ijklmnop", "q"}));
    EXPECT_EQ(Split(",,,,,,,,,,"), Views(10, ""));
    EXPECT_EQ(Split("12345678"), Views{"12345678"});
    EXPECT_EQ(Split("1234567812345678,"), Views{"1234567812345678"});
    // Bytes of multi-byte characters never read as commas.
    EXPECT_EQ(Split("d04=,2014/04/01,0,消耗品費,コピー用紙（山田商店）,0,1500,8500,"),
              (Views{"d04=", "2014/04/01", "0", "消耗品費", "コピー用紙（山田商店）", "0", "1500",
                     "8500"}));
    EXPECT_EQ(Split(""), Views{});
}

TEST(CommaSplit, QuotesAndCarriageReturnsPastTheFirstEightBytesKeepTheirRules) {
    EXPECT_EQ(Split("abcdefghij,\"k,l\",m,"), (Views{"abcdefghij", "k,l", "m"}));
    EXPECT_EQ(Split("abcdefghijklmnop\"q,r"), (Views{"abcdefghijklmnop", "q", "r"}));
    EXPECT_EQ(Split("abcdefgh,ijklmnop,qr\r\nst,uv"), (Views{"abcdefgh", "ijklmnop", "qr"}));
    EXPECT_EQ(Split("abc,def\r"), (Views{"abc", "def"}));
    EXPECT_EQ(Split("abcdefgh,ij\"klmnopqrstuvwxyz"),
              (Views{"abcdefgh", "ij", "klmnopqrstuvwxyz"}));
}

TEST(CommaSplit, AgreesWithTheCharacterRulesOnEveryMixOfStops) {
    // Twenty thousand texts of up to twenty bytes from a small alphabet, by a fixed walk.
    const std::string alphabet = "a,\"\r\xE3";
    std::uint64_t state = 12345;
    for (int round = 0; round < 20000; ++round) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const std::size_t length = (state >> 33) % 21;
        std::string text;
        for (std::size_t i = 0; i < length; ++i) {
            state = state * 6364136223846793005ULL + 1442695040888963407ULL;
            // Mostly plain characters, so that the eight-byte steps are taken.
            const std::size_t pick = (state >> 33) % 16;
            text += pick < 5 ? alphabet[pick] : 'x';
        }
        ASSERT_EQ(Split(text), ByTheRules(text)) << "text of " << text.size() << " bytes";
        Views items;
        const bool atEveryComma = text.find_first_of("\"\r") == std::string::npos;
        ASSERT_EQ(SplitCommaText(text, items), atEveryComma) << "text of " << text.size();
    }
}

}  // namespace
}  // namespace velmora
