#include "core/settings/placement.h"

#include <algorithm>

#include "core/platform/file_io.h"
#include "core/platform/key_lines.h"
#include "core/platform/start_files.h"
#include "core/util/fields.h"
#include "core/util/paths.h"

namespace velmora {

std::string PlacementPath(const std::string& workingFolder, const std::string& key) {
    return JoinPath(workingFolder, "ini/" + key + ".ini");
}

void SavePlacement(const std::string& workingFolder, const std::string& key, const Placement& p,
                   FileWriter& writer) {
    WriteTextLines(
        PlacementPath(workingFolder, key),
        {"[Screen_Top]=" + std::to_string(p.top), "[Screen_Left]=" + std::to_string(p.left),
         "[Screen_Width]=" + std::to_string(p.width),
         "[Screen_Height]=" + std::to_string(p.height)},
        writer);
}

Placement LoadPlacement(const std::string& workingFolder, const std::string& key,
                        std::string* problem) {
    Placement p;
    StartFileLines read = ReadStartFile(PlacementPath(workingFolder, key));
    if (problem != nullptr) *problem = std::move(read.problem);
    for (const auto& line : read.lines) {
        KeyLine kv = SplitKeyLine(line);
        int value = static_cast<int>(IntOr(kv.value, 0));
        if (kv.key == "[Screen_Top]")
            p.top = value;
        else if (kv.key == "[Screen_Left]")
            p.left = value;
        else if (kv.key == "[Screen_Width]")
            p.width = value;
        else if (kv.key == "[Screen_Height]")
            p.height = value;
    }
    return p;
}

Placement MainWindowPlacement(const Placement& stored) {
    if (stored.height <= 0) return Placement{10, 10, 938, 708};
    return stored;
}

namespace {

// How much of the title bar must lie on a screen for the window to be dragged back.
constexpr int kGrabWidth = 100;
constexpr int kGrabHeight = 20;
// What the window manager adds above the window (its title bar) and below it (the frame).
constexpr int kTitleBarHeight = 24;
constexpr int kFrameBottom = 6;
constexpr int kFrameHeight = kTitleBarHeight + kFrameBottom;

// In 64 bits: the values of a placement file may be anything an int holds.
bool TitleBarReachable(const Placement& p, const ScreenArea& s) {
    using Wide = long long;
    const Wide left = std::max<Wide>(p.left, s.left);
    const Wide right = std::min<Wide>(Wide{p.left} + p.width, Wide{s.left} + s.width);
    const Wide top = std::max<Wide>(p.top, s.top);
    const Wide bottom = std::min<Wide>(Wide{p.top} + kGrabHeight, Wide{s.top} + s.height);
    return right - left >= std::min(kGrabWidth, p.width) && bottom - top >= kGrabHeight;
}

}  // namespace

Placement FitOnScreens(Placement p, const std::vector<ScreenArea>& screens, int minimumWidth,
                       int minimumHeight) {
    p.width = std::max(p.width, minimumWidth);
    p.height = std::max(p.height, minimumHeight);
    if (screens.empty()) return p;
    const ScreenArea* on = nullptr;
    for (const ScreenArea& s : screens)
        if (TitleBarReachable(p, s)) {
            on = &s;
            break;
        }
    const ScreenArea& s = on ? *on : screens.front();
    // As large as the screen at most, frame included, but never below the minimum.
    p.width = std::max(minimumWidth, std::min(p.width, s.width));
    p.height = std::max(minimumHeight, std::min(p.height, s.height - kFrameHeight));
    if (!on) {
        p.left = s.left + std::max(0, (s.width - p.width) / 2);
        p.top = s.top + std::max(0, (s.height - p.height) / 2);
    } else {
        // The placement is the window's inside: its title bar lies above it and stays on the
        // screen, and so do its right edge and the status bar at the bottom.
        p.top = std::max(p.top, s.top + kTitleBarHeight);
        if (p.top + p.height + kFrameBottom > s.top + s.height)
            p.top = std::max(s.top + kTitleBarHeight, s.top + s.height - p.height - kFrameBottom);
        if (p.left + p.width > s.left + s.width)
            p.left = std::max(s.left, s.left + s.width - p.width);
    }
    return p;
}

Placement PlaceMainWindow(Placement p, const std::vector<ScreenArea>& screens) {
    p.width = std::max(p.width, kDesignWindowWidth);
    p.height = std::max(p.height, kDesignWindowHeight);
    return FitOnScreens(p, screens, kMinimumWindowWidth, kMinimumWindowHeight);
}

}  // namespace velmora
