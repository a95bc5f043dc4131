#pragma once
// The lines of one style file in drawing order: the header line first, then the items.
// Later items paint over earlier ones, so pages add fills first, then lines, then texts.
#include <string>
#include <vector>

#include "tools/make_styles/style_items.h"

namespace velmora {

class StyleSheet {
public:
    explicit StyleSheet(const PageSetup& setup) : lines_{HeaderLine(setup)} {}

    void AddText(const TextItem& item) { lines_.push_back(TextLine(item)); }
    void AddLine(const Segment& segment, int width, std::string_view pen = kSolidPen) {
        lines_.push_back(LineLine(segment, width, pen));
    }
    void AddRect(const Segment& box, int width) { lines_.push_back(RectLine(box, width)); }
    void AddFormLine(const Segment& segment, int colour, std::string_view pen = kSolidPen) {
        lines_.push_back(FormLine(segment, colour, pen));
    }
    void AddFilledBox(const Segment& box, int colour) {
        lines_.push_back(FilledBoxLine(box, colour));
    }
    // The rows one page of the report holds. The directive sits at x 0, so even a style
    // drawn without its page filler shows nothing for it.
    void AddRowsPerPage(int rows, std::string_view font);

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

// The row number of a placeholder: "01" … "99", then three digits.
std::string TwoDigits(int number);

}  // namespace velmora
