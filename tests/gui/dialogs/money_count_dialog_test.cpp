// "金種計算" from its command: counts typed into the boxes, the total and the difference
// against the cash book at the calendar's day, red when short, and the counts kept.
#include <QLabel>
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

QTEST_MAIN(MoneyCountDialogTest)
#include "money_count_dialog_test.moc"
