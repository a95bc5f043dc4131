#pragma once
// The command ribbon: four pages of button groups, each group's label under its buttons,
// built from the ribbon table. Buttons trigger the actions of their commands.
#include <QTabWidget>
#include <functional>
#include <string_view>

class QAction;

namespace velmora::gui {

using ActionLookup = std::function<QAction*(std::string_view command)>;

// The ribbon (object name "MenuPageControl"). Its two check boxes carry the object names
// of their table rows ("allBooks", "datesearch").
QTabWidget* BuildRibbonPages(QWidget* parent, const ActionLookup& actionOf);

}  // namespace velmora::gui
