#pragma once
// Drawing a loaded style on a canvas: every item in file order, up to the first empty line.
#include <optional>

#include "core/printstyle/bitmap.h"
#include "core/printstyle/canvas.h"
#include "core/printstyle/draw_context.h"
#include "core/printstyle/style_error.h"
#include "core/printstyle/style_list.h"

namespace velmora {

struct DrawResult {
    // Set when a field of a line does not convert: drawing stopped at that line, and the
    // lines before it stay drawn.
    std::optional<StyleError> error;
    bool Ok() const { return !error.has_value(); }
};

// Item kinds: "line", "rect", "rrect", "Ellipse", "Arc", "Chord", "fillrect", "char",
// "data", "image", "header"; lines of any other kind (the header line among them) draw
// nothing. The canvas keeps the pen, brush and font the last item left.
[[nodiscard]] DrawResult DrawStyle(Canvas& canvas, const StyleList& style,
                                   const DrawContext& context, ImageLoader& images);

}  // namespace velmora
