// Large files are decoded and split into lines a part at a time; wherever the parts are
// cut, the lines must be those of the whole text.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "core/platform/file_io.h"
#include "core/util/codepage.h"
#include "core/util/errors.h"
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
    // Line ends of one kind only, then the other kind after many lines.
    std::string mixed;
    Lines expected;
    for (int i = 0; i < 500; ++i) {
        expected.push_back("r" + std::to_string(i));
        mixed += expected.back() + "\r";
    }
    for (int i = 0; i < 500; ++i) {
        expected.push_back("n" + std::to_string(i));
        mixed += expected.back() + (i % 2 == 0 ? "\n" : "\r\n");
    }
    EXPECT_EQ(SplitWhole(mixed), expected);
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

// Every cut of a short text into two or three parts: UTF-8 validity and CP932 decoding of
// the parts must be those of the whole, refusals at the same byte.
TEST(TextInParts, ValidityAndCp932DecodingWhereverThePartsAreCut) {
    const std::vector<std::string> texts{
        "a現金b",
        "\xEF\xBB\xBF現\r\n",
        "ab\xE7\x8F",  // cut short at the end
        "\xE7\x8F"
        "a\xBE",              // a continuation byte out of its place
        "\xC0\x80x",          // overlong
        "\xF0\x9F\x98\x80!",  // four bytes
    };
    for (const std::string& text : texts)
        for (std::size_t i = 0; i <= text.size(); ++i)
            for (std::size_t j = i; j <= text.size(); ++j) {
                Utf8Validity validity;
                for (std::string_view part :
                     {std::string_view(text).substr(0, i), std::string_view(text).substr(i, j - i),
                      std::string_view(text).substr(j)})
                    validity.Add(part);
                EXPECT_EQ(validity.Valid(), IsValidUtf8(text)) << text << " " << i << " " << j;
            }

    const std::vector<std::string> cp932{
        Utf8ToCp932("現金ｱ,1\r\n預金"),
        "ab\x82\xA0\x81\x20yz",  // a pair with a trail byte out of range
        "\x8C\xBB\x8B",          // a first byte of two at the end
        "\x80"
        "abc",
    };
    for (const std::string& bytes : cp932) {
        std::string expected;
        std::string refusal;
        try {
            DecodeFileTextInPieces(bytes, [&](std::string_view text) { expected += text; });
        } catch (const EncodingError& error) {
            refusal = error.what();
        }
        for (std::size_t i = 0; i <= bytes.size(); ++i) {
            std::string text;
            std::string partsRefusal;
            try {
                Cp932PartDecoder decoder([&](std::string_view piece) { text += piece; });
                decoder.Add(std::string_view(bytes).substr(0, i));
                decoder.Add(std::string_view(bytes).substr(i));
                decoder.Finish();
            } catch (const EncodingError& error) {
                partsRefusal = error.what();
            }
            EXPECT_EQ(partsRefusal, refusal) << i;
            if (refusal.empty()) {
                EXPECT_EQ(text, expected) << i;
            }
        }
    }
}

// Files longer than a part: a character of either code cut by the end of a part, a byte-
// order mark, and a refusal past the first part named by its place in the file.
TEST(TextInParts, FilesLongerThanAPart) {
    testing::TempFolder folder;
    const std::string filler(256 * 1024 - 1, 'x');  // the next character crosses a part

    testing::WriteBytes(folder.File("utf8.txt"),
                        "\xEF\xBB\xBF" + filler.substr(3) + "現金\r\n預金,1");
    EXPECT_EQ(ReadTextLines(folder.File("utf8.txt")), (Lines{filler.substr(3) + "現金", "預金,1"}));

    testing::WriteBytes(folder.File("cp932.txt"), Utf8ToCp932(filler + "現金\r\n預金,1"));
    EXPECT_EQ(ReadTextLines(folder.File("cp932.txt")), (Lines{filler + "現金", "預金,1"}));

    // ASCII for two parts, then a byte that makes the whole file CP932.
    testing::WriteBytes(folder.File("late.txt"), filler + filler + "\r\n\x82\xA0");
    EXPECT_EQ(ReadTextLines(folder.File("late.txt")), (Lines{filler + filler, "あ"}));

    testing::WriteBytes(folder.File("broken.txt"), Utf8ToCp932(filler + filler + "現金") + "\x82");
    try {
        ReadTextLines(folder.File("broken.txt"));
        ADD_FAILURE() << "no encoding error";
    } catch (const EncodingError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "ファイルの文字コードがCP932(Shift_JIS)でもUTF-8でもありません(" +
                      std::to_string(filler.size() * 2 + 4 + 1) + "バイト目)");
    }
}

}  // namespace
}  // namespace velmora
