#include "core/print/calibration_page.h"

#include <algorithm>
#include <cstdint>

#include "core/printstyle/device_mapping.h"

namespace velmora {
namespace {

constexpr std::int64_t kMm = Amount::kScale;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

Amount Mm(std::int64_t wholeMm) {
    return Amount::FromYen(wholeMm);
}

// The whole millimetres m from the origin whose position offset + m lies within 0..size.
struct MmRange {
    std::int64_t first;
    std::int64_t last;
};
MmRange RangeWithin(int sizeMm, Amount offset) {
    return {-FloorDiv(offset.Raw(), kMm), FloorDiv(sizeMm * kMm - offset.Raw(), kMm)};
}

bool IsTen(std::int64_t m) {
    return m % 10 == 0;
}

// The first multiple of ten at or after m.
std::int64_t FirstTen(std::int64_t m) {
    return -FloorDiv(-m, 10) * 10;
}

}  // namespace

CalibrationSheet LayOutCalibration(int pageWidthMm, int pageHeightMm, Amount offsetX,
                                   Amount offsetY) {
    CalibrationSheet sheet;
    const MmRange xs = RangeWithin(pageWidthMm, offsetX);
    const MmRange ys = RangeWithin(pageHeightMm, offsetY);
    const Amount width = Mm(pageWidthMm);
    const Amount height = Mm(pageHeightMm);
    const Amount inset = kCalibrationLabelInsetMm;
    // The first 10 mm line across and down within the area: the numbers sit in the cells
    // right of and below them, clear of every line and tick.
    const std::int64_t firstRow = FirstTen(ys.first);
    const std::int64_t firstColumn = FirstTen(xs.first);
    const Amount row = offsetY + Mm(firstRow);
    const Amount column = offsetX + Mm(firstColumn);
    sheet.labels.push_back({column + Mm(10) + inset, row + Mm(10) + inset,
                            std::string(kCalibrationInstruction) + "  X " + offsetX.PlainText() +
                                " mm  Y " + offsetY.PlainText() + " mm"});

    for (std::int64_t m = xs.first; m <= xs.last; ++m) {
        if (!IsTen(m)) continue;
        const Amount x = offsetX + Mm(m);
        sheet.lines.push_back({x, Amount{}, x, height, m == 0 ? 3 : 2});
        sheet.labels.push_back({x + inset, row + inset, std::to_string(m)});
    }
    for (std::int64_t m = ys.first; m <= ys.last; ++m) {
        if (!IsTen(m)) continue;
        const Amount y = offsetY + Mm(m);
        sheet.lines.push_back({Amount{}, y, width, y, m == 0 ? 3 : 2});
        if (m != firstRow) sheet.labels.push_back({column + inset, y + inset, std::to_string(m)});
    }
    // The ticks hang below each 10 mm line across and to the right of each line down.
    for (std::int64_t n = ys.first; n <= ys.last; ++n) {
        if (!IsTen(n)) continue;
        const Amount y = offsetY + Mm(n);
        for (std::int64_t m = xs.first; m <= xs.last; ++m) {
            if (IsTen(m)) continue;
            const Amount x = offsetX + Mm(m);
            const Amount length = m % 5 == 0 ? kCalibrationFiveTickMm : kCalibrationTickMm;
            sheet.lines.push_back({x, y, x, std::min(y + length, height), 1});
        }
    }
    for (std::int64_t n = xs.first; n <= xs.last; ++n) {
        if (!IsTen(n)) continue;
        const Amount x = offsetX + Mm(n);
        for (std::int64_t m = ys.first; m <= ys.last; ++m) {
            if (IsTen(m)) continue;
            const Amount y = offsetY + Mm(m);
            const Amount length = m % 5 == 0 ? kCalibrationFiveTickMm : kCalibrationTickMm;
            sheet.lines.push_back({x, y, std::min(x + length, width), y, 1});
        }
    }
    return sheet;
}

void DrawCalibration(Canvas& canvas, const CalibrationSheet& sheet, int dpiX, int dpiY) {
    const Amount perMmX = PixelsPerMm(Amount::FromYen(dpiX));
    const Amount perMmY = PixelsPerMm(Amount::FromYen(dpiY));
    auto point = [&](Amount x, Amount y) {
        return Point{MmToPixel(x, Amount{}, perMmX), MmToPixel(y, Amount{}, perMmY)};
    };
    canvas.SetPenStyle(PenStyle::kSolid);
    canvas.SetPenColour(kBlack);
    for (const CalibrationLine& line : sheet.lines) {
        // 0.1 mm for ticks, 0.2 mm for the 10 mm lines, 0.4 mm through the origin.
        const Amount width = Amount::FromRaw(line.weight == 3 ? 4000 : 1000 * line.weight);
        canvas.SetPenWidth(std::max(1, MmToPixel(width, Amount{}, perMmX)));
        canvas.DrawLine(point(line.x1, line.y1), point(line.x2, line.y2));
    }
    canvas.SetFontFace("IPAexGothic");
    canvas.SetFontSize(6, dpiY);
    canvas.SetFontColour(kBlack);
    canvas.SetBrushStyle(BrushStyle::kSolid);
    canvas.SetBrushColour(kWhite);
    // Each text on white, so that no line or tick runs through it.
    for (const CalibrationLabel& label : sheet.labels) {
        const Point at = point(label.x, label.y);
        const Size size = canvas.TextExtent(label.text);
        canvas.FillRect({at.x, at.y, at.x + size.width, at.y + size.height});
        canvas.TextOut(at, label.text);
    }
}

}  // namespace velmora
