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
    // Characters off the keyboard go through a key code xdotool maps for each of them; the
    // program must read the new map before the next one, so they go slower.
    const bool latin = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    Xdotool({"type", "--delay", latin ? "40" : "150", text});
}

void Desktop::Click(int x, int y) {
    Xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "1"});
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
