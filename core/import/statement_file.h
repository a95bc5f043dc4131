#pragma once
// A bank's statement file as it comes: its code page (found by itself or chosen), its
// rows of comma-separated cells, and guesses at the rows and columns a statement of a
// Japanese bank usually has.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The choices of the dialog's list, in order: found by itself, CP932, UTF-8.
enum class StatementEncoding { Auto, ShiftJis, Utf8 };
inline constexpr std::array<const char*, 3> kStatementEncodingNames = {"自動判別", "Shift_JIS",
                                                                       "UTF-8"};

struct StatementText {
    std::string text;                                   // UTF-8, byte order mark taken off
    StatementEncoding found = StatementEncoding::Utf8;  // ShiftJis or Utf8
};

// The bytes as text. Auto takes UTF-8 when the bytes start with its byte order mark or
// are valid UTF-8, else CP932. Throws EncodingError when the bytes are not text of the
// code page chosen (or of either, with Auto).
StatementText DecodeStatement(std::string_view bytes, StatementEncoding chosen);

using StatementRow = std::vector<std::string>;

// The rows of CSV text: cells separated by commas; a cell in double quotes may hold
// commas, line breaks and doubled double quotes; lines end with CR LF, LF or CR. Empty
// lines are no rows.
std::vector<StatementRow> SplitCsvRows(std::string_view text);

}  // namespace velmora
