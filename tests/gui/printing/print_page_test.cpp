// The print page over a printer that records its sheets: from "出納帳印刷" through the
// preview's page buttons to "印刷実行" of the odd pages of two months, and the offsets.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <map>

#include "core/platform/clock.h"
#include "core/platform/file_io.h"
#include "core/print/recording_print_device.h"
#include "gui/app/qt_shell.h"
#include "gui/ledger/left_pane.h"
#include "gui/mainwindow/main_window.h"
#include "gui/printing/preview_page.h"
#include "gui/printing/print_page.h"
#include "gui/widgets/numeric_edit.h"
#include "support/cli_runner.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

using namespace velmora;
using namespace velmora::gui;
using Lines = std::vector<std::string>;

namespace {

// The example ledger with 70 more records in April and 40 in May: three cash-book pages in
// April and two in May.
std::string LongLedger(const std::string& folder) {
    Lines lines = ReadTextLines(velmora::testing::FixturePath("ledger/example2014.exv"));
    const auto registry = std::find_if(lines.begin(), lines.end(),
                                       [](const std::string& l) { return l.rfind("z,", 0) == 0; });
    Lines records(lines.begin(), registry);
    for (auto [month, count] : {std::pair{4, 70}, std::pair{5, 40}})
        for (int n = 0; n < count; ++n)
            records.push_back("d0" + std::to_string(month) + "=,2014/0" + std::to_string(month) +
                              "/" + (n % 28 < 9 ? "0" : "") + std::to_string(n % 28 + 1) + "," +
                              std::to_string(n) + ",交通費,バス代" + std::to_string(n) +
                              ",0,100,0,現金,現金出納帳,現金,現金出納帳,");
    std::stable_sort(records.begin(), records.end(),
                     [](const std::string& a, const std::string& b) {
                         return a.substr(4, 10) < b.substr(4, 10);
                     });
    records.insert(records.end(), registry, lines.end());
    const std::string path = folder + "/long.exv";
    WriteTextLines(path, records, DefaultFileWriter());
    return path;
}

Lines Texts(const Lines& page) {
    Lines out;
    for (const std::string& line : page)
        if (line.rfind("text ", 0) == 0) out.push_back(line);
    return out;
}

QAbstractButton* Button(QWidget* in, const QString& text) {
    for (QAbstractButton* b : in->findChildren<QAbstractButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

}  // namespace

class PrintPageTest : public QObject {
    Q_OBJECT
private slots:
    void oddPagesOfTwoMonthsReachThePrinter();
};

void PrintPageTest::oddPagesOfTwoMonthsReachThePrinter() {
    velmora::testing::TempFolder folder;
    velmora::testing::ScriptedDialogs dialogs;
    const std::string data = qEnvironmentVariable("VELMORA_DATA_DIR").toStdString();
    const std::string file = LongLedger(folder.Path());
    FixedClock clock(Date::Parse("2014/04/10"));
    RecordingPrintDevice printer(600);
    QtShell shell;
    Application app(AppServices{dialogs, clock, DefaultFileWriter(), printer, shell,
                                folder.Path() + "/work", data});
    MainWindow w(app);
    app.Create();
    w.show();
    app.Show(file);

    w.action("printnote")->trigger();
    QApplication::processEvents();
    auto* pages = w.findChild<QStackedWidget*>("mainPages");
    QCOMPARE(pages->currentWidget(), static_cast<QWidget*>(w.previewPage()));
    auto* left = static_cast<LeftPane*>(w.leftPane());
    QVERIFY(left->isVisible());
    QCOMPARE(left->tabText(left->currentIndex()), QString("印刷"));
    PrintPage* print = left->printPage();
    QCOMPARE(print->months()->item(0)->text(), QString("4"));
    QCOMPARE(print->months()->item(0)->checkState(), Qt::Checked);
    QCOMPARE(print->paper()->currentText(), QString("A4用紙"));

    // The preview steps to page 2.
    auto* pageLabel = [&] {
        for (QLabel* l : w.previewPage()->findChildren<QLabel*>())
            if (l->text().startsWith("Page")) return l;
        return static_cast<QLabel*>(nullptr);
    }();
    QVERIFY(pageLabel != nullptr);
    QCOMPARE(pageLabel->text(), QString("Page 1"));
    Button(w.previewPage(), "→")->click();
    QCOMPARE(app.printJob().state().page, 2);
    QCOMPARE(pageLabel->text(), QString("Page 2"));

    // Offsets typed on plain paper: the even-page boxes are not offered.
    QVERIFY(!print->offsetBox(2)->isVisible());
    print->offsetBox(0)->setFocus();
    print->offsetBox(0)->selectAll();
    QTest::keyClicks(print->offsetBox(0), "1.5");
    QTest::keyClick(print->offsetBox(0), Qt::Key_Up);
    QCOMPARE(print->offsetBox(0)->text(), QString("1.6000"));
    QCOMPARE(app.printJob().panel().offsets.oddX, Amount::Parse("1.6"));

    // Odd pages of April and May.
    print->pageFilter()->button(1)->click();
    QCOMPARE(app.printJob().panel().filter, PageFilter::kOdd);
    print->months()->item(1)->setCheckState(Qt::Checked);
    printer.ClearCalls();
    const std::size_t before = printer.Pages().size();
    Button(print, "印刷実行")->click();
    QApplication::processEvents();

    // The same sheets velmora-cli lists for that run, each with the texts of its page.
    const std::string cliHome = folder.Path() + "/cli";
    const auto listed =
        velmora::testing::RunCli({"--today", "2014/04/10", "pages", file, "--report", "2", "--run",
                                  "odd", "--months", "4,5"},
                                 cliHome);
    QCOMPARE(listed.status, 0);
    const Lines sheets = velmora::testing::Lines(listed.out);
    QCOMPARE(sheets, (Lines{"1\t4\t1\t0", "3\t4\t3\t0", "5\t5\t2\t0"}));
    const Lines& calls = printer.Calls();
    QCOMPARE(std::count(calls.begin(), calls.end(), "begin"), 1);
    QCOMPARE(std::count(calls.begin(), calls.end(), "end"), 1);
    QCOMPARE(printer.Pages().size(), before + sheets.size());
    std::map<std::string, Lines> traces;
    for (const std::string month : {"4", "5"}) {
        const auto traced = velmora::testing::RunCli(
            {"--today", "2014/04/10", "pages", file, "--report", "2", "--month", month, "--trace"},
            cliHome);
        std::string page;
        for (const std::string& line : velmora::testing::Lines(traced.out)) {
            if (line.rfind("=== page ", 0) == 0)
                page = month + "/" + line.substr(9);
            else if (line.rfind("text ", 0) == 0)
                traces[page].push_back(line);
        }
    }
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string& s = sheets[i];
        const std::size_t t1 = s.find('\t'), t2 = s.find('\t', t1 + 1), t3 = s.find('\t', t2 + 1);
        const std::string key = s.substr(t1 + 1, t2 - t1 - 1) + "/" + s.substr(t2 + 1, t3 - t2 - 1);
        QVERIFY2(!traces[key].empty(), key.c_str());
        QCOMPARE(Texts(printer.Pages()[before + i]), traces[key]);
    }
    // Afterwards the preview shows page 1 of the month to print again.
    QCOMPARE(app.printJob().state().page, 1);
    QCOMPARE(pageLabel->text(), QString("Page 1"));
}

QTEST_MAIN(PrintPageTest)
#include "print_page_test.moc"
