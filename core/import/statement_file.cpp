#include "core/import/statement_file.h"

#include "core/util/codepage.h"
#include "core/util/errors.h"

namespace velmora {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool RowIsEmpty(const StatementRow& row) {
    return row.size() == 1 && row[0].empty();
}

}  // namespace

StatementText DecodeStatement(std::string_view bytes, StatementEncoding chosen) {
    const bool mark = bytes.starts_with(kByteOrderMark);
    if (mark) bytes.remove_prefix(kByteOrderMark.size());
    const bool utf8 = chosen == StatementEncoding::Utf8 ||
                      (chosen == StatementEncoding::Auto && (mark || IsValidUtf8(bytes)));
    if (!utf8) return {Cp932ToUtf8(bytes), StatementEncoding::ShiftJis};
    if (!IsValidUtf8(bytes)) throw EncodingError("UTF-8として読めないバイトがあります。");
    return {std::string(bytes), StatementEncoding::Utf8};
}

std::vector<StatementRow> SplitCsvRows(std::string_view text) {
    std::vector<StatementRow> rows;
    StatementRow row;
    std::string cell;
    bool quoted = false;
    bool any = false;  // the row has begun
    auto endCell = [&] {
        row.push_back(std::move(cell));
        cell.clear();
    };
    auto endRow = [&] {
        endCell();
        if (!RowIsEmpty(row)) rows.push_back(std::move(row));
        row.clear();
        any = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                cell += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        any = true;
        if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            endCell();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            endRow();
        } else {
            cell += c;
        }
    }
    if (any || !cell.empty()) endRow();
    return rows;
}

}  // namespace velmora
