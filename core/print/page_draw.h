#pragma once
// Where a page is drawn: which print offsets a page takes, the preview sheet and printable
// area at a zoom, and the side a printed sheet is on.
#include "core/printstyle/canvas_types.h"
#include "core/printstyle/draw_context.h"
#include "core/printstyle/print_offsets.h"
#include "core/printstyle/printer_setup.h"

namespace velmora {

// The offsets a page of kind and paper is drawn with, as odd/even pairs for DrawStyle: the
// ledger kinds on a KOKUYO form keep both pairs (odd pages and even pages differ); plain
// paper and every other kind use the odd-page offsets for all pages.
PrintOffsets OffsetsInUse(int kind, int paperIndex, const PrintOffsets& offsets);

// base with the origin at the offsets of the page side and the page side set.
DrawContext PageDrawContext(const DrawContext& base, const PrintOffsets& inUse, int pageSide);

// The preview at a zoom (percent), in screen pixels.
struct PreviewGeometry {
    int resolutionX = 0;  // trunc(screen dpi x * zoom / 100)
    int resolutionY = 0;
    Size sheet;  // `paperpanel`: round(paper mm * screen dpi / 25.4 * zoom / 100)
    Rect area;   // `PaintBox1`: at round(offset mm ...), size trunc(printable mm ...)
    bool operator==(const PreviewGeometry&) const = default;
};
PreviewGeometry ComputePreviewGeometry(const PrinterMetrics& metrics, int zoom);

// The side of the sheet-th sheet of a print run (from 1): the first sheet is an odd page,
// or an even page with "偶数から開始", and they alternate from there across the whole job.
int PrintedPageSide(int sheet, bool evenFirst);

}  // namespace velmora
