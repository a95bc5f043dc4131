// Japanese typed through a real input method (ibus with mozc) into the entry form: a title
// chosen by its committed name, a description composed while completions are shown, and
// the amount typed with the input method still on.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/util/codepage.h"
#include "desktop/support/desktop.h"

namespace velmora::testing {
namespace {

constexpr const char* kAppTitle = "現金出納帳5-Velmora Version5";

}  // namespace

TEST(InputMethod, TitleDescriptionAndAmountWithTheInputMethodOn) {
    DesktopOptions options;
    options.today = "2014/04/20";
    options.inputMethod = true;
    Desktop desktop("input-method", options);
    const std::string ledger = desktop.CopyFixture("ledger/example2014.exv", "example.exv");
    const std::string before = ReadBytes(ledger);
    desktop.Start({ledger});
    const WindowInfo main = desktop.WaitForWindowPrefix(kAppTitle);
    desktop.Key("F5");
    desktop.WaitForWindow("出納帳入力", main.id);
    // The input method on, in the title list: 旅費 converted and committed chooses
    // 旅費交通費.
    desktop.Key("Zenkaku_Hankaku");
    desktop.Type("ryohi");
    desktop.Key("space");
    desktop.Screenshot("title-composed");
    desktop.Key("Return");
    // 電車 committed while its completion 電車代 is offered; the next word is composed
    // all the same.
    desktop.Key("Tab");
    desktop.Type("densha");
    desktop.Key("space Return");
    desktop.Screenshot("completion-offered");
    desktop.Type("kippu");
    desktop.Screenshot("next-word-composed");
    desktop.Key("Return Return");
    // The amount with the input method still on.
    desktop.Type("840");
    desktop.Screenshot("amount-typed");
    desktop.Key("Return Escape");
    desktop.WaitForWindowPrefix(kAppTitle + std::string(" - "));
    desktop.Screenshot("form-closed");
    desktop.Key("ctrl+s");
    const std::string text = Cp932ToUtf8(desktop.WaitForFileChange(ledger, before));
    EXPECT_NE(text.find("d04=,2014/04/01,2,旅費交通費,電車きっぷ,0,840,8940,現金,現金出納帳,現金,"
                        "現金出納帳,\r\n"),
              std::string::npos)
        << text;
}

}  // namespace velmora::testing
