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

// The placement made usable, whatever values the file held: at least the minimum size, no
// larger than the screen it lies on (a window larger than that screen becomes the
// screen's size, at its corner, but never smaller than the minimum), and centred on the
// first screen (the primary one) when too little of its title bar would lie on any screen
// to grab it, as after a monitor was removed.
Placement FitOnScreens(Placement p, const std::vector<ScreenArea>& screens, int minimumWidth,
                       int minimumHeight);

}  // namespace velmora
