#include "tools/make_styles/style_catalogue.h"

#include <fstream>

#include "core/platform/file_io.h"
#include "core/util/errors.h"
#include "core/util/paths.h"
#include "tools/make_styles/fixed_report_styles.h"
#include "tools/make_styles/kokuyo_styles.h"
#include "tools/make_styles/ledger_styles.h"
#include "tools/make_styles/summary_styles.h"

namespace velmora {
namespace {

constexpr std::string_view kLedgerExtension = ".sle";
constexpr std::string_view kListExtension = ".slf";

// Cash, petty-cash and bank books print on the same plain-paper layout; the page's title
// names the book.
constexpr std::string_view kLedgerBaseNames[] = {"A4現金出納帳", "A4経費明細帳", "A4銀行勘定帳"};

std::string LookNameParts(const StyleLook& look) {
    return std::string(TypefaceNamePart(look.typeface)) +
           std::string(HeadingNamePart(look.heading));
}

template <typename Add>
void ForEachLook(Add add) {
    for (const Typeface typeface : kTypefaces) {
        for (const HeadingColour heading : kHeadingColours) add(StyleLook{typeface, heading});
    }
}

void AddLedgerStyles(std::vector<StyleFile>& files) {
    for (const std::string_view base : kLedgerBaseNames) {
        for (const LedgerColumns columns : kLedgerColumns) {
            ForEachLook([&](const StyleLook& look) {
                files.push_back({std::string(base) + std::string(LedgerColumnsNamePart(columns)) +
                                     LookNameParts(look) + std::string(kLedgerExtension),
                                 LedgerPageStyle(columns, look)});
            });
        }
    }
}

void AddKokuyoStyles(std::vector<StyleFile>& files) {
    for (const KokuyoForm form : kKokuyoForms) {
        files.push_back({std::string(KokuyoStyleName(form)) + std::string(kLedgerExtension),
                         KokuyoFormStyle(form)});
    }
}

void AddSummaryStyles(std::vector<StyleFile>& files) {
    for (const SummaryPaper paper : kSummaryPapers) {
        for (const SummaryLabel label : kSummaryLabels) {
            ForEachLook([&](const StyleLook& look) {
                files.push_back({SummaryBaseName(paper, label) + LookNameParts(look) +
                                     std::string(kListExtension),
                                 MonthlySummaryStyle(paper, label, look)});
            });
        }
    }
}

void AddSingleReportStyles(std::vector<StyleFile>& files) {
    const std::string extension(kLedgerExtension);
    files.push_back({"入出金集計表" + extension, IncomeExpenseTableStyle()});
    files.push_back({"月別帳簿別残高一覧表" + extension, BookBalanceListStyle()});
    files.push_back({"入出金集計グラフ" + extension, IncomeExpenseGraphStyle()});
}

}  // namespace

std::vector<StyleFile> AllStyleFiles() {
    std::vector<StyleFile> files;
    AddLedgerStyles(files);
    AddKokuyoStyles(files);
    AddSummaryStyles(files);
    AddSingleReportStyles(files);
    return files;
}

// Plain writes: the files are regenerated at will, so the synced atomic replacement that
// protects the user's ledger would only make a full run slow.
void WriteStyleFiles(const std::vector<StyleFile>& files, const std::string& folder) {
    for (const StyleFile& file : files) {
        const std::string path = JoinPath(folder, file.name);
        const std::string bytes = EncodeTextLines(file.lines);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) throw FileError("ファイルに書き込めません: " + path);
    }
}

}  // namespace velmora
