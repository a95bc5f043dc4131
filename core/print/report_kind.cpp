#include "core/print/report_kind.h"

#include <algorithm>

#include "core/ledger/book.h"

namespace velmora {
namespace {

const std::vector<std::string_view> kCashPapers{"A4用紙", "コクヨ出納帳", "コクヨ経費帳"};
const std::vector<std::string_view> kBankPapers{"A4用紙", "コクヨ勘定帳", "コクヨ経費帳"};
const std::vector<std::string_view> kSummaryPapers{"A4", "B4"};
const std::vector<std::string_view> kA4Only{"A4"};

constexpr std::string_view kKokuyoCash = "コクヨ金銭出納帳_リ-101";
constexpr std::string_view kKokuyoExpense = "コクヨ経費明細帳_リ-113";
constexpr std::string_view kKokuyoBank = "コクヨ銀行勘定帳_リ-108";

std::vector<ReportKindInfo> MakeTable() {
    return {
        {kCashLedgerReport,
         "config/note1.conf",
         kCashPapers,
         {"A4現金出納帳", kKokuyoCash, kKokuyoExpense},
         ".sle",
         ""},
        {kCashSearchReport,
         "config/note2.conf",
         kCashPapers,
         {"A4現金出納帳", kKokuyoCash, kKokuyoExpense},
         ".sle",
         ""},
        {kMonthlyTitlesReport,
         "config/table1.conf",
         kSummaryPapers,
         {"A4月別一覧表_科目", "B4月別一覧表_科目"},
         ".slf",
         ""},
        {kMonthlyDescriptionsReport,
         "config/table1.conf",
         kSummaryPapers,
         {"A4月別一覧表_摘要", "B4月別一覧表_摘要"},
         ".slf",
         ""},
        {kPettyLedgerReport,
         "config/note3.conf",
         kCashPapers,
         {"A4経費明細帳", kKokuyoCash, kKokuyoExpense},
         ".sle",
         ""},
        {kPettySearchReport,
         "config/note4.conf",
         kCashPapers,
         {"A4経費明細帳", kKokuyoCash, kKokuyoExpense},
         ".sle",
         ""},
        {kBankLedgerReport,
         "config/note5.conf",
         kBankPapers,
         {"A4銀行勘定帳", kKokuyoBank, kKokuyoExpense},
         ".sle",
         ""},
        {kBankSearchReport,
         "config/note6.conf",
         kBankPapers,
         {"A4銀行勘定帳", kKokuyoBank, kKokuyoExpense},
         ".sle",
         ""},
        {kIncomeExpenseReport,
         "config/total1.conf",
         kA4Only,
         {"入出金集計表"},
         ".sle",
         "入出金集計表"},
        {kBookBalancesReport,
         "config/total2.conf",
         kA4Only,
         {"月別帳簿別残高一覧表"},
         ".sle",
         "月別帳簿別残高一覧表"},
        {kGraphReport,
         "config/total3.conf",
         kA4Only,
         {"入出金集計グラフ"},
         ".sle",
         "入出金集計グラフ"},
    };
}

bool OneOf(int kind, std::initializer_list<int> kinds) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

}  // namespace

const std::vector<ReportKindInfo>& AllReportKinds() {
    static const std::vector<ReportKindInfo> table = MakeTable();
    return table;
}

const ReportKindInfo* FindReportKind(int kind) {
    for (const auto& info : AllReportKinds())
        if (info.kind == kind) return &info;
    return nullptr;
}

bool IsLedgerReport(int kind) {
    return OneOf(kind, {kCashLedgerReport, kCashSearchReport, kPettyLedgerReport,
                        kPettySearchReport, kBankLedgerReport, kBankSearchReport});
}

bool IsSearchReport(int kind) {
    return OneOf(kind, {kCashSearchReport, kPettySearchReport, kBankSearchReport});
}

bool IsSummaryReport(int kind) {
    return OneOf(kind, {kMonthlyTitlesReport, kMonthlyDescriptionsReport});
}

bool IsFixedReport(int kind) {
    return OneOf(kind, {kIncomeExpenseReport, kBookBalancesReport, kGraphReport});
}

bool IsMonthWalkReport(int kind) {
    return OneOf(kind, {kCashLedgerReport, kCashSearchReport, kPettyLedgerReport,
                        kPettySearchReport, kBankLedgerReport});
}

bool IsKokuyoPaper(int kind, int paperIndex) {
    return IsLedgerReport(kind) && (paperIndex == 1 || paperIndex == 2);
}

int LedgerReportFor(std::string_view bookKind, bool titleSearch) {
    int kind = kCashLedgerReport;
    if (bookKind == kPettyKind) kind = kPettyLedgerReport;
    if (bookKind == kBankKind) kind = kBankLedgerReport;
    return titleSearch ? kind + 1 : kind;
}

}  // namespace velmora
