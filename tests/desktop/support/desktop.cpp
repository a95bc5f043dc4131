#include "desktop/support/desktop.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/util/codepage.h"
#include "core/util/text_length.h"
#include "desktop/support/input_method.h"
#include "support/cli_runner.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kAppTitle = "現金出納帳5-Velmora Version5";

// Reads the display number Xvfb writes to the pipe once it accepts clients.
std::string ReadDisplayNumber(int fd) {
    std::string number;
    char c = 0;
    while (read(fd, &c, 1) == 1 && c != '\n') number += c;
    return number;
}

std::string Trimmed(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
    return s;
}

}  // namespace

Desktop::Desktop(std::string name, DesktopOptions options)
    : name_(std::move(name)), options_(std::move(options)) {
    fs::create_directories(Files());
    fs::create_directories(folder_.Path() + "/user");
    shots_ = std::string(VELMORA_DESKTOP_SHOTS_DIR) + "/" + name_;
    fs::remove_all(shots_);
    fs::create_directories(shots_);

    if (options_.inputMethod) user_ = InputMethodUser();
    if (user_) {
        // The program and the input method run as that user: its folders are its own.
        for (const auto& entry : fs::recursive_directory_iterator(folder_.Path()))
            if (chown(entry.path().c_str(), user_->first, user_->second) != 0) break;
        if (chown(folder_.Path().c_str(), user_->first, user_->second) != 0)
            ADD_FAILURE() << "cannot hand " << folder_.Path() << " to the input method's user";
    }

    int pipeFds[2];
    if (pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
    const std::string size =
        std::to_string(options_.screenWidth) + "x" + std::to_string(options_.screenHeight) + "x24";
    Launch xvfb = Command({"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0", size,
                           "-nolisten", "tcp", "-noreset"});
    xvfb.log = folder_.Path() + "/xvfb.log";
    xserver_ = Process(xvfb);
    close(pipeFds[1]);
    display_ = ":" + ReadDisplayNumber(pipeFds[0]);
    close(pipeFds[0]);
    if (display_ == ":") throw std::runtime_error("Xvfb did not start");

    windowManager_ =
        Process(Command({"openbox", "--sm-disable"}, {"DISPLAY=" + display_, "HOME=" + Files()}));
    // The window manager is there once it answers the desktop count.
    const bool managed = WaitUntil(
        [this] {
            return RunCommand(Command({"xdotool", "get_num_desktops"}, {"DISPLAY=" + display_}))
                       .status == 0;
        },
        10s);
    if (!managed) throw std::runtime_error("openbox did not start");
    if (options_.inputMethod) StartInputMethod();
}

Desktop::~Desktop() {
    program_.Stop();
    ibus_.Stop();
    bus_.Stop();
    if (options_.inputMethod) StopProcessesOf(user_ ? user_->first : getuid(), folder_.Path());
    windowManager_.Stop();
    xserver_.Stop();
}

std::string Desktop::CopyFixture(const std::string& fixture, const std::string& name) {
    const std::string path = Files() + "/" + name;
    fs::copy_file(FixturePath(fixture), path);
    if (user_ && chown(path.c_str(), user_->first, user_->second) != 0)
        ADD_FAILURE() << "cannot hand " << path << " to the input method's user";
    return path;
}

Launch Desktop::Program(std::vector<std::string> argv) const {
    Launch launch;
    launch.argv = std::move(argv);
    launch.env = {"DISPLAY=" + display_,
                  "QT_QPA_PLATFORM=xcb",
                  "HOME=" + folder_.Path() + "/user",
                  "XDG_RUNTIME_DIR=" + folder_.Path() + "/user",
                  "XDG_CONFIG_HOME=" + folder_.Path() + "/user/.config",
                  "VELMORA_HOME=" + Home(),
                  std::string("VELMORA_DATA_DIR=") + VELMORA_DATA_DIR,
                  "LANG=C.UTF-8",
                  "LC_ALL=C.UTF-8"};
    if (!options_.scale.empty()) launch.env.push_back("QT_SCALE_FACTOR=" + options_.scale);
    for (const std::string& e : imEnv_) launch.env.push_back(e);
    if (!options_.inputMethod) launch.env.push_back("QT_IM_MODULE=none");
    launch.user = user_;
    launch.workingDirectory = Files();
    return launch;
}

void Desktop::Start(const std::vector<std::string>& args) {
    // VELMORA_DESKTOP_PROGRAM runs the scenarios on another build of the program.
    const char* other = std::getenv("VELMORA_DESKTOP_PROGRAM");
    std::vector<std::string> argv{other && *other ? other : VELMORA_GUI_PATH, "--today",
                                  options_.today};
    argv.insert(argv.end(), args.begin(), args.end());
    Launch launch = Program(argv);
    launch.log = folder_.Path() + "/velmora.log";
    program_ = Process(launch);
    const bool shown = WaitUntil(
        [this] {
            const RunResult r =
                RunCommand(Command({"xdotool", "search", "--onlyvisible", "--name", "Velmora"},
                                   {"DISPLAY=" + display_}));
            if (r.status != 0) return false;
            // The main window is the largest window of the program.
            int largest = 0;
            std::istringstream ids(r.out);
            for (std::string id; std::getline(ids, id);) {
                const RunResult g = RunCommand(Command(
                    {"xdotool", "getwindowgeometry", "--shell", id}, {"DISPLAY=" + display_}));
                std::istringstream lines(g.out);
                int w = 0, h = 0;
                for (std::string line; std::getline(lines, line);) {
                    if (line.rfind("WIDTH=", 0) == 0) w = std::stoi(line.substr(6));
                    if (line.rfind("HEIGHT=", 0) == 0) h = std::stoi(line.substr(7));
                }
                if (w * h > largest) {
                    largest = w * h;
                    mainWindow_ = id;
                }
            }
            return largest > 600 * 400;
        },
        20s);
    ASSERT_TRUE(shown) << "the main window did not show";
    seenWindows_.insert(mainWindow_);
}

int Desktop::WaitForExit(std::chrono::milliseconds timeout) {
    return program_.Wait(timeout);
}

std::string Desktop::Xdotool(const std::vector<std::string>& args) const {
    Launch launch;
    launch.argv = {"xdotool"};
    launch.argv.insert(launch.argv.end(), args.begin(), args.end());
    launch.env = {"DISPLAY=" + display_};
    const RunResult r = RunCommand(launch, 30s);
    EXPECT_EQ(r.status, 0) << "xdotool failed: " << r.out;
    return r.out;
}

void Desktop::Key(const std::string& keys, int repeat) {
    std::vector<std::string> args{"key", "--delay", "30"};
    if (repeat > 1) {
        args.push_back("--repeat");
        args.push_back(std::to_string(repeat));
    }
    std::istringstream in(keys);
    for (std::string key; in >> key;) args.push_back(key);
    Xdotool(args);
}

void Desktop::Type(const std::string& text) {
    // Latin text goes as it is; a character off the keyboard goes as the key given to it for
    // the whole scenario. (xdotool would map one spare key code afresh for each character;
    // a program busy under load then reads a character with the map of a later one.)
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = i;
        const bool latin = static_cast<unsigned char>(text[i]) < 0x80;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) < 0x80) == latin)
            end += latin ? 1 : Utf8CharLength(static_cast<unsigned char>(text[end]));
        const std::string run = text.substr(i, end - i);
        if (latin) {
            Xdotool({"type", "--delay", "40", run});
        } else {
            std::vector<std::string> args{"key", "--delay", "40"};
            for (const std::string& keysym : KeysymsOf(run)) args.push_back(keysym);
            Xdotool(args);
        }
        i = end;
    }
}

std::vector<std::string> Desktop::KeysymsOf(const std::string& text) {
    if (spareKeyCodes_.empty() && mappedKeys_.empty()) {
        // Key codes without a key (or with a multimedia key) of the server's map.
        std::istringstream map(
            RunCommand(Command({"xmodmap", "-pke"}, {"DISPLAY=" + display_})).out);
        for (std::string line; std::getline(map, line);) {
            std::istringstream words(line);
            std::string keycode, code, eq, keysym;
            words >> keycode >> code >> eq >> keysym;
            if (keycode == "keycode" && (keysym.empty() || keysym.rfind("XF86", 0) == 0))
                spareKeyCodes_.push_back(std::stoi(code));
        }
    }
    std::vector<std::string> keysyms;
    std::vector<std::string> changes;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = Utf8CharLength(static_cast<unsigned char>(text[i]));
        const std::string ch = text.substr(i, n);
        i += n;
        // The code point: the lead byte's low bits, then six bits from each byte after it.
        unsigned code = static_cast<unsigned char>(ch[0]) & (0x7Fu >> n);
        for (std::size_t k = 1; k < n; ++k)
            code = (code << 6) | (static_cast<unsigned char>(ch[k]) & 0x3Fu);
        char name[16];
        std::snprintf(name, sizeof name, "U%04X", code);
        if (!mappedKeys_.contains(ch)) {
            if (spareKeyCodes_.empty()) {
                ADD_FAILURE() << "no spare key code left for " << ch;
                return {};
            }
            changes.push_back("-e");
            changes.push_back("keycode " + std::to_string(spareKeyCodes_.back()) + " = " + name);
            spareKeyCodes_.pop_back();
            mappedKeys_.insert(ch);
        }
        keysyms.push_back(name);
    }
    if (!changes.empty()) {
        std::vector<std::string> argv{"xmodmap"};
        argv.insert(argv.end(), changes.begin(), changes.end());
        const RunResult r = RunCommand(Command(argv, {"DISPLAY=" + display_}));
        EXPECT_EQ(r.status, 0) << "xmodmap failed: " << r.out;
    }
    return keysyms;
}

void Desktop::Click(int x, int y) {
    Xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "1"});
}

void Desktop::ClickInWindow(const std::string& id, int x, int y) {
    Xdotool({"mousemove", "--window", id, "--sync", std::to_string(x), std::to_string(y), "click",
             "1"});
}

WindowInfo Desktop::ActiveWindow() const {
    WindowInfo w;
    const RunResult id =
        RunCommand(Command({"xdotool", "getactivewindow"}, {"DISPLAY=" + display_}));
    if (id.status != 0) return w;
    w.id = Trimmed(id.out);
    const RunResult name =
        RunCommand(Command({"xdotool", "getwindowname", w.id}, {"DISPLAY=" + display_}));
    if (name.status != 0) return WindowInfo{};  // gone while asked
    w.title = Trimmed(name.out);
    std::istringstream lines(RunCommand(Command({"xdotool", "getwindowgeometry", "--shell", w.id},
                                                {"DISPLAY=" + display_}))
                                 .out);
    for (std::string line; std::getline(lines, line);) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        const int value = std::atoi(line.c_str() + eq + 1);
        if (key == "X") w.x = value;
        if (key == "Y") w.y = value;
        if (key == "WIDTH") w.width = value;
        if (key == "HEIGHT") w.height = value;
    }
    return w;
}

WindowInfo Desktop::WaitForWindow(const std::string& title, const std::string& notId,
                                  std::chrono::milliseconds timeout) {
    WindowInfo w;
    const bool seen = WaitUntil(
        [&] {
            w = ActiveWindow();
            RefocusWhenNoneActive(w);
            return w.title == title && (notId.empty() || w.id != notId);
        },
        timeout);
    EXPECT_TRUE(seen) << "no window \"" << title << "\"; active: \"" << w.title << "\"";
    if (!seen) Screenshot("missing-window");
    return w;
}

WindowInfo Desktop::WaitForNewWindow(const std::string& title, std::chrono::milliseconds timeout) {
    WindowInfo w;
    const bool seen = WaitUntil(
        [&] {
            w = ActiveWindow();
            RefocusWhenNoneActive(w);
            return w.title == title && !w.id.empty() && !seenWindows_.contains(w.id);
        },
        timeout);
    EXPECT_TRUE(seen) << "no new window \"" << title << "\"; active: \"" << w.title << "\"";
    if (!seen) Screenshot("missing-window");
    seenWindows_.insert(w.id);
    return w;
}

void Desktop::Answer(const WindowInfo& window, const std::string& keys) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        Key(keys);
        if (WaitUntil([&] { return ActiveWindow().id != window.id; }, 3s)) return;
    }
    ADD_FAILURE() << "\"" << window.title << "\" did not take " << keys;
    Screenshot("unanswered");
}

void Desktop::AnswerUntilActive(const std::string& id, const std::string& keys) {
    for (int boxes = 0; boxes < 4; ++boxes) {
        WindowInfo w;
        WaitUntil(
            [&] {
                w = ActiveWindow();
                RefocusWhenNoneActive(w);
                return w.id == id || (!w.id.empty() && !seenWindows_.contains(w.id));
            },
            10s);
        if (w.id == id) return;
        seenWindows_.insert(w.id);
        Answer(w, keys);
    }
    WaitUntilActive(id);
}

void Desktop::WaitUntilActive(const std::string& id, std::chrono::milliseconds timeout) {
    WindowInfo w;
    const bool seen = WaitUntil(
        [&] {
            w = ActiveWindow();
            RefocusWhenNoneActive(w);
            return w.id == id;
        },
        timeout);
    EXPECT_TRUE(seen) << "window " << id << " is not active; active: \"" << w.title << "\"";
    if (!seen) Screenshot("missing-window");
}

WindowInfo Desktop::WaitForWindowPrefix(const std::string& prefix,
                                        std::chrono::milliseconds timeout) {
    WindowInfo w;
    const bool seen = WaitUntil(
        [&] {
            w = ActiveWindow();
            RefocusWhenNoneActive(w);
            return w.title.rfind(prefix, 0) == 0;
        },
        timeout);
    EXPECT_TRUE(seen) << "no window \"" << prefix << "...\"; active: \"" << w.title << "\"";
    if (!seen) Screenshot("missing-window");
    return w;
}

void Desktop::RefocusWhenNoneActive(const WindowInfo& active) {
    // When two dialogs close at once openbox may leave no window active; a person would
    // click the main window then.
    if (!active.id.empty() || mainWindow_.empty()) {
        noneActiveSince_.reset();
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (!noneActiveSince_) noneActiveSince_ = now;
    if (now - *noneActiveSince_ < 300ms) return;
    RunCommand(Command({"xdotool", "windowactivate", mainWindow_}, {"DISPLAY=" + display_}));
    noneActiveSince_.reset();
}

std::string Desktop::WaitForFileChange(const std::string& path, const std::string& before,
                                       std::chrono::milliseconds timeout) {
    std::string now;
    const bool changed = WaitUntil(
        [&] {
            std::error_code ec;
            if (!fs::exists(path, ec)) return false;
            std::ifstream in(path, std::ios::binary);
            now.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            return now != before;
        },
        timeout);
    EXPECT_TRUE(changed) << path << " was not written";
    return now;
}

std::string Desktop::Screenshot(const std::string& label) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d", ++shotNumber_);
    const std::string path = shots_ + "/" + number + "-" + label + ".png";
    const RunResult r = RunCommand(
        Command({VELMORA_XSHOT_PATH, path}, {"DISPLAY=" + display_, "QT_QPA_PLATFORM=xcb"}));
    EXPECT_EQ(r.status, 0) << "screenshot failed: " << r.out;
    return path;
}

std::string Desktop::Cli(const std::vector<std::string>& args) {
    const CliResult r = RunCli(args, Home());
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
}

void Desktop::StartInputMethod() {
    InputMethodSession im = StartIbusMozc(folder_.Path(), display_, user_);
    imEnv_ = im.env;
    bus_ = Process(std::move(*im.bus));
    ibus_ = Process(std::move(*im.daemon));
}

std::string LedgerText(const std::string& path) {
    return Cp932ToUtf8(ReadBytes(path));
}

}  // namespace velmora::testing
