#include "core/session/book_display.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/session/book_commands.h"
#include "core/session/file_commands.h"
#include "session_harness.h"

namespace velmora {
namespace {

using testing::SessionHarness;

TEST(BookHeader, PictureAndHeadingFollowTheKindOfTheSelection) {
    SessionHarness h;
    ASSERT_TRUE(LoadLedger(h.session, h.CopyExample("a.exv")));
    h.session.ledger.bankRegistry.Add("z,預金,A銀行,1000000,");
    const std::string images = h.program + "/images/";
    SelectCashBook(h.session);
    EXPECT_EQ(BookHeaderOf(h.session), (BookHeader{images + "bar1.bmp", "現金出納帳"}));
    h.session.ledger.useType = 2;
    SelectCashBook(h.session);
    EXPECT_EQ(BookHeaderOf(h.session), (BookHeader{images + "bar1.bmp", "おこづかい帳"}));
    SelectBook(h.session, {"小口", "本店"});
    EXPECT_EQ(BookHeaderOf(h.session), (BookHeader{images + "bar2.bmp", "小口現金"}));
    SelectBook(h.session, {"預金", "A銀行"});
    EXPECT_EQ(BookHeaderOf(h.session), (BookHeader{images + "bar3.bmp", "預金出納帳"}));
    SelectAllBooks(h.session);
    EXPECT_EQ(BookHeaderOf(h.session), (BookHeader{images + "bar1.bmp", "全帳簿"}));
}

TEST(BookList, RowsInRegistryOrderWithTheirOpeningBalanceAsCurrency) {
    SessionHarness h;
    ASSERT_TRUE(LoadLedger(h.session, h.CopyExample("a.exv")));
    h.session.ledger.pettyRegistry.Add("z,小口,支店,-1234.5,");
    std::vector<std::string> hidden, shown;
    for (const BookListRow& row : BookListRows(h.session, "小口")) {
        hidden.push_back(row.HiddenText());
        shown.push_back(row.name + " " + row.ShownBalance());
    }
    EXPECT_EQ(hidden, (std::vector<std::string>{"本店;\\5,000;", "支店;\\-1,235;"}));
    EXPECT_EQ(shown, (std::vector<std::string>{"本店 ¥5,000", "支店 ¥-1,235"}));
    EXPECT_TRUE(BookListRows(h.session, "預金").empty());
    EXPECT_EQ(BookListHeading("小口"), "小口現金帳簿選択");
    EXPECT_EQ(BookListHeading("預金"), "預金帳簿選択");
}

}  // namespace
}  // namespace velmora
