#pragma once
// The calibration sheet for pre-printed forms: a millimetre grid over the printable area,
// drawn from the origin the print offsets give a page. Held against a form, it shows how
// far a printout lies from the form's own grid, and so which offsets to type in.
#include <string>
#include <vector>

#include "core/printstyle/canvas.h"
#include "core/util/amount.h"

namespace velmora {

// Positions in millimetres from the top-left corner of the printable area.
struct CalibrationLine {
    Amount x1, y1, x2, y2;
    int weight = 1;  // 1 a 1 mm tick, 2 a 10 mm line, 3 a line through the origin
    bool operator==(const CalibrationLine&) const = default;
};

struct CalibrationLabel {
    Amount x, y;  // top-left corner of the text
    std::string text;
    bool operator==(const CalibrationLabel&) const = default;
};

struct CalibrationSheet {
    std::vector<CalibrationLine> lines;
    std::vector<CalibrationLabel> labels;
};

inline constexpr Amount kCalibrationTickMm = Amount::FromRaw(10000);      // 1 mm
inline constexpr Amount kCalibrationFiveTickMm = Amount::FromRaw(20000);  // 2 mm
// Numbers sit this far right of and below a 10 mm crossing: beyond the longest tick.
inline constexpr Amount kCalibrationLabelInsetMm = Amount::FromRaw(25000);  // 2.5 mm
// The sheet's one line of instruction, printed with the offsets it was made with.
inline constexpr const char* kCalibrationInstruction =
    "使い方: 帳簿用紙と重ねて透かし、用紙の基準が太線(原点)から何mmずれているかを読んで"
    "印刷位置の欄に足してください";

// The grid of a printable area of the given whole millimetres with its origin at the
// offsets: a line across the whole area at every 10 mm from the origin (the origin's own
// lines heavier), and along each of them a tick at every millimetre between, twice as long
// at every 5 mm. Each 10 mm line is numbered with its distance from the origin in the cell
// right of and below its crossing with the first 10 mm line of the other direction, clear
// of every line and tick. Only what lies within the area is laid out; the first label is
// the one line of instruction with the offsets. Labels are drawn on white.
CalibrationSheet LayOutCalibration(int pageWidthMm, int pageHeightMm, Amount offsetX,
                                   Amount offsetY);

// The sheet on a canvas of the given resolution, the printable area's corner at pixel 0,0.
void DrawCalibration(Canvas& canvas, const CalibrationSheet& sheet, int dpiX, int dpiY);

}  // namespace velmora
