#include "core/printstyle/style_error.h"

namespace velmora {
namespace {

std::string StyleErrorMessage(const std::string& file, int line, const std::string& detail) {
    std::string where = file.empty() ? "スタイル" : "スタイルファイル " + file + " ";
    return where + "の " + std::to_string(line) + " 行目: " + detail;
}

}  // namespace

StyleError::StyleError(std::string file, int line, std::string detail)
    : ConversionError(StyleErrorMessage(file, line, detail)),
      file_(std::move(file)),
      line_(line),
      detail_(std::move(detail)) {}

}  // namespace velmora
