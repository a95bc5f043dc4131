#include "core/printstyle/style_fields.h"

#include <limits>

#include "core/util/errors.h"
#include "core/util/fields.h"

namespace velmora {
namespace {

bool FitsInt(long long value) {
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

[[noreturn]] void ThrowNotInteger(std::string_view text) {
    throw ConversionError("'" + std::string(text) + "' は正しい整数ではありません");
}

}  // namespace

std::string TakeField(std::string& line) {
    std::size_t semicolon = line.find(';');
    if (semicolon == std::string::npos) return line;
    std::string field = line.substr(0, semicolon);
    line.erase(0, semicolon + 1);
    return field;
}

int TakeIntField(std::string& line) {
    std::size_t semicolon = line.find(';');
    if (semicolon == std::string::npos) return 0;
    std::string field = line.substr(0, semicolon);
    line.erase(0, semicolon + 1);
    return field.empty() ? 0 : ReadInt(field);
}

Amount ReadMm(std::string_view text) {
    // Amount::Parse takes a blank text as 0; a position must be written out.
    if (TrimBlanks(text).empty())
        throw ConversionError("'" + std::string(text) + "' は正しい数値ではありません");
    return Amount::Parse(text);
}

int ReadInt(std::string_view text) {
    long long value = 0;
    if (!ParseInt(text, value) || !FitsInt(value)) ThrowNotInteger(text);
    return static_cast<int>(value);
}

int ReadInt0(std::string_view text) {
    long long value = 0;
    if (!ParseInt(text, value) || !FitsInt(value)) return 0;
    return static_cast<int>(value);
}

Colour ReadColour(std::string_view text) {
    return static_cast<Colour>(ReadInt0(text));
}

void FieldReader::Skip(int count) {
    for (int i = 0; i < count; ++i) TakeField(rest_);
}

Amount FieldReader::MmOrZero() {
    std::string field = TakeField(rest_);
    return field.empty() ? Amount() : ReadMm(field);
}

}  // namespace velmora
