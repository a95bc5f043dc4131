#pragma once
// The core's UTF-8 text as a Qt string: the one conversion the windows and devices share.
#include <QString>
#include <string_view>

namespace velmora {

inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace velmora
