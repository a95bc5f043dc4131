#pragma once
// The print styles committed under data/style, read for the checks of tests_tools.
#include <string>
#include <string_view>
#include <vector>

namespace velmora::testing {

// data/style of the source tree.
std::string ShippedStyleFolder();
// The names of the .sle and .slf files in a folder, sorted.
std::vector<std::string> StyleFileNames(const std::string& folder);
// The fields of a style line, each of which the line ends with ";".
std::vector<std::string> StyleFields(std::string_view line);
// "#" names in an item's text with the row number after them: "#Y/#M" gives {"#Y", ""} and
// {"#M", ""}; "#ia_07" gives {"#ia_", "07"}.
struct PlaceholderUse {
    std::string name;
    std::string number;
};
std::vector<PlaceholderUse> PlaceholdersIn(std::string_view text);

}  // namespace velmora::testing
