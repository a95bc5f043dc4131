#include "core/import/statement_file.h"

#include <gtest/gtest.h>

#include "core/util/codepage.h"
#include "core/util/errors.h"

namespace velmora {
namespace {

TEST(StatementFile, CodePageFoundByItselfOrChosen) {
    const std::string text = "日付,摘要\r\n2024/05/22,ﾌﾘｺﾐ\r\n";
    const StatementText sjis = DecodeStatement(Utf8ToCp932(text), StatementEncoding::Auto);
    EXPECT_EQ(sjis.found, StatementEncoding::ShiftJis);
    EXPECT_EQ(sjis.text, text);
    const StatementText bom = DecodeStatement("\xEF\xBB\xBF" + text, StatementEncoding::Auto);
    EXPECT_EQ(bom.found, StatementEncoding::Utf8);
    EXPECT_EQ(bom.text, text);
    EXPECT_EQ(DecodeStatement(text, StatementEncoding::Auto).found, StatementEncoding::Utf8);
    // Chosen by hand: the bytes are read as that code page or refused.
    EXPECT_EQ(DecodeStatement(Utf8ToCp932(text), StatementEncoding::ShiftJis).text, text);
    EXPECT_THROW(DecodeStatement(Utf8ToCp932(text), StatementEncoding::Utf8), EncodingError);
    EXPECT_THROW(DecodeStatement("\x82", StatementEncoding::Auto), EncodingError);
}

TEST(StatementFile, CsvCellsWithQuotesCommasAndLineBreaks) {
    using Rows = std::vector<StatementRow>;
    EXPECT_EQ(SplitCsvRows("a,b,\r\n\r\n\"1,000\",\"say \"\"hi\"\"\",\"two\nlines\"\nlast"),
              (Rows{{"a", "b", ""}, {"1,000", "say \"hi\"", "two\nlines"}, {"last"}}));
    EXPECT_EQ(SplitCsvRows("x\ry\n"), (Rows{{"x"}, {"y"}}));
    EXPECT_EQ(SplitCsvRows(""), Rows{});
    EXPECT_EQ(SplitCsvRows(",,\n"), (Rows{{"", "", ""}}));
}

}  // namespace
}  // namespace velmora
