// Large files are decoded and split into lines a part at a time; wherever the parts are
// cut, the lines must be those of the whole text.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "core/util/codepage.h"
#include "core/util/errors.h"
#include "core/util/file_io.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

Lines SplitWhole(std::string_view text) {
    Lines lines;
    SplitTextLines(text, lines);
    return lines;
}

Lines SplitInParts(std::string_view text, const std::vector<std::size_t>& cuts) {
    Lines lines;
    TextLineSplitter splitter(lines);
    std::size_t from = 0;
    for (std::size_t cut : cuts) {
        splitter.Add(text.substr(from, cut - from));
        from = cut;
    }
    splitter.Add(text.substr(from));
    splitter.Finish();
    return lines;
}

TEST(TextInParts, LinesAreTheSameWhereverThePartsAreCut) {
    EXPECT_EQ(SplitWhole("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitWhole("a\r\r\n\n"), (Lines{"a", "", ""}));
    EXPECT_EQ(SplitInParts("a\r\nb", {2}), (Lines{"a", "b"}));
    EXPECT_EQ(SplitInParts("a\r\r\nb", {2, 2, 3}), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitInParts("ab", {1}), Lines{"ab"});
    EXPECT_EQ(SplitInParts("", {}), Lines{});
    const std::string texts[] = {"交通費,バス代,\r\n消耗品費,\r\n", "\r\n\r\n\n\r\rx\r\ny",
                                 "one line without an end", "a\nb\r\n\r\nc\r"};
    for (const std::string& text : texts) {
        const Lines whole = SplitWhole(text);
        for (std::size_t i = 0; i <= text.size(); ++i)
            for (std::size_t j = i; j <= text.size(); ++j)
                ASSERT_EQ(SplitInParts(text, {i, j}), whole) << "cut at " << i << " and " << j;
    }
}

TEST(TextInParts, DecodingInPartsGivesTheWholeTextAndTheSameRefusal) {
    // Enough text for several parts of the converter's buffer.
    std::string utf8;
    for (int i = 0; i < 12000; ++i)
        utf8 += "d04=,2024/04/01," + std::to_string(i) + ",消耗品費,ｺﾋﾟｰ用紙,\r\n";
    const std::string cp932 = Utf8ToCp932(utf8);
    std::string joined;
    int parts = 0;
    DecodeFileTextInPieces(cp932, [&](std::string_view part) {
        joined += part;
        ++parts;
    });
    EXPECT_EQ(joined, utf8);
    EXPECT_GT(parts, 3);
    EXPECT_EQ(DecodeFileText(cp932), utf8);

    // A receiver whose work sets errno (an allocator may) does not turn a full buffer into
    // a refusal.
    std::string received;
    DecodeFileTextInPieces(cp932, [&](std::string_view part) {
        received += part;
        errno = EILSEQ;
    });
    EXPECT_EQ(received, utf8);

    // Valid UTF-8 comes as one part, without its byte-order mark.
    std::vector<std::string> seen;
    DecodeFileTextInPieces(
        "\xEF\xBB\xBF"
        "現金",
        [&](std::string_view part) { seen.emplace_back(part); });
    EXPECT_EQ(seen, std::vector<std::string>{"現金"});

    const std::string broken = cp932.substr(0, 200000) + "\x82";
    try {
        DecodeFileTextInPieces(broken, [](std::string_view) {});
        ADD_FAILURE() << "no encoding error";
    } catch (const EncodingError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "ファイルの文字コードがCP932(Shift_JIS)でもUTF-8でもありません(200001バイト目)");
    }
}

TEST(TextInParts, ReadTextLinesOfALargeCp932File) {
    testing::TempFolder folder;
    Lines expected;
    std::string utf8;
    for (int i = 0; i < 20000; ++i) {
        expected.push_back("z,小口,本店" + std::to_string(i) + ",5000,");
        utf8 += expected.back() + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    }
    expected.push_back("g,0,4,1,2024,");
    utf8 += expected.back();
    testing::WriteBytes(folder.File("large.exv"), Utf8ToCp932(utf8));
    EXPECT_EQ(ReadTextLines(folder.File("large.exv")), expected);
}

}  // namespace
}  // namespace velmora
