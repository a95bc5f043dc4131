#include "core/print/session_print_sources.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/ledgerview/month_selection.h"
#include "core/print/print_job.h"
#include "core/print/recording_print_device.h"
#include "core/session/book_commands.h"
#include "core/session/file_commands.h"
#include "support/ledger_text.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

const std::string kLedger =
    std::string(
        "d04=,2014/04/01,0,交通費,バス代,0,220,9780,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/03,1,小口現金,小口へ補充,0,3000,6780,現金,現金出納帳,小口,本店,\n"
        "d05=,2014/05/03,2,売上,A社,50000,0,56780,現金,現金出納帳,現金,現金出納帳,\n"
        "z,小口,本店,5000,\n") +
    FiscalYearTrailer(2014, "g,10000,4,1,2014,");

struct SessionBench {
    SessionBench() {
        for (const char* sub : {"style", "config", "ini", "cldata"})
            std::filesystem::create_directories(home.File(sub));
        WriteCp932(files.File("a.exv"), kLedger);
        EXPECT_TRUE(LoadLedger(session, files.File("a.exv")));
        session.settings.companyName = "テスト商店";
        SelectCashBook(session);
        SelectMonth(session, view, 4);
    }

    TempFolder home, files;
    ScriptedDialogs dialogs;
    FixedClock clock{Date::FromYmd(2014, 6, 1)};
    DiskFileWriter writer;
    Session session{SessionServices{dialogs, clock, writer, home.Path(), home.Path()}};
    ViewState view{Date::FromYmd(2014, 6, 1)};
    MonthlySummary summary;
    SessionPrintSources sources{session, view, summary};
};

TEST(SessionPrintSourcesTest, LedgerViewAndItsMonths) {
    SessionBench b;
    const LedgerListing april = b.sources.CurrentLedger();
    ASSERT_EQ(april.rows.size(), 5u);
    EXPECT_EQ(april.rows[1].Description(), "バス代");
    EXPECT_EQ(april.month, 4);
    EXPECT_EQ(april.ledgerTab, 1);
    EXPECT_EQ(april.calendarMonth, Date::FromYmd(2014, 4, 1));

    const LedgerListing may = b.sources.ShowLedgerMonth(5);
    EXPECT_EQ(may.month, 5);
    EXPECT_EQ(may.rows[1].Income(), "50,000");
    EXPECT_EQ(b.session.currentMonth, 5);

    const LedgerPageInputs page = b.sources.LedgerPage();
    EXPECT_EQ(page.bookKind, "現金");
    EXPECT_EQ(page.bookName, "現金出納帳");
    EXPECT_EQ(page.companyName, "テスト商店");
    EXPECT_EQ(page.yearPanel, "2014");
    EXPECT_EQ(page.monthPanel, "5");
    EXPECT_EQ(page.startYear, 2014);
    EXPECT_EQ(page.today, Date::FromYmd(2014, 6, 1));
    EXPECT_EQ(b.sources.OutputFolder(), b.files.Path());  // where a PDF is proposed

    b.sources.ShowPrintDataPanels("2014", "05");
    EXPECT_EQ(b.session.monthPanel, "05");
    EXPECT_EQ(b.sources.SearchRange(), "2014");

    EXPECT_EQ(FiscalRangeText(b.session.ledger), "2014/04/01～2015/03/31");
    EXPECT_EQ(BookBalanceRangeText(b.session.ledger, 5), "2014年05月01日～2014年05月31日");
    EXPECT_EQ(BookBalanceRangeText(b.session.ledger, 13), "2014年04月01日～2015年03月31日");
}

TEST(SessionPrintSourcesTest, SummaryGraphAndBookBalances) {
    SessionBench b;
    b.summary.OpenPage(b.session.ledger);
    const PageHeadings headings = b.sources.Headings();
    EXPECT_EQ(headings.caption, "月別科目一覧表");
    EXPECT_EQ(headings.fiscalRange, "2014/04/01～2015/03/31");
    EXPECT_EQ(headings.companyName, "テスト商店");

    const GraphLabels graph = b.sources.Graph();
    EXPECT_EQ(graph.month[1], "4月度");
    EXPECT_EQ(graph.monthHint[2], "2014/5/01");
    EXPECT_EQ(graph.income[2], "50,000");
    EXPECT_EQ(graph.expense[1], "220");  // all books: the transfer between books is left out
    EXPECT_EQ(graph.cumulativeDifference[12], "49,780");
    EXPECT_EQ(graph.bookName, "全帳簿");
    EXPECT_EQ(graph.maximum, Amount::FromYen(50000));
    EXPECT_EQ(graph.range, b.summary.range());

    const std::vector<std::string> data = b.sources.SummaryPrintData();
    ASSERT_FALSE(data.empty());
    EXPECT_EQ(data.front().substr(0, 18), "科　目;4月度;");

    const BookBalancePageData balances = b.sources.BookBalances();
    EXPECT_EQ(balances.rows,
              (std::vector<std::string>{"現金;現金出納帳;6,780;", "小口;本店;8,000;"}));
    EXPECT_EQ(balances.range, "2014年04月01日～2014年04月30日");
    EXPECT_EQ(balances.totalExpense, "3,220");
}

TEST(SessionPrintSourcesTest, APettyCashBookPrintsAsKindSeven) {
    SessionBench b;
    SelectBook(b.session, {"小口", "本店"});
    WriteCp932(b.home.File("style/A4経費明細帳_月分1_ゴシックG.sle"),
               "header;Ver1.1;0;0;9;0;0;100;0;0;0;0;0;\n"
               "0;0;0;0;data;10;10;10;10;0;0;0;0;F;10;標準;0;0;0;#maxline=5;0;0;0;\n"
               "0;0;0;0;data;10;10;10;10;0;0;0;0;F;10;標準;0;0;0;#tl;0;0;0;\n"
               "0;0;0;0;data;10;10;10;10;0;0;0;0;F;10;標準;0;0;0;#ic_02;0;0;0;\n");
    RecordingPrintDevice device;
    PrintJob job({device, b.dialogs, b.writer, b.home.Path(), b.home.Path()}, b.sources);
    job.PrepareLedger();
    EXPECT_EQ(job.state().kind, 7);
    EXPECT_EQ(job.state().page, 0);
    EXPECT_EQ(job.style().Line(2), "0;0;0;0;data;10;10;10;10;0;0;0;0;F;10;標準;0;0;0;" +
                                       std::string(26, ' ') + "本店;0;0;0;");
    EXPECT_EQ(job.style().Line(3),
              "0;0;0;0;data;10;10;10;10;0;0;0;0;F;10;標準;0;0;0;小口へ補充　《現金出納帳》;0;0;0;");
}

}  // namespace
}  // namespace velmora::testing
