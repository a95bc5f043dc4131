#pragma once
// The main window's position and size, kept in "ini/" + key + ".ini" of the working folder.
#include <string>
#include <vector>

namespace velmora {

class FileWriter;

struct Placement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Placement&) const = default;
};

inline constexpr const char* kMainWindowKey = "velmora5";

std::string PlacementPath(const std::string& workingFolder, const std::string& key);
// Rewrites the placement file with its four lines. Throws FileError on failure.
void SavePlacement(const std::string& workingFolder, const std::string& key, const Placement& p,
                   FileWriter& writer);
// All four 0 when the file is missing; each line sets the value its key names (an
// integer, 0 when not a number); other lines are ignored.
// A line that cannot be decoded, or a file too large to be real, is told in *problem
// (when given) and read as ReadStartFile reads it.
Placement LoadPlacement(const std::string& workingFolder, const std::string& key,
                        std::string* problem = nullptr);
// The placement the main window opens with: the stored one, or the default when the stored
// height is 0 or less.
Placement MainWindowPlacement(const Placement& stored);

// The area of one screen, in the same units as a placement.
struct ScreenArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The placement made usable, whatever values the file held: at least the minimum size, and
// moved onto the first screen (the primary one) when too little of its title bar would lie on
// any screen to grab it, as after a monitor was removed. A window larger than its screen is
// made to fit it, its frame included, unless that is below the minimum. The placement is the
// window's inside: the title bar above it, its right edge and its bottom edge are kept on the
// screen.
Placement FitOnScreens(Placement p, const std::vector<ScreenArea>& screens, int minimumWidth,
                       int minimumHeight);

// The main window's design size (the old program's least size) and the smallest it gets on
// a small screen: 1280 x 720, or 1920 x 1080 at 150 %.
inline constexpr int kDesignWindowWidth = 1279;
inline constexpr int kDesignWindowHeight = 749;
inline constexpr int kMinimumWindowWidth = 1024;
inline constexpr int kMinimumWindowHeight = 600;

// The main window's placement: at least the design size, fitted onto the screens.
Placement PlaceMainWindow(Placement p, const std::vector<ScreenArea>& screens);

}  // namespace velmora
