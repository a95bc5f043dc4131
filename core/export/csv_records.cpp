#include "core/export/csv_records.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <functional>
#include <future>
#include <iterator>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "core/export/csv_bytes_writer.h"
#include "core/ledger/kept_balances.h"
#include "core/ledger/ledger_index.h"
#include "core/ledger/record.h"
#include "core/ledgerview/record_side.h"
#include "core/platform/file_io.h"
#include "core/session/file_commands.h"
#include "core/util/codepage.h"
#include "core/util/errors.h"

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

CsvTextIds TextIdsOf(const LineFacts& facts, const CsvScope& scope) {
    const std::uint32_t description = scope.allBooks ? facts.description : kNoId;
    return {facts.own,   facts.own,   facts.other, facts.other, kNoId,
            facts.title, description, kNoId,       kNoId,       kNoId};
}

// Gives the values of each record taken among the lines from first up to last, with
// their text ids, to take, which returns false to stop; false when it did. Reads the
// ledger and its index only: an index built before can be read by several at once.
template <typename Take>
bool ForEachCsvRecord(const Ledger& ledger, const CsvScope& scope, const CsvOptions& options,
                      const CodeTable& codes, std::int32_t first, std::int32_t last, Take take) {
    RecordSplit record;
    MadeTexts made;
    const auto lines = ledger.transactions.Items();
    auto line = lines.At(first);
    // The line a few records ahead is asked for early: the lines lie apart in memory, and
    // the walk would otherwise wait for each one in turn.
    auto ahead = line;
    for (std::int32_t i = first; i < first + 8 && i < last; ++i) ++ahead;
    const auto end = lines.At(last);
    auto takeLine = [&](const CsvTextIds& ids) {
        if (ahead != end) {
            __builtin_prefetch(ahead->data());
            __builtin_prefetch(ahead->data() + 64);
            ++ahead;
        }
        record.Split(*line);
        ++line;
        return !Taken(record, scope) || take(ValuesOf(record, scope, options, codes, made), ids);
    };
    bool whole = true;
    const LedgerIndex& index = ledger.Index();
    if (index.Count() == static_cast<std::int32_t>(lines.size())) {
        index.Walk(first, [&](std::int32_t i, const LineFacts& facts) {
            return i < last && (whole = takeLine(TextIdsOf(facts, scope)));
        });
        return whole;
    }
    CsvTextIds none;
    none.fill(kNoId);
    while (whole && line != end) whole = takeLine(none);
    return whole;
}

}  // namespace

CsvScope CsvScopeOf(const Session& session) {
    return {session.currentBook, session.allBooks, session.accountFilter};
}

std::vector<std::string> CsvRecordLines(const Ledger& ledger, const CsvScope& scope,
                                        const CsvOptions& options, const CodeTable& codes) {
    std::vector<std::string> lines;
    const std::int32_t count = ledger.transactions.Count();
    lines.reserve(static_cast<std::size_t>(count) + 1);
    if (options.titleRow) lines.push_back(CsvTitleRow(options));
    ForEachCsvRecord(ledger, scope, options, codes, 0, count,
                     [&lines, &options](const CsvValues& values, const CsvTextIds&) {
                         lines.push_back(CsvLine(values, options));
                         return true;
                     });
    return lines;
}

namespace {

// About the size of the CSV lines of the records from first up to last: a CSV line is
// about as long as the record it comes from.
std::size_t EstimatedSize(const Ledger& ledger, std::int32_t first, std::int32_t last) {
    std::size_t estimate = 0;
    auto line = ledger.transactions.Items().At(first);
    for (std::int32_t i = first; i < last; ++i, ++line) estimate += line->size() + 2;
    return estimate;
}

// The CP932 bytes of the records among the lines from first up to last, after the title
// row when titleRow, made by writer; handed to take a part at a time when it is given.
// nullopt when CP932 cannot hold one of them.
std::optional<std::string> CsvPartBytes(const Ledger& ledger, const CsvScope& scope,
                                        const CsvOptions& options, const CodeTable& codes,
                                        std::int32_t first, std::int32_t last, bool titleRow,
                                        CsvBytesWriter& writer,
                                        const CsvBytesWriter::TakePart* take) {
    writer.Begin(EstimatedSize(ledger, first, last), take);
    if (titleRow && !writer.Text(CsvTitleRow(options))) return std::nullopt;
    if (!ForEachCsvRecord(ledger, scope, options, codes, first, last,
                          [&writer, &options](const CsvValues& values, const CsvTextIds& ids) {
                              return writer.Line(values, ids, options);
                          }))
        return std::nullopt;
    return writer.End();
}

// A large file is made a piece of this many records at a time by two threads: this one
// makes the even pieces and hands each over as it is made, another the odd ones, which
// are handed over in their turn. So the disk takes the file while the rest is made.
constexpr std::int32_t kRecordsPerPiece = 8192;

// The CP932 bytes of the file, given to take in order a part at a time; false when CP932
// cannot hold a record (some parts may have been given by then).
bool CsvFileParts(const Ledger& ledger, const CsvScope& scope, const CsvOptions& options,
                  const CodeTable& codes, const CsvBytesWriter::TakePart& take) {
    const std::int32_t count = ledger.transactions.Count();
    const std::int32_t pieces = (count + kRecordsPerPiece - 1) / kRecordsPerPiece;
    // Each thread has a writer of its own, whose forms serve all its pieces.
    CsvBytesWriter even;
    CsvBytesWriter oddWriter;
    auto piece = [&](std::int32_t p, CsvBytesWriter& writer, const CsvBytesWriter::TakePart* to) {
        return CsvPartBytes(ledger, scope, options, codes, p * kRecordsPerPiece,
                            std::min(count, (p + 1) * kRecordsPerPiece), p == 0 && options.titleRow,
                            writer, to);
    };
    if (pieces < 2) return piece(0, even, &take).has_value();

    // The index is built first, so that both threads only read it.
    (void)ledger.Index().Count();
    std::vector<std::promise<std::optional<std::string>>> odd(static_cast<std::size_t>(pieces / 2));
    std::vector<std::future<std::optional<std::string>>> oddMade;
    for (auto& promise : odd) oddMade.push_back(promise.get_future());
    std::atomic<bool> stop = false;
    std::future<void> maker;
    try {
        maker = std::async(std::launch::async, [&odd, &stop, &piece, &oddWriter] {
            for (std::size_t k = 0; k < odd.size() && !stop; ++k) {
                try {
                    odd[k].set_value(
                        piece(static_cast<std::int32_t>(2 * k + 1), oddWriter, nullptr));
                } catch (...) {
                    odd[k].set_exception(std::current_exception());
                }
            }
        });
    } catch (const std::system_error&) {
        // No thread to be had: this one makes every piece.
        for (std::int32_t p = 0; p < pieces; ++p)
            if (!piece(p, even, &take)) return false;
        return true;
    }
    // However this ends, the other thread stops after its piece, before anything it reads
    // goes away.
    struct StopMaker {
        std::atomic<bool>& stop;
        std::future<void>& maker;
        ~StopMaker() {
            stop = true;
            if (maker.valid()) maker.wait();
        }
    } stopMaker{stop, maker};
    for (std::int32_t p = 0; p < pieces; ++p) {
        if (p % 2 == 0) {
            if (!piece(p, even, &take)) return false;
            continue;
        }
        const std::optional<std::string> made = oddMade[static_cast<std::size_t>(p / 2)].get();
        if (!made) return false;
        take(*made);
    }
    return true;
}

// Throws the EncodingError that names the first character CP932 cannot hold.
[[noreturn]] void RefuseCp932(const Ledger& ledger, const CsvScope& scope,
                              const CsvOptions& options, const CodeTable& codes) {
    (void)EncodeTextLines(CsvRecordLines(ledger, scope, options, codes));
    throw EncodingError("CP932(Shift_JIS)で保存できない文字があります");
}

}  // namespace

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
    std::string bytes;
    bytes.reserve(EstimatedSize(ledger, 0, ledger.transactions.Count()));
    if (!CsvFileParts(ledger, scope, options, codes,
                      [&bytes](std::string_view part) { bytes += part; }))
        RefuseCp932(ledger, scope, options, codes);
    return bytes;
}

bool ExportCsv(Session& session, const CsvOptions& options, const CodeTable& codes) {
    std::optional<std::string> path = session.dialogs().AskSaveFile(CsvSaveRequest());
    if (!path || path->empty()) return false;
    if (RefuseProtectedOutput(session, *path)) return false;
    try {
        SettleBalances(session.ledger, session.currentBook);
        const CsvScope scope = CsvScopeOf(session);
        // Written as it is made; the file at path stays as it was until all of it is.
        const std::unique_ptr<OutputStream> file =
            session.writer().StreamOutput(*path, OutputModeLimit(session.currentFile));
        if (options.encoding == CsvEncoding::Utf8Bom)
            file->Append(CsvFileBytes(session.ledger, scope, options, codes));
        else if (!CsvFileParts(session.ledger, scope, options, codes,
                               [&file](std::string_view part) { file->Append(part); }))
            RefuseCp932(session.ledger, scope, options, codes);
        file->Commit();
    } catch (const std::exception& error) {
        session.dialogs().ShowInfo("確認", error.what());
        return false;
    }
    session.dialogs().ShowInfo(kCsvDoneHeading, kCsvDoneText);
    return true;
}

}  // namespace velmora
