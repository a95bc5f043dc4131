#pragma once
// The font families a page is printed with. Styles name Windows fonts; on Linux the
// Japanese ones print with IPAex Mincho or IPAex Gothic, and a face that is not installed
// prints with IPAex Gothic rather than with whatever fontconfig would pick (or nothing).
#include <QString>
#include <string_view>

namespace velmora::gui {

inline constexpr const char* kMinchoFamily = "IPAexMincho";
inline constexpr const char* kGothicFamily = "IPAexGothic";

// The family a style's font face prints with.
QString PrintFamily(std::string_view face);

}  // namespace velmora::gui
