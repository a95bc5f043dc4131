#pragma once
// What the single-style reports share.
#include <string_view>

#include "tools/make_styles/style_items.h"

namespace velmora {

inline constexpr std::string_view kReportFont = "IPAexGothic";
inline constexpr int kReportHeadingFill = Rgb(217, 217, 217);

}  // namespace velmora
