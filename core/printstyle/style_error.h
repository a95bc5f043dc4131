#pragma once
// A style line whose fields do not convert. The message names the style file (when the
// style came from one) and the line number counted from 1, followed by the conversion
// message, so that the user can find the line.
#include <string>

#include "core/util/errors.h"

namespace velmora {

class StyleError : public ConversionError {
public:
    StyleError(std::string file, int line, std::string detail);

    const std::string& File() const { return file_; }
    int Line() const { return line_; }
    const std::string& Detail() const { return detail_; }

private:
    std::string file_;
    int line_;
    std::string detail_;
};

}  // namespace velmora
