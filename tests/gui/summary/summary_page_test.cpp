// The pages "月別一覧表" and "入出金グラフ" of the main window on the example ledger: what the
// grid shows for all books, one book and a drill-down, the double-clicks that must do
// nothing, Back, the table copy, the graph's widgets against the core's figures, and the
// summary column widths kept in "ini/display2.dat".
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <filesystem>

#include "core/platform/file_io.h"
#include "core/reports/graph_figures.h"
#include "core/settings/layout_files.h"
#include "gui/app/desktop_program.h"
#include "gui/mainwindow/main_window.h"
#include "gui/summary/graph_page.h"
#include "gui/summary/summary_page.h"
#include "qtprint/qt_text.h"
#include "support/scripted_dialogs.h"
#include "support/settings_windows.h"
#include "support/temp_folder.h"

using namespace velmora;
using namespace velmora::gui;
using velmora::testing::ChangeSettings;
using velmora::testing::ScriptedDialogs;
using velmora::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

// The desktop program on a working folder of its own, with the example ledger (two cash
// book records: an expense "交通費" and a transfer of 3,000 to the petty-cash book "本店")
// or, without it, the empty ledger of a first start.
struct Desk {
    explicit Desk(bool example = true, std::string workFolder = {})
        : work(workFolder.empty() ? folder.Path() + "/work" : std::move(workFolder)) {
        ProgramOptions options;
        options.today = Date::Parse("2014/06/10");
        if (example) {
            options.file = folder.Path() + "/example.exv";
            fs::copy_file(velmora::testing::FixturePath("ledger/example2014.exv"), *options.file);
        }
        program = std::make_unique<DesktopProgram>(
            DesktopFolders{work, qEnvironmentVariable("VELMORA_DATA_DIR").toStdString()}, options,
            dialogs);
        // Every test also checks the grid's model against Qt's rules for models.
        modelTester = std::make_unique<QAbstractItemModelTester>(
            grid().model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    TempFolder folder;
    std::string work;
    ScriptedDialogs dialogs;
    std::unique_ptr<DesktopProgram> program;
    std::unique_ptr<QAbstractItemModelTester> modelTester;

    MainWindow& w() { return program->window(); }
    Application& app() { return program->app(); }
    SummaryPage& page() { return *w().summaryPage(); }
    QTableView& grid() { return *page().grid(); }

    bool StartOnSummaryPage() {
        if (!program->Start()) return false;
        // Keys reach the window's shortcuts only in the active window.
        QApplication::setActiveWindow(&w());
        if (!QTest::qWaitForWindowActive(&w())) return false;
        w().ribbon()->setCurrentIndex(static_cast<int>(RibbonPage::Summary));
        return w().mainPages()->currentWidget() == &page();
    }

    // The header and the rows as the grid shows them, without the empty rows at the end:
    // marker, label, the twelve months joined by ",", the year total.
    QStringList Table() {
        const QAbstractItemModel& m = *grid().model();
        auto line = [&](auto cell) {
            QStringList months;
            for (int c = 2; c <= 13; ++c) months << cell(c);
            return cell(0) + "|" + cell(1) + "|" + months.join(',') + "|" + cell(14);
        };
        QStringList rows{line([&](int c) { return m.headerData(c, Qt::Horizontal).toString(); })};
        for (int r = 0; r < m.rowCount(); ++r)
            rows << line([&](int c) { return m.index(r, c).data().toString(); });
        while (rows.size() > 1 && rows.back() == "||,,,,,,,,,,,|") rows.removeLast();
        return rows;
    }

    void DoubleClickRow(int gridRow) {
        const QModelIndex index = grid().model()->index(gridRow - 1, 1);
        grid().scrollTo(index);
        // A double-click as the user makes it: a click, then the second press.
        const QPoint at = grid().visualRect(index).center();
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid().viewport(), Qt::LeftButton, {}, at);
    }
};

const QString kHeader =
    "|科　目|4月度,5月度,6月度,7月度,8月度,9月度,10月度,11月度,12月度,1月度,2月度,3月度|科目年間計";

const QStringList kAllBooks{
    kHeader,
    "-|■支出の部|,,,,,,,,,,,|",
    "|交通費|220,0,0,0,0,0,0,0,0,0,0,0|220",
    "|　[合　計]|220,0,0,0,0,0,0,0,0,0,0,0|220",
    "||,,,,,,,,,,,|",
    "=|【収　支　計】|-220,0,0,0,0,0,0,0,0,0,0,0|-220",
};

// The cash book: the transfer to the petty-cash book is an expense under its kind.
const QStringList kCashBook{
    kHeader,
    "-|■支出の部|,,,,,,,,,,,|",
    "|交通費|220,0,0,0,0,0,0,0,0,0,0,0|220",
    "|小口|3,000,0,0,0,0,0,0,0,0,0,0,0|3,000",
    "|　[合　計]|3,220,0,0,0,0,0,0,0,0,0,0,0|3,220",
    "||,,,,,,,,,,,|",
    "=|【収　支　計】|-3,220,0,0,0,0,0,0,0,0,0,0,0|-3,220",
};

const QStringList kCashBookTransfers{
    kHeader,
    "-|■支出の部|,,,,,,,,,,,|",
    "|小口へ補充|3,000,0,0,0,0,0,0,0,0,0,0,0|3,000",
    "=|　[合　計]|3,000,0,0,0,0,0,0,0,0,0,0,0|3,000",
};

// The entry form as its window fills it: 500 yen income on 3 June, then "登　録".
class IncomeEntry final : public AppWindows {
public:
    explicit IncomeEntry(Application& app) : app_(app) {}
    void RunEntryForm() override {
        EntryController& entry = app_.entry();
        entry.ShowDate(Date::FromYmd(2014, 6, 3));
        entry.TypeTitle("雑収入");
        entry.TakeTyped("返金", Amount::FromYen(500), Amount());
        stored = entry.Register().stored;
    }
    bool stored = false;

private:
    Application& app_;
};

QString Tabbed(const QStringList& cells) {
    return cells.join('\t');
}

}  // namespace

class SummaryPageTest : public QObject {
    Q_OBJECT
private slots:
    void theGridShowsAllBooksOneBookAndADrillDownAndBackReturns();
    void doubleClicksOnHeadingsTotalsAndEmptyRowsChangeNothing();
    void copyTableTakesTheWholeTableOrTheSelectedCells();
    void theGraphWidgetsShowTheCoreFiguresWithTheirHints();
    void aYearWithoutEntries();
    void aLedgerChangeIsShownOnTheOpenPage();
    void summaryColumnWidthsAreKeptInDisplay2();
    void aTitleCellShowsItsWholeTextAsItsToolTip();
    void theTitleColumnStaysInPlaceAndWorksWhenScrolledRight();
    void enterDrillsDownEscOrBackspaceGoBackAndRightScrolls();
};

void SummaryPageTest::theGridShowsAllBooksOneBookAndADrillDownAndBackReturns() {
    Desk d;
    QVERIFY(d.StartOnSummaryPage());
    QCOMPARE(d.Table(), kAllBooks);
    QCOMPARE(d.grid().model()->rowCount(), d.app().summary().grid().RowCount() - 1);
    QCOMPARE(d.page().findChild<QLabel*>("caption")->text(), QString("月別科目一覧表"));
    QCOMPARE(d.page().findChild<QLabel*>("range")->text(),
             QString("2014年04月01日～2015年03月31日"));
    // Figures right-aligned; a negative figure black until the option asks for red.
    auto balance = [&d] { return d.grid().model()->index(4, 2); };
    QVERIFY(balance().data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    QCOMPARE(balance().data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
    ChangeSettings(d.app(), [](Settings& options) { options.negativeInRed = true; });
    d.dialogs.Clear();  // the settings dialog's message that it applied them
    QCOMPARE(balance().data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
    QCOMPARE(d.grid().model()->index(1, 2).data(Qt::ForegroundRole).value<QBrush>().color(),
             QColor(Qt::black));

    QComboBox* books = d.page().bookSelector();
    QCOMPARE(books->count(), 3);
    QCOMPARE(books->itemText(1), QString("現金出納帳"));
    QCOMPARE(books->itemText(2), QString("本店"));
    books->setCurrentIndex(1);
    emit books->activated(1);
    QCOMPARE(d.Table(), kCashBook);
    auto* status = d.page().findChild<QWidget*>("summaryStatusBar");
    QCOMPARE(status->findChild<QLabel*>("panel0")->text(), QString("現金出納帳"));

    d.DoubleClickRow(3);  // 小口
    QCOMPARE(d.app().summary().drillLevel(), 1);
    QCOMPARE(d.Table(), kCashBookTransfers);
    QCOMPARE(d.page().findChild<QLabel*>("caption")->text(), QString("小口明細表"));
    QCOMPARE(books->currentIndex(), 1);

    d.w().action("back")->trigger();
    QCOMPARE(d.app().summary().drillLevel(), 0);
    QCOMPARE(d.Table(), kCashBook);
    QCOMPARE(d.page().findChild<QLabel*>("caption")->text(), QString("月別科目一覧表"));
    QVERIFY(d.dialogs.events.empty());
    d.w().action("back")->trigger();
    QCOMPARE(d.dialogs.Infos(),
             std::vector<std::string>{"確認|現在は科目一覧表示中です、これ以上は戻れません"});

    // Ctrl+E from the ledger page opens the summary again at level 0 of the chosen book.
    d.w().ribbon()->setCurrentIndex(static_cast<int>(RibbonPage::Ledger));
    QTest::keyClick(&d.w(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(d.w().mainPages()->currentWidget(), &d.page());
    QCOMPARE(d.Table(), kAllBooks);
}

void SummaryPageTest::doubleClicksOnHeadingsTotalsAndEmptyRowsChangeNothing() {
    Desk d;
    QVERIFY(d.StartOnSummaryPage());
    for (int row : {1, 3, 4, 5, 7}) d.DoubleClickRow(row);
    QCOMPARE(d.dialogs.Log(), std::vector<std::string>(5, "beep:|"));
    QCOMPARE(d.app().summary().drillLevel(), 0);
    QCOMPARE(d.Table(), kAllBooks);

    // On the descriptions level a double-click does nothing at all.
    d.DoubleClickRow(2);
    QCOMPARE(d.page().findChild<QLabel*>("caption")->text(), QString("交通費明細表"));
    const QStringList detail = d.Table();
    d.dialogs.Clear();
    d.DoubleClickRow(2);
    QCOMPARE(d.Table(), detail);
    QVERIFY(d.dialogs.events.empty());
}

void SummaryPageTest::copyTableTakesTheWholeTableOrTheSelectedCells() {
    Desk d;
    QVERIFY(d.StartOnSummaryPage());
    const QString zeros = QString("\t0").repeated(11);
    const QString whole =
        QStringList{Tabbed({"科　目", "4月度", "5月度", "6月度", "7月度", "8月度", "9月度",
                            "10月度", "11月度", "12月度", "1月度", "2月度", "3月度", "科目年間計"}),
                    "■支出の部" + QString("\t").repeated(13),
                    "交通費\t220" + zeros + "\t220",
                    "　[合　計]\t220" + zeros + "\t220",
                    QString("\t").repeated(13),
                    "【収　支　計】\t-220" + zeros + "\t-220",
                    ""}
            .join('\n');
    // Ctrl+C wherever the focus is on the page: here on the book selector.
    QApplication::clipboard()->clear();
    d.page().bookSelector()->setFocus();
    QTest::keyClick(d.page().bookSelector(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), whole);

    // Ctrl+E with the focus on the ribbon, then Ctrl+C at once: no click on the page between.
    d.w().ribbon()->setCurrentIndex(static_cast<int>(RibbonPage::Ledger));
    d.w().ribbon()->setFocus();
    QVERIFY(!d.page().isAncestorOf(QApplication::focusWidget()));
    QApplication::clipboard()->clear();
    const auto key = [&](Qt::Key k) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : &d.w(), k, Qt::ControlModifier);
    };
    key(Qt::Key_E);
    QCOMPARE(d.w().mainPages()->currentWidget(), static_cast<QWidget*>(&d.page()));
    key(Qt::Key_C);
    QCOMPARE(QApplication::clipboard()->text(), whole);

    // Two rows selected: the header and those rows; thousands separators dropped.
    emit d.page().bookSelector()->activated(1);
    d.grid().selectRow(2);
    d.grid().selectionModel()->select(d.grid().model()->index(3, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    d.grid().setFocus();
    QTest::keyClick(&d.grid(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text().split('\n'),
             QStringList(
                 {Tabbed({"科　目", "4月度", "5月度", "6月度", "7月度", "8月度", "9月度", "10月度",
                          "11月度", "12月度", "1月度", "2月度", "3月度", "科目年間計"}),
                  "小口\t3000" + zeros + "\t3000", "　[合　計]\t3220" + zeros + "\t3220", ""}));
    // The grid's pop-up menu offers the same command.
    QCOMPARE(d.grid().contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(d.grid().actions().contains(d.page().copyAction()));
    QCOMPARE(d.page().copyAction()->text(), QString("表をコピー"));
}

void SummaryPageTest::theGraphWidgetsShowTheCoreFiguresWithTheirHints() {
    Desk d;
    QVERIFY(d.StartOnSummaryPage());
    d.w().action("graph")->trigger();
    GraphPage& page = *d.w().graphPage();
    QCOMPARE(d.w().mainPages()->currentWidget(), &page);
    const GraphFigures& f = d.app().summary().graph();
    QWidget* panel = page.panel();
    auto label = [&](const QString& name) { return panel->findChild<QLabel*>(name)->text(); };
    for (int z = 1; z <= 12; ++z) {
        const GraphMonth& m = f.months[static_cast<std::size_t>(z - 1)];
        const QString n = QString::number(z);
        QCOMPARE(panel->findChild<QWidget*>("income" + n)->geometry(),
                 QRect(GraphColumnLeft(z), m.income.top, 35, m.income.height));
        QCOMPARE(panel->findChild<QWidget*>("expenses" + n)->geometry(),
                 QRect(GraphColumnLeft(z) + 41, m.expenses.top, 35, m.expenses.height));
        QCOMPARE(label("month" + n), Q(m.month.caption));
        QCOMPARE(label("incomeTotal" + n), Q(m.incomeTotal.caption));
        QCOMPARE(label("cumulativeIncome" + n), Q(m.cumulativeIncome.caption));
        QCOMPARE(label("expenseTotal" + n), Q(m.expenseTotal.caption));
        QCOMPARE(label("cumulativeExpense" + n), Q(m.cumulativeExpense.caption));
        QCOMPARE(label("difference" + n), Q(m.difference.caption));
        QCOMPARE(label("cumulativeDifference" + n), Q(m.cumulativeDifference.caption));
        QCOMPARE(panel->findChild<QLabel*>("month" + n)->geometry().topLeft(),
                 QPoint(GraphColumnLeft(z), 358));
    }
    // The figures themselves: April's expense is the largest month, 300 pixels from 35.
    QCOMPARE(panel->findChild<QWidget*>("expenses1")->geometry(), QRect(134, 35, 35, 300));
    QCOMPARE(panel->findChild<QWidget*>("expenses2")->geometry(), QRect(230, 335, 35, 0));
    QCOMPARE(label("month1"), QString("4月度"));
    QCOMPARE(label("month12"), QString("3月度"));
    QCOMPARE(label("expenseTotal1"), QString("220"));
    QCOMPARE(label("cumulativeExpense12"), QString("220"));
    QCOMPARE(label("cumulativeDifference12"), QString("-220"));
    QCOMPARE(label("scaleTop"), QString("220"));
    QCOMPARE(label("scaleMiddle"), QString("110"));
    QCOMPARE(label("caption_cumulativeDifference"), QString("差引累計"));
    QCOMPARE(page.findChild<QLabel*>("range")->text(), QString("2014年04月01日～2015年03月31日"));
    QCOMPARE(panel->findChild<QLabel*>("month10")->toolTip(), QString("2015/1/01"));
    QCOMPARE(panel->findChild<QWidget*>("expenses1")->toolTip(), QString("4月度 支出 220"));

    // The legend: the two bars' colours and the difference.
    QCOMPARE(page.findChild<QLabel*>("legendIncome")->text(), QString("収入"));
    QCOMPARE(page.findChild<QLabel*>("legendExpense")->text(), QString("支出"));
    QCOMPARE(page.findChild<QLabel*>("legendBalance")->text(), QString("差引 = 収入 − 支出"));
    QCOMPARE(QString::fromStdString(GraphPictureTitle(d.app().summary().range(), "全帳簿", "")),
             QString("入出金集計表　2014年04月01日～2015年03月31日　全帳簿"));

    // "画像として保存…" from the page's pop-up menu: at twice the panel's size, with the
    // title line (caption, year, book) and the legend above the panel.
    QVERIFY(page.actions().contains(page.saveImageAction()));
    QCOMPARE(page.saveImageAction()->text(), QString("画像として保存…"));
    const std::string png = d.folder.File("graph.png");
    d.dialogs.saveFileAnswers.push_back(png);
    page.saveImageAction()->trigger();
    const QImage image(QString::fromStdString(png));
    const int above = image.height() / 2 - panel->height();
    QCOMPARE(image.width(), panel->width() * 2);
    QVERIFY2(above > 28, qPrintable(QString::number(above)));
    QCOMPARE(image.pixelColor(2 * 134 + 10, 2 * (200 + above)), QColor(64, 128, 128));
    int inkedTitle = 0;
    for (int x = 0; x < image.width(); x += 2)
        for (int y = 0; y < 2 * 28; y += 2) inkedTitle += qGray(image.pixel(x, y)) < 128;
    QVERIFY(inkedTitle > 50);
}

void SummaryPageTest::aYearWithoutEntries() {
    Desk d(false);
    QVERIFY(d.StartOnSummaryPage());
    QCOMPARE(d.Table().size(), 1);  // the header only
    d.w().action("graph")->trigger();
    QWidget* panel = d.w().graphPage()->panel();
    for (int z = 1; z <= 12; ++z) {
        const QString n = QString::number(z);
        QCOMPARE(panel->findChild<QWidget*>("income" + n)->height(), 0);
        QCOMPARE(panel->findChild<QWidget*>("expenses" + n)->height(), 0);
        for (const char* row : {"incomeTotal", "cumulativeIncome", "expenseTotal",
                                "cumulativeExpense", "difference", "cumulativeDifference"})
            QCOMPARE(panel->findChild<QLabel*>(row + n)->text(), QString("0"));
    }
    QCOMPARE(panel->findChild<QLabel*>("scaleTop")->text(), QString("1"));
    QCOMPARE(panel->findChild<QLabel*>("scaleMiddle")->text(), QString("0"));
}

void SummaryPageTest::aLedgerChangeIsShownOnTheOpenPage() {
    Desk d;
    QVERIFY(d.StartOnSummaryPage());
    d.w().action("graph")->trigger();
    // An entry of 500 yen income in June while the graph page is shown.
    IncomeEntry entry(d.app());
    d.app().SetWindows(&entry);
    d.app().entry().OpenForm();
    d.app().SetWindows(nullptr);
    QVERIFY(entry.stored);
    QWidget* panel = d.w().graphPage()->panel();
    QCOMPARE(panel->findChild<QLabel*>("incomeTotal3")->text(), QString("500"));
    QCOMPARE(panel->findChild<QLabel*>("cumulativeDifference12")->text(), QString("280"));
    QCOMPARE(d.Table().mid(1, 4),
             QStringList({"-|■収入の部|,,,,,,,,,,,|", "|雑収入|0,0,500,0,0,0,0,0,0,0,0,0|500",
                          "|　[合　計]|0,0,500,0,0,0,0,0,0,0,0,0|500", "||,,,,,,,,,,,|"}));
}

void SummaryPageTest::summaryColumnWidthsAreKeptInDisplay2() {
    TempFolder keep;
    const std::string work = keep.Path() + "/work";
    {
        Desk d(true, work);
        QVERIFY(d.StartOnSummaryPage());
        QCOMPARE(d.grid().columnWidth(0), 30);
        QCOMPARE(d.grid().columnWidth(14), 100);
        d.grid().horizontalHeader()->resizeSection(3, 77);
        d.grid().horizontalHeader()->resizeSection(14, 120);
        QVERIFY(d.w().close());
    }
    std::vector<std::string> expected{"[Version]=1.00"};
    for (int c = 0; c < 16; ++c)
        expected.push_back("[list_colwidths[" + std::to_string(c) + "]]=" +
                           std::to_string(c == 0    ? 30
                                          : c == 3  ? 77
                                          : c == 14 ? 120
                                                    : 100));
    QCOMPARE(ReadTextLines(work + "/" + kSummaryLayoutFile), expected);

    Desk again(true, work);
    QVERIFY(again.StartOnSummaryPage());
    QCOMPARE(again.grid().columnWidth(0), 30);
    QCOMPARE(again.grid().columnWidth(3), 77);
    QCOMPARE(again.grid().columnWidth(14), 120);
    QCOMPARE(again.grid().columnWidth(4), 100);
}

void SummaryPageTest::aTitleCellShowsItsWholeTextAsItsToolTip() {
    Desk d;
    QVERIFY(d.StartOnSummaryPage());
    const QModelIndex title = d.grid().model()->index(1, 1);
    QCOMPARE(title.data().toString(), QString("交通費"));
    QCOMPARE(title.data(Qt::ToolTipRole).toString(), QString("交通費"));
    QVERIFY(!d.grid().model()->index(1, 2).data(Qt::ToolTipRole).isValid());
}

namespace {

// A press on the mouse, a move with the button held and a release, as a drag is made.
void Drag(QWidget* widget, QPoint from, QPoint to) {
    auto send = [widget](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, {});
        QApplication::sendEvent(widget, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
}

}  // namespace

void SummaryPageTest::theTitleColumnStaysInPlaceAndWorksWhenScrolledRight() {
    Desk d;
    QVERIFY(d.StartOnSummaryPage());
    d.w().resize(640, 480);
    QTableView& grid = d.grid();
    QScrollBar* across = grid.horizontalScrollBar();
    QVERIFY(across->maximum() > 0);
    across->setValue(across->maximum());
    // The month columns moved; the titles did not.
    QVERIFY(grid.columnViewportPosition(1) < 0);
    auto* titles = grid.findChild<QTableView*>("summaryGridFrozen");
    QVERIFY(titles != nullptr && titles->isVisible());
    const QModelIndex travel = grid.model()->index(1, 1);
    const QRect cell = titles->visualRect(travel);
    QVERIFY(titles->viewport()->rect().contains(cell));
    QCOMPARE(titles->mapTo(&grid, QPoint(0, 0)).x(), grid.frameWidth());

    // Widened by its header's edge, for the frozen part and the table alike.
    const int before = grid.columnWidth(1);
    QHeaderView* header = titles->horizontalHeader();
    const int edge = header->sectionViewportPosition(1) + header->sectionSize(1) - 1;
    Drag(header->viewport(), {edge, header->height() / 2}, {edge + 40, header->height() / 2});
    QCOMPARE(grid.columnWidth(1), before + 40);
    QCOMPARE(titles->columnWidth(1), before + 40);
    QCOMPARE(titles->width(), grid.columnWidth(0) + before + 40);

    // A click selects the row in both parts; the arrow key and Ctrl+C work from there.
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(QApplication::focusWidget(), titles);
    QVERIFY(grid.selectionModel()->isRowSelected(1, {}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QVERIFY(grid.selectionModel()->isRowSelected(2, {}));
    QApplication::clipboard()->clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text().split('\n').value(1),
             QString("　[合　計]\t220") + QString("\t0").repeated(11) + "\t220");

    // A double-click on the title in the frozen part drills down.
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(titles->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(d.app().summary().drillLevel(), 1);
    QCOMPARE(d.page().findChild<QLabel*>("caption")->text(), QString("交通費明細表"));
}

void SummaryPageTest::enterDrillsDownEscOrBackspaceGoBackAndRightScrolls() {
    Desk d;
    QVERIFY(d.StartOnSummaryPage());
    d.w().resize(640, 480);
    auto* titles = d.grid().findChild<QTableView*>("summaryGridFrozen");
    QScrollBar* across = d.grid().horizontalScrollBar();
    QLabel* caption = d.page().findChild<QLabel*>("caption");
    const QPoint travel = titles->visualRect(d.grid().model()->index(1, 1)).center();
    for (Qt::Key back : {Qt::Key_Escape, Qt::Key_Backspace}) {
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, travel);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(caption->text(), QString("交通費明細表"));
        QCOMPARE(across->value(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(across->value(), 1);
        QTest::keyClick(QApplication::focusWidget(), back);
        QCOMPARE(d.app().summary().drillLevel(), 0);
        QCOMPARE(caption->text(), QString("月別科目一覧表"));
        QCOMPARE(d.Table(), kAllBooks);
        across->setValue(0);
    }
    // On the list itself Esc asks nothing.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(d.dialogs.events.empty());
}

QTEST_MAIN(SummaryPageTest)
#include "summary_page_test.moc"
