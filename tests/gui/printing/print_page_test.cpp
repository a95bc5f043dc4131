// The print page over a printer that records its sheets: from "出納帳印刷" through the
// preview's page buttons to "印刷実行" of the odd pages of two months, and the offsets.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <map>

#include "core/platform/clock.h"
#include "core/platform/file_io.h"
#include "core/print/recording_print_device.h"
#include "gui/app/qt_shell.h"
#include "gui/ledger/left_pane.h"
#include "gui/mainwindow/main_window.h"
#include "gui/printing/preview_page.h"
#include "gui/printing/print_page.h"
#include "gui/support/real_boxes.h"
#include "gui/widgets/elided_label.h"
#include "gui/widgets/numeric_edit.h"
#include "qtprint/qt_print_device.h"
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

// Answers the PDF file dialog and notes whether a progress dialog was there meanwhile.
class PdfFileDialogs : public velmora::testing::ScriptedDialogs {
public:
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override {
        QApplication::processEvents();
        for (QWidget* w : QApplication::allWidgets())
            progressWhileAsked |= qobject_cast<QProgressDialog*>(w) != nullptr;
        return ScriptedDialogs::AskSaveFile(request);
    }
    bool progressWhileAsked = false;
};

// What of the print page's controls and the status bar's PDF notice and folder button does not
// lie whole in its place (the pane's visible part, the window) at the window's size on a
// 1280x720 screen, maximised under a window manager whose title bar takes 19 pixels; with
// rectangles, for the failure message. The window may not grow beyond the screen.
QString NotShownWhole(MainWindow& w) {
    const QSize screen(1280, 701);
    w.resize(screen);
    QApplication::processEvents();
    PrintPage* page = static_cast<LeftPane*>(w.leftPane())->printPage();
    QWidget* viewport =
        qobject_cast<QScrollArea*>(page->parentWidget()->parentWidget())->viewport();
    QString cut;
    auto whole = [&cut](QWidget* control, QWidget* in, QSize size) {
        const QRect r(control->mapTo(in, QPoint(0, 0)), control->size());
        if (!QRect(QPoint(0, 0), size).contains(r))
            cut += QString("%1 %2,%3 %4x%5 in %6x%7\n")
                       .arg(control->objectName() + "/" + control->metaObject()->className())
                       .arg(r.x())
                       .arg(r.y())
                       .arg(r.width())
                       .arg(r.height())
                       .arg(size.width())
                       .arg(size.height());
    };
    for (QWidget* control : page->findChildren<QWidget*>())
        if (control->isVisible() &&
            (qobject_cast<QAbstractButton*>(control) || qobject_cast<QComboBox*>(control) ||
             qobject_cast<QLineEdit*>(control) || qobject_cast<QListWidget*>(control)))
            whole(control, viewport, viewport->size());
    for (int i = 0; i < page->months()->count(); ++i)
        if (!page->months()->viewport()->rect().contains(
                page->months()->visualItemRect(page->months()->item(i))))
            cut += page->months()->item(i)->text() + "\n";
    whole(w.findChild<ElidedLabel*>("pdfNotice"), &w, screen);
    whole(w.findChild<QPushButton*>("openPdfFolder"), &w, screen);
    return cut;
}

}  // namespace

class PrintPageTest : public QObject {
    Q_OBJECT
private slots:
    void oddPagesOfTwoMonthsReachThePrinter();
    void pdfProgressOpensAfterTheFileIsChosenAndCancelSaysSo();
    void aPdfThatCannotBeWrittenGivesTheKeyboardBack();
    void previewTabsPagesAndKeysFollowTheMonthShown();
    void theKokuyoFormsLinesShowInThePreviewOnly();
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
    auto* pageLabel = w.previewPage()->findChild<QLabel*>("pageLabel");
    QCOMPARE(pageLabel->text(), QString("1 / 3 ページ"));
    QTest::mouseClick(Button(w.previewPage(), "→"), Qt::LeftButton);
    QCOMPARE(app.printJob().state().page, 2);
    QCOMPARE(pageLabel->text(), QString("2 / 3 ページ"));

    // Offsets typed on plain paper: the even-page boxes are not offered.
    QVERIFY(!print->offsetBox(2)->isVisible());
    print->offsetBox(0)->setFocus();
    print->offsetBox(0)->selectAll();
    QTest::keyClicks(print->offsetBox(0), "1.5");
    QTest::keyClick(print->offsetBox(0), Qt::Key_Up);
    QCOMPARE(print->offsetBox(0)->text(), QString("1.6000"));
    QCOMPARE(app.printJob().panel().offsets.oddX, Amount::Parse("1.6"));
    // Back to 0 for the comparison with velmora-cli below: what the box shows is printed.
    QTest::keyClick(print->offsetBox(0), Qt::Key_Down);
    for (int i = 0; i < 15; ++i) QTest::keyClick(print->offsetBox(0), Qt::Key_Down);
    QCOMPARE(app.printJob().panel().offsets.oddX, Amount{});

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
    QCOMPARE(pageLabel->text(), QString("1 / 3 ページ"));
}

void PrintPageTest::pdfProgressOpensAfterTheFileIsChosenAndCancelSaysSo() {
    velmora::testing::TempFolder folder;
    PdfFileDialogs dialogs;
    const std::string data = qEnvironmentVariable("VELMORA_DATA_DIR").toStdString();
    const std::string file = LongLedger(folder.Path());
    std::filesystem::permissions(
        file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    FixedClock clock(Date::Parse("2014/04/10"));
    RecordingPrintDevice printer(600);
    printer.SetPdfPrinter(0);
    QtShell shell;
    Application app(AppServices{dialogs, clock, DefaultFileWriter(), printer, shell,
                                folder.Path() + "/work", data});
    MainWindow w(app);
    app.Create();
    w.show();
    app.Show(file);
    w.action("printnote")->trigger();
    QApplication::processEvents();
    PrintPage* print = static_cast<LeftPane*>(w.leftPane())->printPage();

    // Cancel is clicked as soon as the progress dialog shows.
    QTimer cancel;
    bool progressShown = false;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        auto* progress = w.findChild<QProgressDialog*>("printProgress");
        if (progress == nullptr || !progress->isVisible()) return;
        progressShown = true;
        cancel.stop();
        QTest::mouseClick(Button(progress, "キャンセル"), Qt::LeftButton);
    });
    cancel.start(0);
    const std::string pdf = folder.Path() + "/april.pdf";
    dialogs.saveFileAnswers.push_back(pdf);
    printer.ClearCalls();
    QTest::mouseClick(Button(print, "PDFに保存…"), Qt::LeftButton);
    QVERIFY(!dialogs.progressWhileAsked);
    // The name offered says what the PDF holds.
    QCOMPARE(QString::fromStdString(dialogs.fileRequests.back().fileName),
             QString("現金出納帳_2014年04月.pdf"));
    QVERIFY(progressShown);
    const Lines& calls = printer.Calls();
    QCOMPARE(std::count(calls.begin(), calls.end(), "pdf " + pdf), 1);
    QCOMPARE(std::count(calls.begin(), calls.end(), "end"), 0);
    QCOMPARE(QString::fromStdString(dialogs.Infos().back()),
             QString("確認|PDFへの保存を中止しました。ファイルは書き込まれていません。"));
    QVERIFY(w.findChild<QProgressDialog*>("printProgress") == nullptr);
    QVERIFY(!w.findChild<QPushButton*>("openPdfFolder")->isVisible());

    // Written whole: the status bar says where, and offers the folder.
    const std::string deep = folder.Path() + "/経理の書類/2014年度/税理士事務所に提出するもの";
    std::filesystem::create_directories(deep);
    const std::string named = deep + "/2014年度_現金出納帳_本店と小口現金_控え_四月分_確認済み.pdf";
    dialogs.saveFileAnswers.push_back(named);
    QTest::mouseClick(Button(print, "PDFに保存…"), Qt::LeftButton);
    QCOMPARE(std::count(calls.begin(), calls.end(), "end"), 1);
    // No more readable than the ledger it comes from.
    QCOMPARE(std::count(calls.begin(), calls.end(), "pdf-mode 600"), 2);
    auto* notice = w.findChild<ElidedLabel*>("pdfNotice");
    QCOMPARE(notice->text(), QString::fromStdString("PDFを保存しました: " + named));
    QVERIFY(w.findChild<QPushButton*>("openPdfFolder")->isVisible());
    // Regression: on a 1280x720 screen the last buttons lay below the page's end. The path
    // gives way in its middle: the file's name still ends it.
    QCOMPARE(NotShownWhole(w), QString());
    QVERIFY(notice->shownText().endsWith("確認済み.pdf"));
    QCOMPARE(notice->toolTip(), notice->text());

    // Regression: a later PDF that failed (its style gone) left that notice standing.
    std::filesystem::remove_all(folder.Path() + "/work/style");
    const std::size_t infos = dialogs.Infos().size();
    dialogs.saveFileAnswers.push_back(pdf);
    QTest::mouseClick(Button(print, "PDFに保存…"), Qt::LeftButton);
    QCOMPARE(dialogs.Infos().size(), infos + 1);  // why it failed
    QCOMPARE(w.findChild<ElidedLabel*>("pdfNotice")->text(), QString("PDFは保存されていません"));
    QVERIFY(!w.findChild<QPushButton*>("openPdfFolder")->isVisible());
}

void PrintPageTest::aPdfThatCannotBeWrittenGivesTheKeyboardBack() {
    velmora::testing::TempFolder folder;
    velmora::testing::RealBoxes dialogs;
    dialogs.realInfo = true;
    const std::string file = LongLedger(folder.Path());
    FixedClock clock(Date::Parse("2014/04/10"));
    QtPrintDevice printer(QStringList{}, 600);  // the PDF printer only
    QtShell shell;
    Application app(AppServices{dialogs, clock, DefaultFileWriter(), printer, shell,
                                folder.Path() + "/work",
                                qEnvironmentVariable("VELMORA_DATA_DIR").toStdString()});
    MainWindow w(app);
    dialogs.boxes.setOwner(&w);
    app.Create();
    w.show();
    app.Show(file);
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.action("printnote")->trigger();
    QApplication::processEvents();
    PrintPage* print = static_cast<LeftPane*>(w.leftPane())->printPage();

    // A folder that is not there cannot be written to.
    const std::string pdf = folder.Path() + "/gone/april.pdf";
    dialogs.saveFileAnswers.push_back(pdf);
    QString said;
    velmora::testing::WhenBoxOpens("velmoraInfo", [&](QMessageBox* box) {
        said = box->text();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // OK
    });
    QAbstractButton* save = Button(print, "PDFに保存…");
    QTest::mouseClick(save, Qt::LeftButton);
    QVERIFY2(said.contains(QString::fromStdString("ファイルに書き込めません: " + pdf)),
             qPrintable(said));
    QVERIFY(!std::filesystem::exists(pdf));
    QCOMPARE(w.findChild<ElidedLabel*>("pdfNotice")->text(), QString("PDFは保存されていません"));
    QVERIFY(!w.findChild<QPushButton*>("openPdfFolder")->isVisible());
    // The keyboard is where the user left it.
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), &w, 2000);
    QCOMPARE(QApplication::focusWidget(), save);

    // The next PDF to a folder that is there is written whole.
    const std::string written = folder.Path() + "/april.pdf";
    dialogs.saveFileAnswers.push_back(written);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(w.findChild<ElidedLabel*>("pdfNotice")->text(),
             QString::fromStdString("PDFを保存しました: " + written));
    QVERIFY(std::filesystem::exists(written));
}

void PrintPageTest::previewTabsPagesAndKeysFollowTheMonthShown() {
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
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    PreviewPage* preview = w.previewPage();
    auto* caption = preview->findChild<QLabel*>("previewCaption");
    auto* scroll = preview->findChild<QScrollArea*>("sheetScroll");

    // The month tabs are there on the first print after the start.
    w.action("printnote")->trigger();
    QApplication::processEvents();
    auto* tabs = preview->findChild<QTabBar*>("previewMonthTabs");
    QVERIFY(tabs->isVisible());
    QCOMPARE(tabs->count(), 12);
    QVERIFY2(tabs->height() >= tabs->sizeHint().height(),
             qPrintable(QString::number(tabs->height())));
    QCOMPARE(tabs->currentIndex(), 0);

    // The graph, scrolled down: the ledger's job then opens at its top, named for it.
    w.action("graphprint")->trigger();
    QApplication::processEvents();
    QCOMPARE(caption->text(), QString("入出金集計グラフ"));
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    w.action("printnote")->trigger();
    QApplication::processEvents();
    QCOMPARE(caption->text(), QString("現金出納帳"));
    QCOMPARE(scroll->verticalScrollBar()->value(), 0);
    QCOMPARE(tabs->count(), 12);

    // The tabs follow each click.
    auto* label = preview->findChild<QLabel*>("pageLabel");
    QCOMPARE(label->text(), QString("1 / 3 ページ"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(QString::fromStdString(app.view().monthPanel), QString("5"));
    QCOMPARE(label->text(), QString("1 / 2 ページ"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(QString::fromStdString(app.view().monthPanel), QString("4"));
    QCOMPARE(label->text(), QString("1 / 3 ページ"));

    // Keys on the sheet: End, Home, PgDn, PgUp; the last page is numbered as such.
    QTest::mouseClick(scroll->viewport(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(scroll));
    const auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    key(Qt::Key_End);
    QCOMPARE(label->text(), QString("3 / 3 ページ"));
    key(Qt::Key_Home);
    QCOMPARE(label->text(), QString("1 / 3 ページ"));
    key(Qt::Key_PageDown);
    QCOMPARE(label->text(), QString("2 / 3 ページ"));
    key(Qt::Key_PageUp);
    QCOMPARE(label->text(), QString("1 / 3 ページ"));
    // "→|", and a page number typed.
    QTest::mouseClick(Button(preview, "→|"), Qt::LeftButton);
    QCOMPARE(label->text(), QString("3 / 3 ページ"));
    QCOMPARE(app.printJob().state().page, 0);
    auto* number = preview->findChild<QSpinBox*>("pageNumber");
    QTest::mouseClick(number, Qt::LeftButton);
    key(Qt::Key_End);
    key(Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), "2");
    key(Qt::Key_Return);
    QCOMPARE(label->text(), QString("2 / 3 ページ"));

    // Ctrl+A in the page number and in an offset box selects the box's text rather than
    // running the window's Ctrl+A ("名前を付けて保存").
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    dialogs.Clear();
    key(Qt::Key_End);
    QCOMPARE(number->findChild<QLineEdit*>()->selectedText(), QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(number->findChild<QLineEdit*>()->selectedText(), QString("2"));
    NumericEdit* offset = static_cast<LeftPane*>(w.leftPane())->printPage()->offsetBox(0);
    QTest::mouseClick(offset, Qt::LeftButton);
    key(Qt::Key_End);
    QCOMPARE(offset->selectedText(), QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(offset->selectedText(), offset->text());
    QVERIFY(dialogs.events.empty());
}

namespace {

// Pixels of the colour KOKUYO forms' lines are drawn in, in a picture of the preview.
int FormInk(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == qRgb(70, 140, 190);
    return n;
}

}  // namespace

void PrintPageTest::theKokuyoFormsLinesShowInThePreviewOnly() {
    velmora::testing::TempFolder folder;
    velmora::testing::ScriptedDialogs dialogs;
    const std::string data = qEnvironmentVariable("VELMORA_DATA_DIR").toStdString();
    FixedClock clock(Date::Parse("2014/04/10"));
    RecordingPrintDevice printer(600);
    QtShell shell;
    Application app(AppServices{dialogs, clock, DefaultFileWriter(), printer, shell,
                                folder.Path() + "/work", data});
    MainWindow w(app);
    app.Create();
    w.show();
    app.Show(LongLedger(folder.Path()));
    w.action("printnote")->trigger();
    QApplication::processEvents();
    PrintPage* print = static_cast<LeftPane*>(w.leftPane())->printPage();
    auto* formLines = print->findChild<QCheckBox*>("formLines");
    QVERIFY(formLines != nullptr && !formLines->isVisible());

    // The KOKUYO cash book form: the box is offered, and ticking it draws the form's grid.
    print->paper()->setFocus();
    QTest::keyClick(print->paper(), Qt::Key_Down);
    QCOMPARE(app.printJob().panel().choice.paper, 1);
    QVERIFY(formLines->isVisible());
    QCOMPARE(formLines->text(), QString("用紙の罫線を表示"));
    auto* sheet = w.previewPage()->findChild<QScrollArea*>("sheetScroll")->widget();
    QCOMPARE(FormInk(sheet->grab().toImage()), 0);
    QTest::mouseClick(formLines, Qt::LeftButton, {}, QPoint(8, formLines->height() / 2));
    QVERIFY(app.printJob().panel().formLines);
    QVERIFY(FormInk(sheet->grab().toImage()) > 1000);

    // Printing leaves them out: no pen of their colour (0xBBGGRR) reaches the printer.
    const std::size_t before = printer.Pages().size();
    Button(print, "印刷実行")->click();
    QApplication::processEvents();
    QVERIFY(printer.Pages().size() > before);
    for (std::size_t i = before; i < printer.Pages().size(); ++i)
        for (const std::string& line : printer.Pages()[i])
            QVERIFY2(line.find("0xbe8c46") == std::string::npos, line.c_str());
}

QTEST_MAIN(PrintPageTest)
#include "print_page_test.moc"
