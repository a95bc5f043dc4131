#pragma once
// The core's report colours as Qt colours.
#include <QColor>

#include "core/reports/report_colours.h"

namespace velmora::gui {

inline QColor QtColour(const RgbColour& c) {
    return QColor(c.red, c.green, c.blue);
}

}  // namespace velmora::gui
