#pragma once
// The loaded print style: its text lines in file order, exactly as read. Entry 0 is the
// header line; the first empty entry ends the style (nothing after it is drawn or scanned).
// The page fillers rewrite lines in place before a page is drawn.
#include <string>
#include <vector>

namespace velmora {

class StyleList {
public:
    StyleList() = default;
    explicit StyleList(std::vector<std::string> lines, std::string sourcePath = {})
        : lines_(std::move(lines)), sourcePath_(std::move(sourcePath)) {}

    int Count() const { return static_cast<int>(lines_.size()); }
    bool Empty() const { return lines_.empty(); }
    // Throws ListIndexError when index is out of range.
    const std::string& Line(int index) const;
    void SetLine(int index, std::string text);
    void Append(std::string text) { lines_.push_back(std::move(text)); }
    const std::vector<std::string>& Lines() const { return lines_; }

    // The number of entries that belong to the style: the index of the first empty entry,
    // or Count() when there is none.
    int StyleEnd() const;

    // The file the lines came from; empty for a style made in memory. Error messages name it.
    const std::string& SourcePath() const { return sourcePath_; }

private:
    std::vector<std::string> lines_;
    std::string sourcePath_;
};

// The file's lines (CP932, or UTF-8 when the file is UTF-8); a missing file gives an empty
// list. Throws FileError or EncodingError when the file exists but cannot be read.
StyleList LoadStyleFile(const std::string& path);

// The style of no file: the single header line "header;Ver1.1;0;0;0;0;401;100;".
StyleList NewEmptyStyle();

// Rows per page declared by the first line from entry 1 on that holds "#maxline=": the
// number after the first nine characters of its text field (F20), 0 when there is no such
// line. The directive is removed from that line so that it draws nothing. A negative
// number reads as 0, and the figure is capped at kMaxRowsPerPage so that a damaged file
// cannot make a page filler allocate without bound.
inline constexpr int kMaxRowsPerPage = 10000;
int TakeRowsPerPage(StyleList& style);

}  // namespace velmora
