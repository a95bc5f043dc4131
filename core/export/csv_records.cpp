#include "core/export/csv_records.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "core/ledger/kept_balances.h"
#include "core/ledger/record.h"
#include "core/ledgerview/record_side.h"
#include "core/platform/file_io.h"
#include "core/session/file_commands.h"
#include "core/util/codepage.h"

namespace velmora {
namespace {

bool Taken(const RecordSplit& record, const CsvScope& scope) {
    if (!scope.allBooks && !record.BelongsTo(scope.book.kind, scope.book.name)) return false;
    return scope.accountFilter.empty() || record[kFieldTitle] == scope.accountFilter;
}

// The values of a record that are not texts of its line: the title's code and the
// description as one book sees it.
struct MadeTexts {
    std::string code;
    std::string description;
    std::array<std::string, kCsvColumnCount> guarded;
};

// The values view the record's line and made; both must outlive them.
CsvValues ValuesOf(const RecordSplit& record, const CsvScope& scope, const CsvOptions& options,
                   const CodeTable& codes, MadeTexts& made) {
    std::string_view title = record[kFieldTitle];
    if (options.codeConversion) {
        made.code = codes.CodeOf(title);
        title = made.code;
    }
    CsvValues values = {
        record[kFieldOwnKind],     record[kFieldOwnName], record[kFieldOtherKind],
        record[kFieldOtherName],   record[kFieldDate],    title,
        record[kFieldDescription], record[kFieldIncome],  record[kFieldExpense],
        record[kFieldBalance],
    };
    if (!scope.allBooks) {
        made.description = DecoratedDescription(record, scope.book.kind, scope.book.name);
        values[6] = made.description;
        SeenAmounts amounts = AmountsSeenBy(record, scope.book.kind, scope.book.name);
        values[7] = amounts.income;
        values[8] = amounts.expense;
    }
    if (options.formulaGuard)
        for (std::size_t i = 0; i < values.size(); ++i)
            if (kCsvGuardedColumns[i] && StartsLikeFormula(values[i])) {
                std::string& guarded = made.guarded[i];
                guarded.clear();
                guarded.push_back('\'');
                guarded.append(values[i].begin(), values[i].end());
                values[i] = guarded;
            }
    return values;
}

// Gives the values of each record taken to take, which returns false to stop; false when
// it did.
template <typename Take>
bool ForEachCsvRecord(const Ledger& ledger, const CsvScope& scope, const CsvOptions& options,
                      const CodeTable& codes, Take take) {
    RecordSplit record;
    MadeTexts made;
    for (const auto& line : ledger.transactions.Items()) {
        record.Split(line);
        if (!Taken(record, scope)) continue;
        if (!take(ValuesOf(record, scope, options, codes, made))) return false;
    }
    return true;
}

// The CP932 bytes of a file's lines, each line's pieces written straight into them.
class CsvBytesWriter {
public:
    explicit CsvBytesWriter(std::size_t estimate) { bytes_.reserve(estimate); }

    bool Line(const CsvValues& values, const CsvOptions& options) {
        std::size_t room = kLineEnd.size() + 1;  // Write needs one byte beyond the text
        ForEachCsvPiece(values, options, [&room](std::string_view piece) { room += piece.size(); });
        char* end = Room(room);
        ForEachCsvPiece(values, options, [this, &end](std::string_view piece) {
            if (end != nullptr) end = encoder_.Write(piece, end);
        });
        return Ended(end);
    }

    bool Text(const std::string& line) {
        char* end = Room(line.size() + kLineEnd.size() + 1);
        end = encoder_.Write(line, end);
        return Ended(end);
    }

    std::string& Bytes() {
        bytes_.resize(used_);
        return bytes_;
    }

private:
    static constexpr std::string_view kLineEnd = "\r\n";
    static constexpr std::size_t kStep = 256 * 1024;

    // Where room bytes can be written: the bytes grow a step at a time, not a line at a
    // time.
    char* Room(std::size_t room) {
        if (bytes_.size() - used_ < room) bytes_.resize(used_ + std::max(room, kStep));
        return bytes_.data() + used_;
    }

    // The line end after what was written up to end; false for a line that was refused.
    bool Ended(char* end) {
        if (end != nullptr) end = encoder_.Write(kLineEnd, end);
        if (end == nullptr) return false;
        used_ = static_cast<std::size_t>(end - bytes_.data());
        return true;
    }

    Cp932Encoder encoder_;
    std::string bytes_;
    std::size_t used_ = 0;  // bytes_ beyond it are room, not text
};

}  // namespace

CsvScope CsvScopeOf(const Session& session) {
    return {session.currentBook, session.allBooks, session.accountFilter};
}

std::vector<std::string> CsvRecordLines(const Ledger& ledger, const CsvScope& scope,
                                        const CsvOptions& options, const CodeTable& codes) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(ledger.transactions.Count()) + 1);
    if (options.titleRow) lines.push_back(CsvTitleRow(options));
    ForEachCsvRecord(ledger, scope, options, codes, [&lines, &options](const CsvValues& values) {
        lines.push_back(CsvLine(values, options));
        return true;
    });
    return lines;
}

std::string CsvFileBytes(const Ledger& ledger, const CsvScope& scope, const CsvOptions& options,
                         const CodeTable& codes) {
    if (options.encoding == CsvEncoding::Utf8Bom) {
        std::string bytes = "\xEF\xBB\xBF";
        for (const std::string& line : CsvRecordLines(ledger, scope, options, codes)) {
            bytes += line;
            bytes += "\r\n";
        }
        return bytes;
    }
    // A CSV line is about as long as the record it comes from.
    std::size_t estimate = 0;
    for (const auto& line : ledger.transactions.Items()) estimate += line.size() + 2;
    CsvBytesWriter writer(estimate);
    const bool encoded = (!options.titleRow || writer.Text(CsvTitleRow(options))) &&
                         ForEachCsvRecord(ledger, scope, options, codes,
                                          [&writer, &options](const CsvValues& values) {
                                              return writer.Line(values, options);
                                          });
    // A character CP932 cannot hold: named as the lines' encoding names it.
    if (!encoded) return EncodeTextLines(CsvRecordLines(ledger, scope, options, codes));
    return std::move(writer.Bytes());
}

bool ExportCsv(Session& session, const CsvOptions& options, const CodeTable& codes) {
    std::optional<std::string> path = session.dialogs().AskSaveFile(CsvSaveRequest());
    if (!path || path->empty()) return false;
    if (RefuseProtectedOutput(session, *path)) return false;
    try {
        SettleBalances(session.ledger, session.currentBook);
        session.writer().WriteOutput(
            *path, CsvFileBytes(session.ledger, CsvScopeOf(session), options, codes),
            OutputModeLimit(session.currentFile));
    } catch (const std::exception& error) {
        session.dialogs().ShowInfo("確認", error.what());
        return false;
    }
    session.dialogs().ShowInfo(kCsvDoneHeading, kCsvDoneText);
    return true;
}

}  // namespace velmora
