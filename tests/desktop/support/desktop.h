#pragma once
// The desktop program in a real X server, driven as a person drives it: an X server
// without a screen (Xvfb) with a window manager (openbox), velmora started with a working
// folder of its own, real key presses, typed text and clicks through xdotool. Scenarios
// wait for windows by title and for files, and judge by what the program writes; the
// screenshots they take are kept for people to look at.
#include <chrono>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "desktop/support/processes.h"
#include "support/temp_folder.h"

namespace velmora::testing {

using namespace std::chrono_literals;

struct DesktopOptions {
    int screenWidth = 1280;
    int screenHeight = 720;
    // QT_SCALE_FACTOR of the program; empty: none.
    std::string scale;
    // The program's "today".
    std::string today = "2024/05/22";
    // Japanese typed through ibus with mozc, as most Japanese users type.
    bool inputMethod = false;
};

struct WindowInfo {
    std::string id;
    std::string title;
    int x = 0, y = 0, width = 0, height = 0;
};

class Desktop {
public:
    // name: the scenario's name, for its screenshot folder.
    explicit Desktop(std::string name, DesktopOptions options = {});
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // The program's working folder ($VELMORA_HOME), empty until it first starts.
    std::string Home() const { return folder_.Path() + "/home"; }
    // A folder for the scenario's ledgers and exports.
    std::string Files() const { return folder_.Path() + "/files"; }

    // A copy of the fixture (below tests/fixtures) in Files() as name, the program's to
    // write; its path.
    std::string CopyFixture(const std::string& fixture, const std::string& name);

    // Starts velmora with args (a ledger file, options) and waits for its main window.
    void Start(const std::vector<std::string>& args = {});
    // Waits for the program to end; its exit status, -1 when it did not end in time.
    int WaitForExit(std::chrono::milliseconds timeout = 10s);

    // xdotool key names: "F5", "ctrl+s", "shift+Tab", "Return".
    void Key(const std::string& keys, int repeat = 1);
    // Text typed key by key (each non-Latin character on a spare key code of its own).
    void Type(const std::string& text);
    // A left click at a point of the screen, or of a window (its client area).
    void Click(int x, int y);
    void ClickInWindow(const std::string& id, int x, int y);

    WindowInfo ActiveWindow() const;
    // Waits until the active window's title is title and it is another window than
    // notId (when given); fails the test otherwise.
    WindowInfo WaitForWindow(const std::string& title, const std::string& notId = {},
                             std::chrono::milliseconds timeout = 10s);
    // Waits until a window the scenario has not seen before is active with title: a dialog
    // just opened (its title may be the main window's).
    WindowInfo WaitForNewWindow(const std::string& title, std::chrono::milliseconds timeout = 10s);
    // Presses keys in the window (a message box) until it is no longer the active one: a
    // box that becomes active while the program is busy may miss the first key.
    void Answer(const WindowInfo& window, const std::string& keys);
    // Answers each new message box with keys until the window id is active again.
    void AnswerUntilActive(const std::string& id, const std::string& keys);
    // Waits until the window id is the active one again (a dialog over it has closed).
    void WaitUntilActive(const std::string& id, std::chrono::milliseconds timeout = 10s);
    // Waits until the active window's title starts with prefix.
    WindowInfo WaitForWindowPrefix(const std::string& prefix,
                                   std::chrono::milliseconds timeout = 10s);
    // The main window (its title starts with the application title and " - " or is the
    // bare caption of a new ledger), whatever is active.
    const std::string& MainWindowId() const { return mainWindow_; }

    // Waits until the file exists and its bytes differ from before.
    std::string WaitForFileChange(const std::string& path, const std::string& before,
                                  std::chrono::milliseconds timeout = 10s);

    // A picture of the whole screen, kept as NN-label.png in the scenario's folder.
    std::string Screenshot(const std::string& label);

    // velmora-cli with the program's working folder; its standard output.
    std::string Cli(const std::vector<std::string>& args);

private:
    Launch Program(std::vector<std::string> argv) const;
    std::string Xdotool(const std::vector<std::string>& args) const;
    void StartInputMethod();
    // The key names that type text; maps the characters not mapped before.
    std::vector<std::string> KeysymsOf(const std::string& text);
    void RefocusWhenNoneActive(const WindowInfo& active);

    std::string name_;
    DesktopOptions options_;
    TempFolder folder_;
    std::string display_;
    std::string shots_;
    int shotNumber_ = 0;
    std::string mainWindow_;
    std::optional<std::chrono::steady_clock::time_point> noneActiveSince_;
    std::set<std::string> seenWindows_;
    std::vector<int> spareKeyCodes_;
    std::set<std::string> mappedKeys_;
    std::optional<std::pair<uid_t, gid_t>> user_;
    std::vector<std::string> imEnv_;
    Process xserver_;
    Process windowManager_;
    Process bus_;
    Process ibus_;
    Process program_;
};

// The ledger file's text: CP932 decoded, CR LF kept.
std::string LedgerText(const std::string& path);

}  // namespace velmora::testing
