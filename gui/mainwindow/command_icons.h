#pragma once
// The picture of a command: the desktop theme's icon when the theme has one, else the
// picture shipped in the program folder (images/ribbon/<command>.svg), so that no ribbon
// button is ever blank.
#include <QIcon>
#include <QString>
#include <string_view>

namespace velmora::gui {

QIcon CommandIcon(const QString& programFolder, std::string_view command);

}  // namespace velmora::gui
