// "科目設定" in an allowance book as its user works in it: Ctrl+B, a title moved up with its
// quick descriptions, renamed through the edit box (a comma typed is dropped), "更　新" with
// the records following; the title list without blank lines; キャンセル asking before edits
// are lost. With VELMORA_SCREENSHOT_DIR set, the dialog is saved there as
// titles-edit-allowance.png.
#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/entry/title_changes.h"
#include "core/platform/file_io.h"
#include "core/settings/title_file.h"
#include "gui/settings/title_master_dialog.h"
#include "gui/support/example_desk.h"
#include "support/temp_folder.h"

using namespace velmora;
using namespace velmora::gui;

namespace {

QPoint CellCentre(QTableWidget* grid, int slot) {
    const GridCell cell = CellOfSlot(slot);
    return grid->visualRect(grid->model()->index(cell.row, cell.column)).center();
}

// Runs work in the dialog Ctrl+B opens, then leaves the dialog to it.
void WithTitles(MainWindow& w, const std::function<void(TitleMasterDialog&)>& work) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TitleMasterDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seen = true;
        QApplication::setActiveWindow(dialog);
        work(*dialog);
    });
    QApplication::setActiveWindow(&w);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::ControlModifier);
    QVERIFY(seen);
}

// The title edit box the next double-click opens: the text replaced by what the input
// method commits, then Enter.
void AnswerEditBox(const QString& committed, QString& shown) {
    QTimer::singleShot(0, [committed, &shown] {
        auto* box = qobject_cast<TitleEditDialog*>(QApplication::activeModalWidget());
        QVERIFY(box);
        QApplication::setActiveWindow(box);
        QWidget* edit = QApplication::focusWidget();
        QVERIFY(qobject_cast<QLineEdit*>(edit));
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QInputMethodEvent event;
        event.setCommitString(committed);
        QApplication::sendEvent(edit, &event);
        shown = qobject_cast<QLineEdit*>(edit)->text();
        QTest::keyClick(edit, Qt::Key_Return);
    });
}

}  // namespace

class TitleMasterDialogTest : public QObject {
    Q_OBJECT
private slots:
    void aTitleMovedAndRenamedTakesItsDescriptionsAndRecords();
};

void TitleMasterDialogTest::aTitleMovedAndRenamedTakesItsDescriptionsAndRecords() {
    velmora::testing::ExampleDesk desk("a.exv", "ledger/allowance2014.exv",
                                       Date::FromYmd(2014, 5, 20));
    QVERIFY(desk.program->Start());
    MainWindow& w = desk.w();
    const std::string cldata = desk.work + "/cldata/";
    const std::string food = ReadFileBytes(cldata + "tekiyb4.dat");
    const std::string before = ReadFileBytes(cldata + "kamoku2.dat");

    QString typed;
    WithTitles(w, [&](TitleMasterDialog& dialog) {
        QTableWidget* grid = dialog.grid();
        // 食費 (slot 4) one place up, then renamed where it is now.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, 4));
        QTest::mouseClick(dialog.findChild<QPushButton*>("up"), Qt::LeftButton);
        QCOMPARE(grid->currentRow(), 3);
        AnswerEditBox(QString::fromUtf8("食料,品\""), typed);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, 3));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, 3));
        QCOMPARE(grid->item(3, 1)->text(), QString::fromUtf8("食料品"));
        QCOMPARE(grid->item(4, 1)->text(), QString::fromUtf8("臨時収入"));
        QVERIFY(velmora::testing::SaveScreenshotIfAsked(dialog, "titles-edit-allowance.png"));
        QTest::mouseClick(dialog.findChild<QPushButton*>("update"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    });
    QCOMPARE(typed, QString::fromUtf8("食料品"));
    const std::vector<std::string> titles = ReadTitleFile(cldata + "kamoku2.dat");
    QCOMPARE(titles.size(), std::size_t{60});
    QCOMPARE(titles[2], std::string("食料品"));
    QCOMPARE(titles[3], std::string("臨時収入"));
    QCOMPARE(ReadFileBytes(cldata + "tekiyb3.dat"), food);
    QCOMPARE(CountRecordsTitled(desk.app().session().ledger, "食料品"), 3);
    QCOMPARE(desk.dialogs.events.front().kind, std::string("yesno"));

    // The title list beside the ledger lists titles only: its blank slots are hidden, and
    // a click on a title filters by it.
    auto* list = w.findChild<QListWidget*>("titleList");
    QCOMPARE(list->count(), 60);
    QVERIFY(!list->isRowHidden(2));
    QVERIFY(list->isRowHidden(17));
    QVERIFY(list->isRowHidden(59));

    // Edits, then キャンセル: No keeps the dialog and the edits, Yes throws them away.
    desk.dialogs.Clear();
    desk.dialogs.yesNoAnswers = {true, false, true};
    WithTitles(w, [&](TitleMasterDialog& dialog) {
        QTableWidget* grid = dialog.grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, 3));
        QTest::mouseClick(dialog.findChild<QPushButton*>("delete"), Qt::LeftButton);
        QCOMPARE(grid->item(3, 1)->text(), QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(dialog.findChild<QPushButton*>("cancel"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    });
    const std::string question = "yesno:現金出納帳5-Velmora Version5|";
    QCOMPARE(
        desk.dialogs.Log(),
        (std::vector<std::string>{
            question + "「食料品」は 3 件のデータで使われています。\r\n削除すると科目の一覧から"
                       "選べなくなります。削除していいですか？",
            question + "変更した科目設定を保存せずに閉じますか？",
            question + "変更した科目設定を保存せずに閉じますか？"}));
    QCOMPARE(ReadTitleFile(cldata + "kamoku2.dat"), titles);
    QVERIFY(ReadFileBytes(cldata + "kamoku2.dat") != before);
}

QTEST_MAIN(TitleMasterDialogTest)
#include "title_master_dialog_test.moc"
