// The preview page over the real print device: the sheet at the paper's size on a screen
// of known resolution, zoom, page buttons, and the page drawn at the zoomed resolution.
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "gui/app/desktop_program.h"
#include "gui/ledger/left_pane.h"
#include "gui/mainwindow/main_window.h"
#include "gui/printing/preview_page.h"
#include "gui/printing/print_page.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

using namespace velmora;
using namespace velmora::gui;

class PreviewPageTest : public QObject {
    Q_OBJECT
private slots:
    void sheetZoomAndPages();
};

void PreviewPageTest::sheetZoomAndPages() {
    velmora::testing::TempFolder folder;
    velmora::testing::ScriptedDialogs dialogs;
    const std::string data = qEnvironmentVariable("VELMORA_DATA_DIR").toStdString();
    const std::string file = folder.Path() + "/sample.exv";
    std::filesystem::copy_file(velmora::testing::FixturePath("ledger/sample2014.exv"), file);
    ProgramOptions o;
    o.today = Date::Parse("2014/04/10");
    o.file = file;
    DesktopProgram program(DesktopFolders{folder.Path() + "/work", data}, o, dialogs);
    QVERIFY(program.Start());
    MainWindow& w = program.window();
    program.app().printing().PrintLedger();
    QApplication::processEvents();
    PreviewPage* page = w.previewPage();
    // The print command shows the preview in place of the ledger.
    QCOMPARE(w.findChild<QStackedWidget*>("mainPages")->currentWidget(),
             static_cast<QWidget*>(page));
    // Its month tabs show on this first print after the start.
    auto* tabs = page->findChild<QTabBar*>("previewMonthTabs");
    QCOMPARE(tabs->count(), 12);
    QVERIFY2(tabs->height() >= tabs->sizeHint().height(),
             qPrintable(QString::number(tabs->height())));

    // A4 at 100 % on the screen's resolution: the paper's size within 1 %.
    const PrinterMetrics& m = program.app().printJob().metrics();
    QCOMPARE(m.paperWidthMm, 210);
    QCOMPARE(m.paperHeightMm, 297);
    page->zoom()->setValue(100);
    const QSize at100 = page->sheet()->size() - QSize(24, 24);
    const double expectedWidth = 210 / 25.4 * m.screenDpiX;
    QVERIFY2(std::abs(at100.width() - expectedWidth) <= expectedWidth / 100,
             qPrintable(QString::number(at100.width())));
    QVERIFY(std::abs(at100.height() - 297 / 25.4 * m.screenDpiY) <=
            297 / 25.4 * m.screenDpiY / 100);
    for (QPushButton* b : page->findChildren<QPushButton*>())
        if (b->text() == "200%") b->click();
    QCOMPARE(program.app().printJob().panel().zoom, 200);
    const QSize at200 = page->sheet()->size() - QSize(24, 24);
    QVERIFY(std::abs(at200.width() - 2 * at100.width()) <= 1);

    // The page is drawn at the zoomed resolution: the image of the area has ink, and as
    // many pixels as the printable area at 200 %.
    const QImage area = page->sheet()->RenderArea();
    QVERIFY(std::abs(area.width() - at200.width()) <= 1);  // truncated, the sheet rounded
    int inked = 0;
    for (int y = 0; y < area.height(); y += 4)
        for (int x = 0; x < area.width(); x += 4) inked += qGray(area.pixel(x, y)) < 200;
    QVERIFY(inked > 100);

    // "プリンター設定" only sets the printer up: its button says "OK", not "印刷".
    QString okText;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        look.stop();
        okText = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text();
        dialog->reject();
    });
    look.start(10);
    PrintPage* print = static_cast<LeftPane*>(w.leftPane())->printPage();
    for (QPushButton* b : print->findChildren<QPushButton*>())
        if (b->text() == "プリンター設定") QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(okText, QString("OK"));
}

QTEST_MAIN(PreviewPageTest)
#include "preview_page_test.moc"
