#include "view_fixture.h"

#include "core/ledger/ledger_file.h"
#include "core/session/book_commands.h"
#include "support/ledger_text.h"

namespace velmora::testing {

const std::string kViewLedger =
    std::string(
        "d04=,2014/04/01,0,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/01,1,売上,店頭,5000,0,,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/03,2,預金,預け入れ,0,1000,,現金,現金出納帳,預金,B,\n"
        "d04=,2014/04/05,3,交通費,タクシー代,0,1500,,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/07,4,小口現金,小口へ補充,0,3000,,現金,現金出納帳,小口,本店,\n"
        "d04=,2014/04/08,5,消耗品,文具,0,400,,小口,本店,小口,本店,\n"
        "d04=,2014/04/09,6,消耗品,d05=の印,0,500,,小口,支店,小口,支店,\n"
        "d05=,2014/05/02,7,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,\n"
        "d01=,2015/01/10,8,売上,年始,2000,0,,現金,現金出納帳,現金,現金出納帳,\n"
        "z,小口,本店,5000,\n"
        "z,小口,支店,100,\n"
        "z,預金,B,20000,\n") +
    FiscalYearTrailer(2014, "g,10000,4,1,2014,");

namespace {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    SplitTextLines(text, lines);
    return lines;
}

}  // namespace

ViewFixture::ViewFixture(std::string_view ledgerText, Date today)
    : clock(today),
      session(SessionServices{dialogs, clock, writer, home.Path(), home.Path()}),
      view(today) {
    session.ledger = ParseLedgerLines(SplitLines(ledgerText), Ledger{}, today).ledger;
    SelectCashBook(session);
    session.SetListener(&redraws);
}

Periods FiscalPeriods(int startYear, int startMonth, int closingDay) {
    Periods p;
    for (int i = 0; i < 12; ++i) {
        const int k = FiscalMonthAt(startMonth, i);
        const int year = k < startMonth ? startYear + 1 : startYear;
        if (closingDay == 0) {
            p.start[static_cast<std::size_t>(k)] = Date::FromYmd(year, k, 1);
            p.end[static_cast<std::size_t>(k)] = Date::FromYmd(year, k, DaysInMonth(year, k));
        } else {
            const Date end = Date::FromYmd(year, k, closingDay);
            p.start[static_cast<std::size_t>(k)] = end.AddMonths(-1).AddDays(1);
            p.end[static_cast<std::size_t>(k)] = end;
        }
    }
    return p;
}

std::string RowLine(const LedgerRow& row) {
    std::string line = row.Marker();
    for (int c = 0; c < LedgerRow::kCellCount; ++c)
        line += "|" + row.CellText(static_cast<LedgerRow::Cell>(c));
    return line;
}

std::vector<std::string> ViewFixture::Grid() {
    std::vector<std::string> lines;
    for (const auto& row : Show().rows) lines.push_back(RowLine(row));
    return lines;
}

}  // namespace velmora::testing
