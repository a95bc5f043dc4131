#include "print_fixture.h"

#include <filesystem>

#include "core/util/fields.h"

namespace velmora::testing {

std::vector<LedgerRow> MonthRows(int count, const std::string& tag) {
    std::vector<LedgerRow> rows;
    for (int n = 1; n <= count; ++n) {
        LedgerRow row(LedgerRowKind::Record, n == count ? kMarkEnd : kMarkPositive);
        row.SetCell(LedgerRow::kDate, "04月0" + std::to_string(n % 10) + "日(火)");
        row.SetCell(LedgerRow::kDescription, tag + std::to_string(n));
        row.SetCell(LedgerRow::kBalance, " " + std::to_string(n) + ",000 ");
        rows.push_back(std::move(row));
    }
    return rows;
}

FakeSources::FakeSources() {
    page.bookKind = "現金";
    page.bookName = "現金出納帳";
    page.yearPanel = "2014";
    page.monthPanel = "4";
    page.startYear = 2014;
    page.today = Date::FromYmd(2014, 5, 6);
    headings.today = page.today;
    for (int z = 1; z <= 12; ++z) {
        const auto n = static_cast<std::size_t>(z);
        graph.month[n] = std::to_string((z + 2) % 12 + 1) + "月度";
        graph.monthHint[n] = "2014/" + std::to_string((z + 2) % 12 + 1) + "/01";
        graph.income[n] = graph.cumulativeIncome[n] = graph.expense[n] = "0";
        graph.cumulativeExpense[n] = graph.difference[n] = graph.cumulativeDifference[n] = "0";
    }
}

LedgerListing FakeSources::CurrentLedger() {
    LedgerListing listing;
    listing.rows = rowsByMonth[currentMonth];
    listing.month = currentMonth;
    listing.calendarMonth = Date::FromYmd(currentMonth < startMonth ? 2015 : 2014,
                                          currentMonth == 13 ? startMonth : currentMonth, 1);
    listing.ledgerTab = currentMonth == 13 ? 0 : (currentMonth - startMonth + 12) % 12 + 1;
    return listing;
}

LedgerListing FakeSources::ShowLedgerMonth(int month) {
    shownMonths.push_back(month);
    currentMonth = month;
    page.monthPanel = std::to_string(month);
    return CurrentLedger();
}

std::string ThreeRowStyle() {
    const std::string text = "0;0;0;0;data;30;40;30;40;0;0;0;0;IPAexGothic;10;標準;0;0;0;";
    return "header;Ver1.1;1;2;9;0;0;100;3;4;5;0;0;\n" + text + "#maxline=3;0;0;0;\n" +
           "0;0;0;0;line;10;10;20;10;1;実線;0;0;\n" + text + "#ic_01;0;0;0;\n" + text +
           "#ic_02;0;0;0;\n" + text + "#ic_03;0;0;0;\n" + text + "- #pg -;0;0;0;\n";
}

PrintBench::PrintBench(int printers) : device(600, 4, printers) {
    std::filesystem::create_directories(home.File("style"));
    std::filesystem::create_directories(home.File("config"));
    job = std::make_unique<PrintJob>(
        PrintServices{device, dialogs, writer, home.Path(), program.Path()}, sources);
}

std::string PrintBench::WriteStyle(const std::string& name, const std::string& text) const {
    const std::string path = home.File("style/" + name);
    WriteCp932(path, text);
    return path;
}

std::vector<std::string> PrintBench::Texts() const {
    std::vector<std::string> texts;
    const StyleList& style = job->style();
    for (int i = 3; i < style.Count(); ++i) texts.push_back(FieldN(style.Line(i), ";", 20));
    return texts;
}

}  // namespace velmora::testing
