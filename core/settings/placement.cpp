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

// In 64 bits: the values of a placement file may be anything an int holds.
bool TitleBarReachable(const Placement& p, const ScreenArea& s) {
    using Wide = long long;
    const Wide left = std::max<Wide>(p.left, s.left);
    const Wide right = std::min<Wide>(Wide{p.left} + p.width, Wide{s.left} + s.width);
    const Wide top = std::max<Wide>(p.top, s.top);
    const Wide bottom = std::min<Wide>(Wide{p.top} + kGrabHeight, Wide{s.top} + s.height);
    return right - left >= std::min(kGrabWidth, p.width) && bottom - top >= kGrabHeight;
}

// No larger than the screen, but never below the minimum; a side that had to shrink starts
// at the screen's edge.
void FitSize(Placement& p, const ScreenArea& s, int minimumWidth, int minimumHeight) {
    if (p.width > s.width) {
        p.width = std::max(s.width, minimumWidth);
        p.left = s.left;
    }
    if (p.height > s.height) {
        p.height = std::max(s.height, minimumHeight);
        p.top = s.top;
    }
}

}  // namespace

Placement FitOnScreens(Placement p, const std::vector<ScreenArea>& screens, int minimumWidth,
                       int minimumHeight) {
    p.width = std::max(p.width, minimumWidth);
    p.height = std::max(p.height, minimumHeight);
    if (screens.empty()) return p;
    for (const ScreenArea& s : screens)
        if (TitleBarReachable(p, s)) {
            FitSize(p, s, minimumWidth, minimumHeight);
            return p;
        }
    const ScreenArea& primary = screens.front();
    FitSize(p, primary, minimumWidth, minimumHeight);
    p.left = primary.left + std::max(0, (primary.width - p.width) / 2);
    p.top = primary.top + std::max(0, (primary.height - p.height) / 2);
    return p;
}

}  // namespace velmora
