#pragma once
// The order and sameness of summary row labels (account titles, descriptions). Labels are
// compared without regard to letter case, so that "Taxi" and "taxi" make one row; the
// order is the code-point order of the case-folded text, the same on every machine
// whatever its locale. Japanese labels therefore sort by their characters' code points.
#include <string>
#include <string_view>

namespace velmora {

// The label with ASCII letters A-Z and full-width letters Ａ-Ｚ made lower case; every
// other character stays as it is. Two labels are the same row when their folded texts
// are equal; rows are listed in the byte order of the folded texts (UTF-8 byte order is
// code-point order).
std::string FoldedLabel(std::string_view label);

}  // namespace velmora
