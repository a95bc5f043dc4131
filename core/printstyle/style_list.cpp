#include "core/printstyle/style_list.h"

#include <algorithm>

#include "core/platform/file_io.h"
#include "core/util/errors.h"
#include "core/util/fields.h"

namespace velmora {
namespace {

constexpr int kTextField = 20;
constexpr std::string_view kRowsDirective = "#maxline=";

struct FieldSpan {
    std::size_t start = std::string::npos;
    std::size_t length = 0;
};

// Where field n (from 1) of a ";"-separated line lies; the last field needs no ";" after
// it. start is npos when the line has fewer than n fields.
FieldSpan FindField(std::string_view line, int n) {
    std::size_t pos = 0;
    for (int i = 1; i < n; ++i) {
        std::size_t semicolon = line.find(';', pos);
        if (semicolon == std::string_view::npos) return {};
        pos = semicolon + 1;
    }
    std::size_t end = line.find(';', pos);
    return {pos, (end == std::string_view::npos ? line.size() : end) - pos};
}

}  // namespace

const std::string& StyleList::Line(int index) const {
    if (index < 0 || index >= Count()) throw ListIndexError();
    return lines_[static_cast<std::size_t>(index)];
}

void StyleList::SetLine(int index, std::string text) {
    if (index < 0 || index >= Count()) throw ListIndexError();
    lines_[static_cast<std::size_t>(index)] = std::move(text);
}

int StyleList::StyleEnd() const {
    auto firstEmpty = std::find_if(lines_.begin(), lines_.end(),
                                   [](const std::string& line) { return line.empty(); });
    return static_cast<int>(firstEmpty - lines_.begin());
}

StyleList LoadStyleFile(const std::string& path) {
    if (!FileExists(path)) return StyleList({}, path);
    return StyleList(ReadTextLines(path), path);
}

StyleList NewEmptyStyle() {
    return StyleList({"header;Ver1.1;0;0;0;0;401;100;"});
}

int TakeRowsPerPage(StyleList& style) {
    for (int i = 1; i < style.Count(); ++i) {
        std::string line = style.Line(i);
        if (line.find(kRowsDirective) == std::string::npos) continue;
        FieldSpan field = FindField(line, kTextField);
        if (field.start == std::string::npos) return 0;
        std::string_view text = std::string_view(line).substr(field.start, field.length);
        long long rows =
            text.size() > kRowsDirective.size() ? IntOr(text.substr(kRowsDirective.size()), 0) : 0;
        line.erase(field.start, field.length);
        style.SetLine(i, std::move(line));
        return static_cast<int>(std::clamp<long long>(rows, 0, kMaxRowsPerPage));
    }
    return 0;
}

}  // namespace velmora
