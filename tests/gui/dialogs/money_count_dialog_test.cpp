// "金種計算" from its command: counts typed into the boxes, the total and the difference
// against the cash book at the calendar's day or today, red when short, and the counts
// kept. With VELMORA_SCREENSHOT_DIR set, the count in the cash book and in an allowance book
// are saved there as money-count.png and money-count-allowance.png.
#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "core/entry/money_count.h"
#include "gui/dialogs/money_count_dialog.h"
#include "gui/support/example_desk.h"
#include "gui/widgets/numeric_edit.h"

using namespace velmora;
using namespace velmora::gui;

class MoneyCountDialogTest : public QObject {
    Q_OBJECT
private slots:
    void countsShowTheDifferenceAndAreKept();
    void anAllowanceBookCountsWholeNumbersAgainstTheCalendarsDayOrToday();
};

void MoneyCountDialogTest::countsShowTheDifferenceAndAreKept() {
    velmora::testing::ExampleDesk desk;
    gui::DesktopProgram& program = *desk.program;
    QVERIFY(program.Start());
    Application& app = program.app();
    const Amount balance = CashBalanceAtDayEnd(app.session().ledger, Date::FromYmd(2014, 6, 10));

    QString total, difference, colour;
    QTimer::singleShot(0, [&] {
        auto* dialog = program.window().findChild<MoneyCountDialog*>();
        QVERIFY(dialog);
        QTest::keyClicks(dialog->countBox(0), "1");  // one 10,000-yen note
        QTest::keyClicks(dialog->countBox(9), "7");  // seven 1-yen coins
        total = dialog->totalLabel()->text();
        difference = dialog->differenceLabel()->text();
        colour = dialog->differenceLabel()->styleSheet();
        QVERIFY(velmora::testing::SaveScreenshotIfAsked(*dialog, "money-count.png"));
        dialog->reject();
    });
    program.window().action("cashcalcExec")->trigger();

    QCOMPARE(total, QString::fromUtf8("10,007円"));
    const Amount expected = Amount::FromYen(10007) - balance;
    QCOMPARE(difference, QString::fromStdString(expected.YenText()) + QString::fromUtf8("円"));
    QCOMPARE(colour.contains("red"), expected < Amount());
    QCOMPARE(LoadMoneyCount(app.session().workingFolder()).counts,
             (std::array<std::int64_t, kMoneyKinds>{1, 0, 0, 0, 0, 0, 0, 0, 0, 7}));
}

void MoneyCountDialogTest::anAllowanceBookCountsWholeNumbersAgainstTheCalendarsDayOrToday() {
    velmora::testing::ExampleDesk desk("a.exv", "ledger/allowance2014.exv",
                                       Date::FromYmd(2014, 5, 20));
    gui::DesktopProgram& program = *desk.program;
    QVERIFY(program.Start());
    QCOMPARE(program.app().view().calendar.selected, Date::FromYmd(2014, 5, 1));

    QStringList seen;
    auto look = [&seen](MoneyCountDialog* dialog) {
        seen << dialog->findChild<QLabel*>("balanceCaption")->text() + " " +
                    dialog->findChild<QLabel*>("balance")->text() + " " +
                    dialog->totalLabel()->text() + " " + dialog->differenceLabel()->text();
    };
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<MoneyCountDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QApplication::setActiveWindow(dialog);
        // The first box (10,000-yen notes) has the focus; a sign and a decimal point are
        // refused, whole counts go in.
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog->countBox(0)));
        QTest::keyClicks(QApplication::focusWidget(), "-1.5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "3");  // three 5,000-yen notes
        look(dialog);
        QTest::mouseClick(dialog->findChild<QRadioButton*>("today"), Qt::LeftButton);
        look(dialog);
        QVERIFY(velmora::testing::SaveScreenshotIfAsked(*dialog, "money-count-allowance.png"));
        QTest::mouseClick(dialog->findChild<QRadioButton*>("calendarDay"), Qt::LeftButton);
        look(dialog);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    program.window().action("cashcalcExec")->trigger();

    QCOMPARE(seen,
             (QStringList{
                 QString::fromUtf8("おこづかい帳残高 (2014/05/01) 9,870円 165,000円 155,130円"),
                 QString::fromUtf8("おこづかい帳残高 (2014/05/20) 8,630円 165,000円 156,370円"),
                 QString::fromUtf8("おこづかい帳残高 (2014/05/01) 9,870円 165,000円 155,130円"),
             }));
    QCOMPARE(LoadMoneyCount(program.app().session().workingFolder()).counts,
             (std::array<std::int64_t, kMoneyKinds>{15, 3, 0, 0, 0, 0, 0, 0, 0, 0}));
}

QTEST_MAIN(MoneyCountDialogTest)
#include "money_count_dialog_test.moc"
