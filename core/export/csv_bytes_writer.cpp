#include "core/export/csv_bytes_writer.h"

#include <algorithm>
#include <utility>

namespace velmora {

void CsvBytesWriter::Begin(std::size_t estimate, const TakePart* take) {
    take_ = take;
    used_ = 0;
    bytes_ = std::string();
    bytes_.reserve(take == nullptr ? estimate : std::min(estimate, kPart + kStep));
}

std::string CsvBytesWriter::End() {
    if (take_ != nullptr) {
        if (used_ > 0) (*take_)(std::string_view(bytes_.data(), used_));
        used_ = 0;
    }
    bytes_.resize(used_);
    return std::move(bytes_);
}

bool CsvBytesWriter::Line(const CsvValues& values, const CsvTextIds& ids,
                          const CsvOptions& options) {
    // Write needs one byte beyond the text, a copied form a block.
    std::size_t room = kLineEnd.size() + RepeatedForms::kBlock;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (options.columns[i]) room += values[i].size() + 1;
    char* end = Room(room);
    for (std::size_t i = 0; i < values.size() && end != nullptr; ++i) {
        if (!options.columns[i]) continue;
        end = Value(i, values[i], ids[i], end);
        if (end != nullptr) *end++ = ',';
    }
    return Ended(end);
}

bool CsvBytesWriter::Text(const std::string& line) {
    char* end = Room(line.size() + kLineEnd.size() + 1);
    end = encoder_.Write(line, end);
    return Ended(end);
}

// A CP932 form is never longer than the UTF-8 text, so the room of a line holds it.
char* CsvBytesWriter::Value(std::size_t column, std::string_view value, std::uint32_t id,
                            char* out) {
    if (id == kNoId) return encoder_.Write(value, out);
    if (char* end = forms_.Copy(column, id, value, out)) return end;
    char* end = encoder_.Write(value, out);
    if (end != nullptr) forms_.Keep(column, id, value, std::string_view(out, end - out));
    return end;
}

// Where room bytes can be written: the bytes grow a step at a time, not a line at a time.
char* CsvBytesWriter::Room(std::size_t room) {
    if (bytes_.size() - used_ < room) bytes_.resize(used_ + std::max(room, kStep));
    return bytes_.data() + used_;
}

// The line end after what was written up to end; false for a line that was refused.
bool CsvBytesWriter::Ended(char* end) {
    if (end != nullptr) end = encoder_.Write(kLineEnd, end);
    if (end == nullptr) return false;
    used_ = static_cast<std::size_t>(end - bytes_.data());
    if (take_ != nullptr && used_ >= kPart) {
        (*take_)(std::string_view(bytes_.data(), used_));
        used_ = 0;
    }
    return true;
}

}  // namespace velmora
