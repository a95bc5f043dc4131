// The entry form by keyboard in the real program: what Enter does, how a title is chosen,
// how a date is typed. Each scenario judges by the ledger file it makes the program write.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/util/codepage.h"
#include "desktop/support/desktop.h"

namespace velmora::testing {
namespace {

constexpr const char* kAppTitle = "現金出納帳5-Velmora Version5";

// A copy of the example ledger (fiscal year 2014/04 - 2015/03, two April records) in the
// scenario's folder.
std::string CopyExample(const Desktop& desktop) {
    const std::string path = desktop.Files() + "/example.exv";
    std::filesystem::copy_file(FixturePath("ledger/example2014.exv"), path);
    return path;
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
    desktop.WaitForWindow(kAppTitle, main.id);
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

}  // namespace velmora::testing
