// The windows on small screens: a 1280x720 screen at scale 1 and a 1920x1080 screen at
// QT_SCALE_FACTOR 1.5 (the same 1280x720 logical pixels). The main window, the entry form
// and the dialogs each lie whole on the screen, title bar and status bar included,
// and the placement the program writes when it closes is on the screen too.
#include <gtest/gtest.h>

#include <vector>

#include "core/platform/file_io.h"
#include "core/settings/placement.h"
#include "desktop/support/desktop.h"

namespace velmora::testing {
namespace {

constexpr const char* kAppTitle = "現金出納帳5-Velmora Version5";
// The least of a title bar openbox draws above a window's inside.
constexpr int kTitleBar = 15;

// xdotool tells a window's size exactly; its position it gives with the frame's offsets, so
// the position of the main window is taken from the placement the program writes.
void ExpectFits(const WindowInfo& w, const DesktopOptions& screen, const char* what) {
    EXPECT_GE(w.x, 0) << what;
    EXPECT_GE(w.y, 0) << what;
    EXPECT_LE(w.width, screen.screenWidth) << what;
    EXPECT_LE(w.height + kTitleBar, screen.screenHeight) << what;
}

void EveryWindowFits(const char* name, DesktopOptions options, double scale) {
    options.today = "2014/04/20";
    Desktop desktop(name, options);
    const std::string ledger = desktop.CopyFixture("ledger/example2014.exv", "example.exv");
    desktop.Start({ledger});
    const WindowInfo main = desktop.WaitForWindowPrefix(kAppTitle + std::string(" - "));
    desktop.Screenshot("main-window");
    ExpectFits(main, options, "the main window");

    desktop.Key("F5");
    const WindowInfo form = desktop.WaitForWindow("出納帳入力", main.id);
    desktop.Screenshot("entry-form");
    ExpectFits(form, options, "the entry form");
    desktop.Key("Escape");
    desktop.WaitUntilActive(main.id);

    // The dialogs, each by its keys: settings, titles, CSV export, statement import,
    // money count.
    const struct {
        const char* keys;
        const char* title;
    } dialogs[] = {
        {"ctrl+g", "環境設定"},
        {"ctrl+b", "科目設定"},
        {"alt+o Return", "CSV出力設定"},
        {"alt+o Down Return", "CSVファイルから取込"},
        {"alt+t Down Return", "金種計算"},
    };
    for (const auto& dialog : dialogs) {
        desktop.Key(dialog.keys);
        const WindowInfo shown = desktop.WaitForWindow(dialog.title, main.id);
        desktop.Screenshot(dialog.title);
        ExpectFits(shown, options, dialog.title);
        desktop.Key("Escape");
        desktop.WaitUntilActive(main.id);
    }

    // The placement written on closing, in the program's own (logical) pixels.
    desktop.Key("alt+f x");
    EXPECT_EQ(desktop.WaitForExit(), 0);
    const Placement p = LoadPlacement(desktop.Home(), kMainWindowKey);
    const int width = static_cast<int>(options.screenWidth / scale);
    const int height = static_cast<int>(options.screenHeight / scale);
    // The window's inside: the title bar above it on the screen, the status bar too; as wide
    // as the design where the screen allows.
    EXPECT_GE(p.left, 0);
    EXPECT_GE(p.top, kTitleBar);
    EXPECT_LE(p.left + p.width, width);
    EXPECT_LE(p.top + p.height, height);
    EXPECT_EQ(p.width, 1279);
    EXPECT_GE(p.height, 600);
}

}  // namespace

// Started, closed and started again on a large screen: the window comes back where it was
// left, not a title bar lower each time.
TEST(Screens, ThePlacementComesBackWhereItWasLeft) {
    DesktopOptions options;
    options.screenWidth = 1920;
    options.screenHeight = 1200;
    Desktop desktop("placement-kept", options);
    const std::string ledger = desktop.CopyFixture("ledger/example2014.exv", "example.exv");
    std::vector<Placement> left;
    for (int start = 0; start < 4; ++start) {
        desktop.Start({ledger});
        desktop.WaitForWindowPrefix(kAppTitle + std::string(" - "));
        desktop.Key("alt+f x");
        ASSERT_EQ(desktop.WaitForExit(), 0);
        // The window as a user left it, away from the screen's edges.
        if (start == 0)
            SavePlacement(desktop.Home(), kMainWindowKey, Placement{300, 200, 1300, 800},
                          DefaultFileWriter());
        else
            left.push_back(LoadPlacement(desktop.Home(), kMainWindowKey));
    }
    for (const Placement& p : left) {
        EXPECT_EQ(p.left, 300);
        EXPECT_EQ(p.top, 200);
        EXPECT_EQ(p.width, 1300);
        EXPECT_EQ(p.height, 800);
    }
}

TEST(Screens, EveryWindowFitsA1280x720Screen) {
    EveryWindowFits("screen-1280x720", DesktopOptions{}, 1.0);
}

TEST(Screens, EveryWindowFitsA1920x1080ScreenAtScale1_5) {
    DesktopOptions options;
    options.screenWidth = 1920;
    options.screenHeight = 1080;
    options.scale = "1.5";
    EveryWindowFits("screen-1920x1080-scale-1.5", options, 1.5);
}

}  // namespace velmora::testing
