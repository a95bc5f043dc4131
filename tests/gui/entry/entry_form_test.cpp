// The entry form through its window: F5, a title clicked, a description committed by the
// input method, an amount typed and Enter; a transfer on the petty-cash tab; an edit, a
// move down taken back with Ctrl+Z and a delete from the grid; then Ctrl+S writes the
// records so made.
#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/ledger/ledger_file.h"
#include "core/platform/file_io.h"
#include "core/util/codepage.h"
#include "gui/entry/entry_form_dialog.h"
#include "gui/support/example_desk.h"
#include "gui/widgets/date_field.h"
#include "gui/widgets/month_calendar.h"
#include "gui/widgets/numeric_edit.h"
#include "support/temp_folder.h"

using namespace velmora;
using namespace velmora::gui;

namespace {

using Desk = velmora::testing::ExampleDesk;

// Runs fill on the entry form once the key has opened it.
void WithForm(MainWindow& w, Qt::Key key, Qt::KeyboardModifiers modifiers,
              const std::function<void(EntryFormDialog&)>& fill) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* form = w.findChild<EntryFormDialog*>();
        QVERIFY(form);
        seen = true;
        QApplication::setActiveWindow(form);
        fill(*form);
        if (form->isVisible()) form->reject();
    });
    QApplication::setActiveWindow(&w);
    QTest::keyClick(w.ledgerGrid(), key, modifiers);
    QVERIFY(seen);
}

void ClickItem(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    QVERIFY(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void Commit(QWidget* box, const QString& text) {
    box->setFocus();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

}  // namespace

class EntryFormTest : public QObject {
    Q_OBJECT
private slots:
    void entriesTransfersEditsAndDeletesReachTheFile();
    void aRecordGoesByKeyboardFromDateToAmount();
    void theFormsCalendarShowsTheNationalHolidays();
};

void EntryFormTest::entriesTransfersEditsAndDeletesReachTheFile() {
    Desk d("a.exv");
    QVERIFY(d.program->Start());
    MainWindow& w = d.w();
    QApplication::setActiveWindow(&w);
    w.ledgerGrid()->setFocus();
    // The lines as a save writes them, field 7 brought to the balances shown.
    auto list = [&d] { return d.app().files().RecordLines(); };
    const int before = static_cast<int>(list().size());

    WithForm(w, Qt::Key_F5, Qt::NoModifier, [&](EntryFormDialog& form) {
        ClickItem(form.list(EntryTab::Titles), 1);  // 雑収入
        Commit(form.descriptionBox(), QString::fromUtf8("自販機手数料"));
        QTest::keyClick(form.descriptionBox(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form.expenseBox());
        QTest::keyClick(form.expenseBox(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), form.incomeBox());
        QTest::keyClicks(form.incomeBox(), "1,500");
        QTest::keyClick(form.incomeBox(), Qt::Key_Return);
        // "連続入力": the form stays, ready for the next record, at the list of titles.
        QVERIFY(form.isVisible());
        QCOMPARE(form.descriptionBox()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), form.list(EntryTab::Titles));

        QTabBar* tabBar = form.tabs()->tabBar();
        QTest::mouseClick(tabBar, Qt::LeftButton, {},
                          tabBar->tabRect(static_cast<int>(EntryTab::PettyCash)).center());
        ClickItem(form.list(EntryTab::PettyCash), 0);
        Commit(form.descriptionBox(), QString::fromUtf8("小口へ補充"));
        QTest::keyClick(form.descriptionBox(), Qt::Key_Return);
        QTest::keyClicks(form.expenseBox(), "2000");
        QTest::keyClick(form.expenseBox(), Qt::Key_Enter);
    });
    QCOMPARE(static_cast<int>(list().size()), before + 2);
    // On the calendar's date: Enter in the fields pressed no "今日:" on the way.
    QCOMPARE(list()[before],
             std::string("d06=,2014/06/01,2,雑収入,自販機手数料,1500,0,8280,現金,現金出納帳,現金,"
                         "現金出納帳,"));
    // A transfer to the petty-cash book: title "小口現金", the book on the other side.
    QCOMPARE(list()[before + 1],
             std::string(
                 "d06=,2014/06/01,3,小口現金,小口へ補充,0,2000,6280,現金,現金出納帳,小口,本店,"));

    // Ctrl+F5 on the deposit: the amount changed, Enter stores it and closes the form.
    auto rowOf = [&](const std::string& description) {
        const auto& rows = d.app().ledgerView().rows;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].Description().rfind(description, 0) == 0) return static_cast<int>(i);
        return -1;
    };
    w.ledgerGrid()->selectRow(rowOf("小口へ補充"));
    WithForm(w, Qt::Key_F5, Qt::ControlModifier, [&](EntryFormDialog& form) {
        QCOMPARE(form.descriptionBox()->text(), QString::fromUtf8("小口へ補充"));
        form.expenseBox()->selectAll();
        QTest::keyClicks(form.expenseBox(), "2500");
        QTest::keyClick(form.expenseBox(), Qt::Key_Return);
        QVERIFY(!form.isVisible());
    });
    QVERIFY(list()[before + 1].find(",0,2500,5780,") != std::string::npos);

    // "一行下へ移動する" on the income puts the transfer first; Ctrl+Z puts it back.
    const std::string income = list()[before];
    w.ledgerGrid()->selectRow(rowOf("自販機手数料"));
    w.ledgerGrid()->findChild<QAction*>("moveRowDown")->trigger();
    QVERIFY(list()[before + 1].find(",雑収入,自販機手数料,1500,0,5780,") != std::string::npos);
    QApplication::setActiveWindow(&w);
    QTest::keyClick(w.ledgerGrid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(list()[before], income);

    // Ctrl+F5 on the income, then "削  除" and Yes.
    w.ledgerGrid()->selectRow(rowOf("自販機手数料"));
    d.dialogs.yesNoAnswers.push_back(true);
    WithForm(w, Qt::Key_F5, Qt::ControlModifier, [&](EntryFormDialog& form) {
        form.deleteButton()->click();
        QVERIFY(!form.isVisible());
    });
    QCOMPARE(static_cast<int>(list().size()), before + 1);
    QVERIFY(list()[before].find("小口へ補充") != std::string::npos);

    // Ctrl+S: the file holds the ledger as the window left it.
    QApplication::setActiveWindow(&w);
    QTest::keyClick(w.ledgerGrid(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!d.app().session().modified);
    const std::string bytes = velmora::testing::ReadBytes(d.file);
    QCOMPARE(bytes, EncodeTextLines(LedgerFileLines(d.app().session().ledger)));
    QVERIFY(bytes.find(Utf8ToCp932("d06=,2014/06/01,4,小口現金,小口へ補充,0,2500,4280,現金,"
                                   "現金出納帳,小口,本店,\r\n")) != std::string::npos);
}

// Keys pressed only where the focus is: F5 starts at the titles; Shift+Tab reaches the date,
// typed as a day; the title by its number; Tab on to the amounts; Enter registers and the
// focus is back at the titles; Ctrl+Tab on to the petty-cash books; a typed date past the
// fiscal year is refused on registering; Esc asks before typed input is lost.
void EntryFormTest::aRecordGoesByKeyboardFromDateToAmount() {
    Desk d("k.exv");
    QVERIFY(d.program->Start());
    MainWindow& w = d.w();
    QApplication::setActiveWindow(&w);
    w.ledgerGrid()->setFocus();
    const LineList& list = d.app().session().ledger.transactions;
    const int before = list.Count();
    auto key = [](int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(k), m);
    };
    auto type = [](const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); };
    d.dialogs.yesNoAnswers = {false, true};

    WithForm(w, Qt::Key_F5, Qt::NoModifier, [&](EntryFormDialog& form) {
        QCOMPARE(QApplication::focusWidget(), form.list(EntryTab::Titles));
        key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), form.dateBox());
        type("22");
        key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.list(EntryTab::Titles));
        type("5");
        key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.descriptionBox());
        type("hoken");
        key(Qt::Key_Tab);
        key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.expenseBox());
        type("3000");
        key(Qt::Key_Return);
        QCOMPARE(list.Count(), before + 1);
        QCOMPARE(QApplication::focusWidget(), form.list(EntryTab::Titles));

        key(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(form.tabs()->currentIndex(), static_cast<int>(EntryTab::PettyCash));
        QCOMPARE(QApplication::focusWidget(), form.list(EntryTab::PettyCash));
        key(Qt::Key_Space);
        key(Qt::Key_Tab);
        type("hojuu");
        key(Qt::Key_Return);
        type("2000");
        key(Qt::Key_Return);
        QCOMPARE(list.Count(), before + 2);

        // 2015/04/05 lies after the last period.
        key(Qt::Key_Backtab, Qt::ShiftModifier);
        type("2015/04/05");
        key(Qt::Key_Tab);
        key(Qt::Key_Tab);
        type("late");
        key(Qt::Key_Return);
        type("100");
        key(Qt::Key_Return);
        QCOMPARE(list.Count(), before + 2);
        QCOMPARE(d.dialogs.Infos().back(),
                 std::string("確認してください。|指定された日付はどの月切にも該当しません。"
                             "環境設定の期間設定を確認して下さい。"));
        // Esc: No keeps the form with what was typed, Yes closes it.
        key(Qt::Key_Escape);
        QVERIFY(form.isVisible());
        QCOMPARE(form.descriptionBox()->text(), QString("late"));
        key(Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    });
    d.app().files().RecordLines();  // field 7 as a save writes it
    QCOMPARE(list[before],
             std::string("d06=,2014/06/22,2,法定福利費,hoken,0,3000,3780,現金,現金出納帳,現金,"
                         "現金出納帳,"));
    QCOMPARE(
        list[before + 1],
        std::string("d06=,2014/06/22,3,小口現金,hojuu,0,2000,1780,現金,現金出納帳,小口,本店,"));
}

// "<<" on the form's calendar from June 2014: May, whose 3rd to 6th are national holidays
// (the 6th the substitute for the 4th, a Sunday); May 1 is a Thursday, panel 4.
void EntryFormTest::theFormsCalendarShowsTheNationalHolidays() {
    Desk d("a.exv");
    QVERIFY(d.program->Start());
    MainWindow& w = d.w();
    w.ledgerGrid()->setFocus();
    WithForm(w, Qt::Key_F5, Qt::NoModifier, [&](EntryFormDialog& form) {
        QTest::mouseClick(form.calendar()->findChild<QWidget*>("previousMonth"), Qt::LeftButton);
        const CalendarLayout& may = form.calendar()->layout();
        QCOMPARE(QString::fromStdString(may.monthLabel), QString::fromUtf8("2014年05月01日"));
        for (int panel : {6, 7, 8, 9}) QCOMPARE(may.panels[panel].text, kHolidayText);
        QCOMPARE(may.panels[10].text, kWeekdayText);
        QCOMPARE(QString::fromStdString(may.panels[9].holidayName), QString::fromUtf8("振替休日"));
    });
}

QTEST_MAIN(EntryFormTest)
#include "entry_form_test.moc"
