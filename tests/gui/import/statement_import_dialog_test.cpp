// "CSVファイルから取込…" through its window: a statement chosen with "参照…", its rows
// shown as read and planned, a title committed by the input method, "取　込", and the
// ledger and the grid afterwards; the calendar's tool tip names a national holiday.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "gui/import/statement_import_dialog.h"
#include "gui/support/example_desk.h"
#include "gui/widgets/month_calendar.h"
#include "support/temp_folder.h"

using namespace velmora;
using namespace velmora::gui;

namespace {

QString Cell(QTableView* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}

void Click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

}  // namespace

class StatementImportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void aStatementChosenPlannedAndImported();
    void theCalendarNamesANationalHoliday();
    void aPathTypedIntoTheFileFieldIsRead();
};

void StatementImportDialogTest::aStatementChosenPlannedAndImported() {
    velmora::testing::ExampleDesk desk;
    QVERIFY(desk.program->Start());
    MainWindow& w = desk.w();
    QMenu* other = w.menu("その他(&O)");
    QVERIFY(other);
    QVERIFY(other->actions().contains(w.action("importStatement")));
    const std::string statement = desk.folder.File("meisai.csv");
    velmora::testing::WriteCp932(statement,
                                 "普通預金 入出金明細\n"
                                 "日付,摘要,お引出し,お預入れ,残高\n"
                                 "2014/04/05,ﾌﾘｺﾐ ﾔﾏﾀﾞ,,\"5,000\",\"11,780\"\n"
                                 "H26.4.8,ﾃﾞﾝｷﾀﾞｲ,\"3,240\",,\"8,540\"\n");
    desk.dialogs.openAnswers.push_back(statement);

    bool seen = false;
    auto work = [&](StatementImportDialog* dialog) {
        QVERIFY(!dialog->importButton()->isEnabled());
        Click(dialog->findChild<QPushButton*>("browse"));
        QCOMPARE(dialog->findChild<QLineEdit*>("file")->text(), QString::fromStdString(statement));
        QCOMPARE(dialog->findChild<QLabel*>("found")->text(),
                 QString::fromUtf8("読み取り: Shift_JIS"));
        QTableView* grid = dialog->grid();
        QCOMPARE(grid->model()->rowCount(), 4);
        QCOMPARE(grid->model()->columnCount(), 5 + 6);
        QCOMPARE(Cell(grid, 0, 10), QString::fromUtf8("見出し行"));
        QCOMPARE(Cell(grid, 2, 1), QString::fromUtf8("ﾌﾘｺﾐ ﾔﾏﾀﾞ"));
        QCOMPARE(Cell(grid, 2, 7), QString::fromUtf8("フリコミ　ヤマダ"));
        // No title yet: every row is refused, as the entry form would refuse it.
        QCOMPARE(Cell(grid, 3, 10), QString::fromUtf8("科目が入力されていません"));
        QVERIFY(!dialog->importButton()->isEnabled());

        auto* title = dialog->findChild<QComboBox*>("title");
        Click(title->lineEdit());
        QCOMPARE(QApplication::focusWidget(), title);
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8("雑収入"));
        QApplication::sendEvent(QApplication::focusWidget(), &commit);
        QCOMPARE(Cell(grid, 3, 6), QString::fromUtf8("雑収入"));
        QCOMPARE(Cell(grid, 3, 9), QString::fromUtf8("3,240"));
        QCOMPARE(dialog->summary()->text(), QString::fromUtf8("取込 2件"));

        Click(dialog->importButton());
        QCOMPARE(Cell(grid, 2, 10), QString::fromUtf8("取込済"));
        QCOMPARE(dialog->summary()->text(), QString::fromUtf8("取込済 2件"));
        QVERIFY(!dialog->importButton()->isEnabled());
        Click(dialog->findChild<QPushButton*>("close"));
    };
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<StatementImportDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seen = true;
        QApplication::setActiveWindow(dialog);
        work(dialog);
        if (dialog->isVisible()) dialog->reject();  // after a failure above
    });
    w.action("importStatement")->trigger();
    QVERIFY(seen);

    const LineList& list = desk.app().session().ledger.transactions;
    QCOMPARE(list.Count(), 4);
    QCOMPARE(QString::fromStdString(list[2]),
             QString::fromUtf8(
                 "d04=,2014/04/"
                 "05,2,雑収入,フリコミ　ヤマダ,5000,0,11780,現金,現金出納帳,現金,現金出納帳,"));
    QCOMPARE(
        desk.dialogs.Infos().back(),
        std::string(
            "確認|2件を取り込みました。\r\n最後の行の残高: 帳簿 8,540円、明細 8,540円（一致）"));
    // The view shows the month of the last row; one undo takes the import back.
    QCOMPARE(desk.app().ledgerView().rows.size(), 7u);
    w.action("undo")->trigger();
    QCOMPARE(list.Count(), 2);
}

void StatementImportDialogTest::theCalendarNamesANationalHoliday() {
    velmora::testing::ExampleDesk desk("a.exv", "ledger/example2014.exv",
                                       Date::FromYmd(2014, 5, 2));
    QVERIFY(desk.program->Start());
    desk.w().show();
    auto* calendar = desk.w().findChild<MonthCalendar*>("calendar");
    QVERIFY(calendar);
    // May 2014 begins on a Thursday: the 6th, the substitute for みどりの日 on Sunday the
    // 4th, is panel 9.
    const QRect panel = calendar->PanelRect(9);
    QHelpEvent help(QEvent::ToolTip, panel.center(),
                    calendar->dayGrid()->mapToGlobal(panel.center()));
    QApplication::sendEvent(calendar->dayGrid(), &help);
    QCOMPARE(QToolTip::text(), QString::fromUtf8("振替休日"));
    QCOMPARE(calendar->layout().panels[9].text, kHolidayText);
}

void StatementImportDialogTest::aPathTypedIntoTheFileFieldIsRead() {
    velmora::testing::ExampleDesk desk;
    QVERIFY(desk.program->Start());
    const std::string statement = desk.folder.File("typed.csv");
    velmora::testing::WriteCp932(statement, "2014/04/05,ﾃｽﾄ,100\n2014/04/06,ﾃｽﾄ,200\n");
    int rows = -1;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<StatementImportDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QApplication::setActiveWindow(dialog);
        auto* file = dialog->findChild<QLineEdit*>("file");
        Click(file);
        QCOMPARE(QApplication::focusWidget(), file);
        QTest::keyClicks(file, QString::fromStdString(statement));
        QTest::keyClick(file, Qt::Key_Return);
        rows = dialog->grid()->model()->rowCount();
        dialog->reject();
    });
    desk.w().action("importStatement")->trigger();
    QCOMPARE(rows, 2);
}

QTEST_MAIN(StatementImportDialogTest)
#include "statement_import_dialog_test.moc"
