// Next year's ledger made from the one on screen ("次年度作成", reached through the ribbon
// by keyboard): the calendar and the entry form move into the new year's period of the same
// month, so that a record typed at once lands in the new year.
#include <gtest/gtest.h>

#include "core/util/codepage.h"
#include "desktop/support/desktop.h"

namespace velmora::testing {
namespace {

constexpr const char* kAppTitle = "現金出納帳5-Velmora Version5";

}  // namespace

TEST(NextYear, TheFormStartsInTheNewYear) {
    DesktopOptions options;
    options.today = "2014/06/20";
    Desktop desktop("next-year", options);
    const std::string ledger = desktop.CopyFixture("ledger/example2014.exv", "example.exv");
    const std::string next = desktop.Files() + "/next.exv";
    desktop.Start({ledger});
    const std::string main = desktop.MainWindowId();
    desktop.WaitForWindowPrefix(kAppTitle + std::string(" - "));
    // F6, into the page "データファイル", six buttons on to "次年度作成".
    desktop.Key("F6 Down Right Right Right Right Right Right space");
    desktop.WaitForNewWindow("名前を付けて保存");
    desktop.Type(next);
    desktop.Key("Return");
    const std::string rolled = desktop.WaitForFileChange(next, "");
    desktop.Answer(desktop.WaitForNewWindow(kAppTitle), "Return");
    desktop.WaitUntilActive(main);
    desktop.Screenshot("rolled-over");
    // Back to the grid, F5: 5 is 法定福利費; the date is the form's own.
    desktop.Key("F6 F5");
    desktop.WaitForNewWindow("出納帳入力");
    desktop.Key("5 Tab");
    desktop.Type("x");
    desktop.Key("Tab Tab");
    desktop.Type("100");
    desktop.Screenshot("form-in-new-year");
    desktop.Key("Return Escape");
    desktop.WaitUntilActive(main);
    desktop.Key("ctrl+s");
    const std::string text = Cp932ToUtf8(desktop.WaitForFileChange(next, rolled));
    EXPECT_NE(text.find("d06=,2015/06/01,0,法定福利費,x,0,100,6680,現金,現金出納帳,現金,"
                        "現金出納帳,\r\n"),
              std::string::npos)
        << text;
}

}  // namespace velmora::testing
