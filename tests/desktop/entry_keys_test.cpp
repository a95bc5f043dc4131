// The entry form by keyboard in the real program: what Enter does, how a title is chosen,
// how a date is typed. Each scenario judges by the ledger file it makes the program write.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/util/codepage.h"
#include "desktop/support/desktop.h"

namespace velmora::testing {
namespace {

constexpr const char* kAppTitle = "現金出納帳5-Velmora Version5";
constexpr const char* kNewEntry = "出納帳入力";
constexpr const char* kEditEntry = "出納帳修正";

// A copy of the example ledger (fiscal year 2014/04 - 2015/03, two April records) in the
// scenario's folder.
std::string CopyExample(Desktop& desktop) {
    return desktop.CopyFixture("ledger/example2014.exv", "example.exv");
}

// Ctrl+S and the bytes it writes over before.
std::string Save(Desktop& desktop, const std::string& path, const std::string& before) {
    desktop.Key("ctrl+s");
    return Cp932ToUtf8(desktop.WaitForFileChange(path, before));
}

}  // namespace

// Enter in the description of a record opened for editing moves to the expense, and the
// second Enter stores it: on the record's own date, not on today's.
TEST(EntryKeys, EnterInAnEditedRecordKeepsItsDate) {
    DesktopOptions options;
    options.today = "2014/04/20";
    Desktop desktop("enter-keeps-date", options);
    const std::string ledger = CopyExample(desktop);
    const std::string before = ReadBytes(ledger);
    desktop.Start({ledger});
    const WindowInfo main = desktop.WaitForWindowPrefix(kAppTitle);
    // Home selects the carry row, Down the month's first record, Enter opens it.
    desktop.Key("Home Down Return");
    desktop.WaitForWindowPrefix(kEditEntry);
    desktop.Screenshot("edit-form");
    // From the title list to the description; Enter there goes on to the expense.
    desktop.Key("Tab Return");
    desktop.Key("BackSpace BackSpace BackSpace 3 0 0 Return");
    desktop.WaitForWindowPrefix(kAppTitle + std::string(" - "));
    const std::string text = Save(desktop, ledger, before);
    desktop.Screenshot("saved");
    EXPECT_NE(text.find("d04=,2014/04/01,2,交通費,バス代,0,300,9700,現金,現金出納帳,現金,"
                        "現金出納帳,\r\n"),
              std::string::npos)
        << text;
}

// F5 starts at the title list; Shift+Tab reaches the date, typed short; arrows and the
// title's number choose the title and "科目" follows; Enter in an amount registers and
// "連続入力" brings the focus back to the list; Esc closes the form with nothing typed.
TEST(EntryKeys, ARecordTypedFromDateToAmount) {
    DesktopOptions options;
    options.today = "2014/04/20";
    Desktop desktop("typed-records", options);
    const std::string ledger = CopyExample(desktop);
    const std::string before = ReadBytes(ledger);
    desktop.Start({ledger});
    const WindowInfo main = desktop.WaitForWindowPrefix(kAppTitle);
    desktop.Key("F5");
    desktop.WaitForWindow(kNewEntry, main.id);
    desktop.Key("shift+Tab");
    desktop.Type("4/15");
    // Entering the list makes 売上 current (not chosen); Down chooses 雑収入.
    desktop.Key("Tab Down Tab");
    desktop.Type("手数料");
    desktop.Key("Tab");
    desktop.Type("1500");
    desktop.Key("Return");
    // Back at the list: 5 is 法定福利費; Tab twice passes the income.
    desktop.Type("5");
    desktop.Key("Tab");
    desktop.Type("保険料");
    desktop.Key("Tab Tab");
    desktop.Type("3000");
    desktop.Screenshot("second-record-typed");
    desktop.Key("Return Escape");
    desktop.WaitForWindowPrefix(kAppTitle + std::string(" - "));
    const std::string text = Save(desktop, ledger, before);
    desktop.Screenshot("saved");
    EXPECT_NE(text.find("d04=,2014/04/15,2,雑収入,手数料,1500,0,8280,現金,現金出納帳,現金,"
                        "現金出納帳,\r\n"
                        "d04=,2014/04/15,3,法定福利費,保険料,0,3000,5280,現金,現金出納帳,現金,"
                        "現金出納帳,\r\n"),
              std::string::npos)
        << text;
}

// Closing days typed into the settings dialog: the April period typed whole over the
// dates shown, then "自動設定(任意)" repeats its closing day through the year.
TEST(EntryKeys, ClosingDaysTypedInTheSettings) {
    DesktopOptions options;
    options.today = "2014/04/20";
    Desktop desktop("closing-days", options);
    const std::string ledger = CopyExample(desktop);
    const std::string before = ReadBytes(ledger);
    desktop.Start({ledger});
    const WindowInfo main = desktop.WaitForWindowPrefix(kAppTitle);
    desktop.Key("ctrl+g");
    const WindowInfo settings = desktop.WaitForWindow("環境設定", main.id);
    // From the start month "4月" past the start year and the opening balance to April.
    desktop.Key("Tab Tab Tab");
    desktop.Type("2014/03/21");
    desktop.Key("Tab");
    desktop.Type("2014/04/20");
    desktop.Screenshot("april-typed");
    // The other 22 dates and the 12 locks, "自動設定（月末締）", then "自動設定(任意)".
    desktop.Key("Tab", 36);
    desktop.Key("space");
    desktop.WaitForWindow(kAppTitle, settings.id);
    desktop.Key("Return");
    desktop.WaitUntilActive(settings.id);
    desktop.Screenshot("periods-set");
    desktop.Key("alt+a");
    desktop.WaitForWindow(kAppTitle, settings.id);
    desktop.Key("Return");
    desktop.WaitForWindowPrefix(kAppTitle + std::string(" - "));
    const std::string text = Save(desktop, ledger, before);
    EXPECT_NE(text.find("f,2014/03/21,2014/04/20,0\r\nf,2014/04/21,2014/05/20,0\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("f,2014/12/21,2015/01/20,0\r\n"), std::string::npos) << text;
}

// Space, Down and Up in the title list choose the title as a click does: the record is
// stored under the title the list shows chosen.
TEST(EntryKeys, TitlesChosenBySpaceDownAndUp) {
    DesktopOptions options;
    options.today = "2014/04/20";
    Desktop desktop("titles-by-keys", options);
    const std::string ledger = CopyExample(desktop);
    const std::string before = ReadBytes(ledger);
    desktop.Start({ledger});
    const WindowInfo main = desktop.WaitForWindowPrefix(kAppTitle);
    desktop.Key("F5");
    desktop.WaitForWindow(kNewEntry, main.id);
    // Space chooses 売上, the item the list starts at.
    desktop.Key("space Tab");
    desktop.Type("sale");
    desktop.Key("Tab");
    desktop.Type("500");
    desktop.Key("Return");
    // Back at the list, at 売上: down to 雑収入, 仕入 and 給料手当, up to 仕入.
    desktop.Key("Down Down Down Up Tab");
    desktop.Type("stock");
    desktop.Key("Tab Tab");
    desktop.Type("300");
    desktop.Screenshot("second-record-typed");
    desktop.Key("Return Escape");
    desktop.WaitForWindowPrefix(kAppTitle + std::string(" - "));
    const std::string text = Save(desktop, ledger, before);
    EXPECT_NE(
        text.find("d04=,2014/04/01,2,売上,sale,500,0,10280,現金,現金出納帳,現金,現金出納帳,\r\n"
                  "d04=,2014/04/01,3,仕入,stock,0,300,9980,現金,現金出納帳,現金,現金出納帳,"
                  "\r\n"),
        std::string::npos)
        << text;
}

// A click outside the completions of "摘要" closes them and does what it was for: the
// click into "支出" puts the caret there, and the amount typed goes into it.
TEST(EntryKeys, AClickOutsideTheCompletionsReachesItsField) {
    DesktopOptions options;
    options.today = "2014/04/20";
    Desktop desktop("click-past-completions", options);
    const std::string ledger = CopyExample(desktop);
    const std::string before = ReadBytes(ledger);
    desktop.Start({ledger});
    const WindowInfo main = desktop.WaitForWindowPrefix(kAppTitle);
    desktop.Key("F5");
    const WindowInfo form = desktop.WaitForWindow(kNewEntry, main.id);
    // 7 is 旅費交通費, whose descriptions offer 電車代 for 電車.
    desktop.Key("7 Tab");
    desktop.Type("電車");
    desktop.Screenshot("completions-offered");
    // "支出" is the fourth field of the form's right half.
    desktop.ClickInWindow(form.id, 680, 132);
    desktop.Type("840");
    desktop.Screenshot("amount-typed");
    desktop.Key("Return Escape");
    desktop.WaitForWindowPrefix(kAppTitle + std::string(" - "));
    const std::string text = Save(desktop, ledger, before);
    EXPECT_NE(text.find("d04=,2014/04/01,2,旅費交通費,電車,0,840,8940,現金,現金出納帳,現金,"
                        "現金出納帳,\r\n"),
              std::string::npos)
        << text;
}

}  // namespace velmora::testing
