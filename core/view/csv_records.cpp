#include "core/view/csv_records.h"

#include "core/ledger/record.h"
#include "core/view/record_side.h"

namespace velmora {
namespace {

bool Taken(const RecordSplit& record, const CsvScope& scope) {
    if (!scope.allBooks && !record.BelongsTo(scope.book.kind, scope.book.name)) return false;
    return scope.accountFilter.empty() || record[kFieldTitle] == scope.accountFilter;
}

CsvValues ValuesOf(const RecordSplit& record, const CsvScope& scope, const CsvOptions& options,
                   const CodeTable& codes) {
    const std::string_view title = record[kFieldTitle];
    CsvValues values = {
        std::string(record[kFieldOwnKind]),
        std::string(record[kFieldOwnName]),
        std::string(record[kFieldOtherKind]),
        std::string(record[kFieldOtherName]),
        std::string(record[kFieldDate]),
        options.codeConversion ? codes.CodeOf(title) : std::string(title),
        std::string(record[kFieldDescription]),
        std::string(record[kFieldIncome]),
        std::string(record[kFieldExpense]),
        std::string(record[kFieldBalance]),
    };
    if (!scope.allBooks) {
        values[6] = DecoratedDescription(record, scope.book.kind, scope.book.name);
        SeenAmounts amounts = AmountsSeenBy(record, scope.book.kind, scope.book.name);
        values[7] = std::string(amounts.income);
        values[8] = std::string(amounts.expense);
    }
    return values;
}

}  // namespace

CsvScope CsvScopeOf(const Session& session) {
    return {session.currentBook, session.allBooks, session.accountFilter};
}

std::vector<std::string> CsvRecordLines(const Ledger& ledger, const CsvScope& scope,
                                        const CsvOptions& options, const CodeTable& codes) {
    std::vector<std::string> lines;
    if (options.titleRow) lines.push_back(CsvTitleRow(options));
    RecordSplit record;
    for (const auto& line : ledger.transactions.Items()) {
        record.Split(line);
        if (!Taken(record, scope)) continue;
        lines.push_back(CsvLine(ValuesOf(record, scope, options, codes), options));
    }
    return lines;
}

bool ExportCsv(Session& session, const CsvOptions& options, const CodeTable& codes) {
    std::optional<std::string> path = session.dialogs().AskSaveFile(CsvSaveRequest());
    if (!path || path->empty()) return false;
    try {
        WriteTextLines(*path, CsvRecordLines(session.ledger, CsvScopeOf(session), options, codes),
                       session.writer());
    } catch (const std::exception& error) {
        session.dialogs().ShowInfo("確認", error.what());
        return false;
    }
    session.dialogs().ShowInfo(kCsvDoneHeading, kCsvDoneText);
    return true;
}

}  // namespace velmora
