#include "gui/app/toolkit_options.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace velmora::gui {
namespace {

// Qt's options that take a value, then those that stand alone (QGuiApplication and
// QApplication); both are also accepted with two dashes.
constexpr std::array<std::string_view, 11> kWithValue{
    "platform",    "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "style",         "stylesheet", "session",
    "display"};
constexpr std::array<std::string_view, 5> kAlone{"reverse", "widgetcount", "nograb", "dograb",
                                                 "sync"};

std::string_view OptionName(std::string_view arg) {
    if (arg.rfind("--", 0) == 0) return arg.substr(2);
    if (arg.rfind("-", 0) == 0) return arg.substr(1);
    return {};
}

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = OptionName(argv[i]);
        if (Contains(kWithValue, name)) {
            ++i;
            continue;
        }
        if (Contains(kAlone, name)) continue;
        args.emplace_back(argv[i]);
    }
    return args;
}

}  // namespace velmora::gui
