#pragma once
// The CP932 bytes of the CSV file's lines, written a line at a time straight into them.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/export/csv_export.h"
#include "core/export/repeated_forms.h"
#include "core/util/codepage.h"

namespace velmora {

// Which texts of a record the index knows under an id (its books, title and description),
// per column: the same id in a column means the same value there, except where the
// scope decorates it. kNoId for a column without one.
using CsvTextIds = std::array<std::uint32_t, kCsvColumnCount>;
inline constexpr std::uint32_t kNoId = 0xFFFFFFFF;

// The CP932 bytes of a file's lines, each line's pieces written straight into them, a
// run of lines at a time. Given a part to take, it hands the bytes made so far to it
// whenever they pass kPart, and keeps only what is not taken yet.
class CsvBytesWriter {
public:
    using TakePart = std::function<void(std::string_view)>;

    // Starts a run of about estimate bytes.
    void Begin(std::size_t estimate, const TakePart* take);
    // The run's bytes; with a part to take, what is left is handed to it instead.
    std::string End();

    // The checked values of a record, the forms of those with an id copied where they are
    // kept; false when CP932 cannot hold one (the line is then not written).
    bool Line(const CsvValues& values, const CsvTextIds& ids, const CsvOptions& options);
    // A line of text (the title row); false as for Line.
    bool Text(const std::string& line);

private:
    static constexpr std::string_view kLineEnd = "\r\n";
    static constexpr std::size_t kStep = 256 * 1024;
    // Bytes handed over at once: large enough for few writes, small enough for the disk
    // to take them while the next are made.
    static constexpr std::size_t kPart = 1024 * 1024;

    char* Value(std::size_t column, std::string_view value, std::uint32_t id, char* out);
    char* Room(std::size_t room);
    bool Ended(char* end);

    const TakePart* take_ = nullptr;
    Cp932Encoder encoder_;
    RepeatedForms forms_;
    std::string bytes_;
    std::size_t used_ = 0;  // bytes_ beyond it are room, not text
};

}  // namespace velmora
