#pragma once
// The print offsets of a style: where the page origin sits, in millimetres from the top-left
// of the printable area, for odd pages (the whole job on plain paper) and for even pages.
#include "core/util/amount.h"

namespace velmora {

struct PrintOffsets {
    Amount oddX;
    Amount oddY;
    Amount evenX;
    Amount evenY;
    bool operator==(const PrintOffsets&) const = default;
};

}  // namespace velmora
