// A new user's walk by keyboard through the ledger, the entry form and the dialogs: keys go
// to QApplication::focusWidget() only, and each step checks where the keyboard is and what
// the windows say.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/entry/typed_date.h"
#include "core/ledger/record.h"
#include "gui/entry/entry_form_dialog.h"
#include "gui/ledger/ledger_page.h"
#include "gui/mainwindow/main_pages.h"
#include "gui/summary/summary_page.h"
#include "gui/support/example_desk.h"
#include "gui/widgets/date_field.h"

using namespace velmora;
using namespace velmora::gui;

namespace {

using Desk = velmora::testing::ExampleDesk;

void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
}

void Type(const char* text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}

// Runs act on the modal window that opens next, from inside its event loop, as the active
// window; a window act leaves open is closed after it, so that a failure cannot hang.
void OnNextModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        QApplication::setActiveWindow(modal);
        act(modal);
        if (modal->isVisible()) static_cast<QDialog*>(modal)->reject();
    });
}

// The keys open the window; the walk starts at the ledger grid.
void FromLedger(Desk& d, int key, Qt::KeyboardModifiers modifiers) {
    QApplication::setActiveWindow(&d.w());
    d.w().ledgerGrid()->setFocus();
    QTest::keyClick(d.w().ledgerGrid(), static_cast<Qt::Key>(key), modifiers);
}

QString TitleField(QWidget* form) {
    return form->findChild<QLineEdit*>("title")->text();
}

}  // namespace

class KeyboardWalkTest : public QObject {
    Q_OBJECT
private slots:
    void init() { desk_ = std::make_unique<Desk>("walk.exv"); }
    void aDeletionGivesTheKeyboardBackOnTheRowThatFollowed();
    void enterAcceptsTheBookDialogs();
    void tabLeavesTheGrids();
    void anImpossibleDateIsSaidAndKeepsTheFocus();
    void homeEndAndSpaceChooseTheTitleShown();
    void enterTakesTheTitleAndMovesToTheDescription();
    void enterPressesTheFocusedButton();
    void theSettingsSpeakJapaneseAndApplyKeepsTheMonth();
    void escLeavesTheSettingsAndTheMonthShownAsTheyWere();
    void deleteOnTheGridAsksAndDeletesTheRecord();

private:
    std::unique_ptr<Desk> desk_;
};

void KeyboardWalkTest::aDeletionGivesTheKeyboardBackOnTheRowThatFollowed() {
    Desk& d = *desk_;
    QVERIFY(d.program->Start());
    d.w().show();
    QTableView* grid = d.w().ledgerGrid();
    auto description = [&d](int row) {
        return d.app().ledgerView().rows[static_cast<std::size_t>(row)].Description();
    };
    // The first month tab with two records in a row; the first of them is deleted.
    QTabBar* months = d.w().findChild<LedgerPage*>()->monthTabs();
    int kRow = -1;
    for (int tab = 1; tab < months->count() && kRow < 0; ++tab) {
        QTest::mouseClick(months, Qt::LeftButton, {}, months->tabRect(tab).center());
        const auto& rows = d.app().ledgerView().rows;
        for (std::size_t i = 0; i + 1 < rows.size() && kRow < 0; ++i)
            if (rows[i].RecordIndex() && rows[i + 1].RecordIndex()) kRow = static_cast<int>(i);
    }
    QVERIFY(kRow >= 0);
    const std::string following = description(kRow + 1);
    grid->selectRow(kRow);
    d.dialogs.yesNoAnswers = {true};
    OnNextModal([&](QWidget* form) {
        // Edit mode says so, with the record's date.
        const QString caption = QString::fromUtf8("出納帳修正　") +
                                QString::fromStdString(d.app().entryForm().storedDate);
        QCOMPARE(form->windowTitle(), caption);
        QCOMPARE(form->findChild<QLabel*>("heading")->text(), caption);
        QTest::mouseClick(static_cast<EntryFormDialog*>(form)->deleteButton(), Qt::LeftButton);
    });
    FromLedger(d, Qt::Key_F5, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::focusWidget(), grid);
    QCOMPARE(grid->currentIndex().row(), kRow);
    QCOMPARE(QString::fromStdString(description(kRow)), QString::fromStdString(following));
    // F5 for a new record says so too, and the keyboard comes back to the grid.
    OnNextModal([](QWidget* form) { QCOMPARE(form->windowTitle(), QString("出納帳入力")); });
    FromLedger(d, Qt::Key_F5, Qt::NoModifier);
    QTRY_COMPARE(QApplication::focusWidget(), grid);
}

// The bank book list: Enter in the new book's fields adds it, Down and Enter choose it.
void KeyboardWalkTest::enterAcceptsTheBookDialogs() {
    Desk& d = *desk_;
    QVERIFY(d.program->Start());
    d.w().show();
    OnNextModal([](QWidget* list) {
        QCOMPARE(list->windowTitle(), QString("預金帳簿選択"));
        auto* grid = list->findChild<QTableWidget*>("bookGrid");
        const int before = grid->rowCount();
        OnNextModal([](QWidget* box) {
            QCOMPARE(box->windowTitle(), QString("新規追加"));
            QCOMPARE(QApplication::focusWidget()->objectName(), QString("bookName"));
            Type("shiten");
            Key(Qt::Key_Tab);
            Type("500");
            Key(Qt::Key_Return);
            QVERIFY(!box->isVisible());
        });
        QTest::mouseClick(list->findChild<QAbstractButton*>("add"), Qt::LeftButton);
        QCOMPARE(grid->rowCount(), before + 1);
        QApplication::setActiveWindow(list);  // as the window manager does when the box closes
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(0, 1)).center());
        for (int i = 0; i < before; ++i) Key(Qt::Key_Down);
        Key(Qt::Key_Return);
        QVERIFY(!list->isVisible());
    });
    QApplication::setActiveWindow(&d.w());
    d.w().action("note3")->trigger();
    QCOMPARE(d.w().statusPanel(1)->text(), QString("shiten"));
}

// Tab leaves the monthly list's grid and reaches "更　新" from the titles' grid.
void KeyboardWalkTest::tabLeavesTheGrids() {
    Desk& d = *desk_;
    QVERIFY(d.program->Start());
    d.w().show();
    OnNextModal([](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("科目設定"));
        auto* grid = dialog->findChild<QTableWidget*>("titleGrid");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(0, 0)).center());
        for (int i = 0; i < 8 && QApplication::focusWidget()->objectName() != "update"; ++i)
            Key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("update"));
    });
    FromLedger(d, Qt::Key_B, Qt::ControlModifier);

    FromLedger(d, Qt::Key_E, Qt::ControlModifier);
    QTableView* monthly = d.w().mainPages()->findChild<SummaryPage*>()->grid();
    QVERIFY(monthly->isVisible());
    QTest::mouseClick(monthly->viewport(), Qt::LeftButton, {},
                      monthly->visualRect(monthly->model()->index(1, 1)).center());
    QCOMPARE(QApplication::focusWidget(), monthly);
    Key(Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != monthly);
}

void KeyboardWalkTest::anImpossibleDateIsSaidAndKeepsTheFocus() {
    Desk& d = *desk_;
    QVERIFY(d.program->Start());
    d.w().show();
    OnNextModal([&d](QWidget* dialog) {
        auto& form = *static_cast<EntryFormDialog*>(dialog);
        Key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), form.dateBox());
        Type("2015/02/30");
        Key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.dateBox());
        QCOMPARE(form.dateBox()->text(), QString("2015/02/30"));
        QCOMPARE(d.dialogs.Infos().back(),
                 std::string(kTypedDateRefusedHeading) + "|" + kTypedDateRefusedText);
        Type("2014/06/03");
        Key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.list(EntryTab::Titles));
        QCOMPARE(form.dateBox()->date(), Date::FromYmd(2014, 6, 3));
    });
    FromLedger(d, Qt::Key_F5, Qt::NoModifier);
}

// The "科目" field shows the title the keys stopped on: seventeen Downs and Space, then Home
// and End, which land on the first and last titles the list shows (blank slots are hidden).
void KeyboardWalkTest::homeEndAndSpaceChooseTheTitleShown() {
    Desk& d = *desk_;
    QVERIFY(d.program->Start());
    d.w().show();
    OnNextModal([](QWidget* dialog) {
        auto& form = *static_cast<EntryFormDialog*>(dialog);
        QListWidget* list = form.list(EntryTab::Titles);
        QCOMPARE(QApplication::focusWidget(), list);
        for (int i = 0; i < 17; ++i) Key(Qt::Key_Down);
        Key(Qt::Key_Space);
        QVERIFY(!TitleField(dialog).isEmpty());
        QCOMPARE(TitleField(dialog), list->currentItem()->text());
        int first = 0;
        int last = list->count() - 1;
        while (list->isRowHidden(first)) ++first;
        while (list->isRowHidden(last)) --last;
        QVERIFY(last > first);
        Key(Qt::Key_End);
        QCOMPARE(list->currentRow(), last);
        QCOMPARE(TitleField(dialog), list->item(last)->text());
        Key(Qt::Key_Home);
        QCOMPARE(list->currentRow(), first);
        QCOMPARE(TitleField(dialog), list->item(first)->text());
        Key(Qt::Key_Space);
        QCOMPARE(TitleField(dialog), list->item(first)->text());
    });
    FromLedger(d, Qt::Key_F5, Qt::NoModifier);
}

// Regression: Enter left the keyboard in the title list, where the next letters typed
// chose another title.
void KeyboardWalkTest::enterTakesTheTitleAndMovesToTheDescription() {
    Desk& d = *desk_;
    QVERIFY(d.program->Start());
    d.w().show();
    OnNextModal([](QWidget* dialog) {
        auto& form = *static_cast<EntryFormDialog*>(dialog);
        QListWidget* list = form.list(EntryTab::Titles);
        QCOMPARE(QApplication::focusWidget(), list);
        Key(Qt::Key_Down);
        Key(Qt::Key_Down);
        const QString chosen = list->currentItem()->text();
        Key(Qt::Key_Return);
        QCOMPARE(TitleField(dialog), chosen);
        QCOMPARE(QApplication::focusWidget(), form.descriptionBox());
        Type("pen");
        QCOMPARE(form.descriptionBox()->text(), QString("pen"));
        QCOMPARE(TitleField(dialog), chosen);
    });
    FromLedger(d, Qt::Key_F5, Qt::NoModifier);
}

void KeyboardWalkTest::enterPressesTheFocusedButton() {
    Desk& d = *desk_;
    QVERIFY(d.program->Start());
    d.w().show();
    const std::size_t before = d.app().session().ledger.transactions.Count();
    OnNextModal([](QWidget* dialog) {
        auto& form = *static_cast<EntryFormDialog*>(dialog);
        Key(Qt::Key_Down);  // a title
        Key(Qt::Key_Tab);
        Type("pen");
        Key(Qt::Key_Tab);
        Key(Qt::Key_Tab);
        Type("150");
        Key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.registerButton());
        Key(Qt::Key_Return);
        QTRY_VERIFY(QApplication::focusWidget() != form.registerButton());
    });
    FromLedger(d, Qt::Key_F5, Qt::NoModifier);
    QCOMPARE(d.app().session().ledger.transactions.Count(), before + 1);
}

void KeyboardWalkTest::theSettingsSpeakJapaneseAndApplyKeepsTheMonth() {
    Desk& d = *desk_;
    QVERIFY(d.program->Start());
    d.w().show();
    QTabBar* months = d.w().findChild<LedgerPage*>()->monthTabs();
    const QString shown = months->tabText(months->currentIndex());
    OnNextModal([](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("環境設定"));
        const auto locks = dialog->findChildren<QCheckBox*>(QRegularExpression("^periodLock\\d+$"));
        QCOMPARE(locks.size(), 12);
        for (QCheckBox* box : locks) QCOMPARE(box->text(), QString("固定"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("applyButton"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    });
    FromLedger(d, Qt::Key_G, Qt::ControlModifier);
    // "適用" keeps the month shown.
    QCOMPARE(months->tabText(months->currentIndex()), shown);
}

// January shown (not the calendar's month); "環境設定" opened with Ctrl+G and closed with Esc:
// the month tab, the calendar and the status bar stay as they were.
void KeyboardWalkTest::escLeavesTheSettingsAndTheMonthShownAsTheyWere() {
    Desk& d = *desk_;
    QVERIFY(d.program->Start());
    d.w().show();
    QTabBar* months = d.w().findChild<LedgerPage*>()->monthTabs();
    int january = -1;
    for (int tab = 0; tab < months->count(); ++tab)
        if (months->tabText(tab) == QString::fromUtf8("1月")) january = tab;
    QVERIFY(january > 0);
    QTest::mouseClick(months, Qt::LeftButton, {}, months->tabRect(january).center());
    auto panels = [&d] {
        QStringList texts;
        for (QLabel* panel : d.w().statusBar()->findChildren<QLabel*>()) texts << panel->text();
        return texts;
    };
    const QStringList before = panels();
    QVERIFY(before.contains("1"));
    const Date selected = d.app().view().calendar.selected;
    OnNextModal([](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("環境設定"));
        Key(Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
    });
    FromLedger(d, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(months->currentIndex(), january);
    QCOMPARE(panels(), before);
    QVERIFY(d.app().view().calendar.selected == selected);
}

// Delete on a record row of the grid asks as the entry form's "削  除" does: No keeps the
// record, Yes deletes it (Ctrl+Z brings it back); on a carry row it says to choose a record
// to delete (it said to choose one to change).
void KeyboardWalkTest::deleteOnTheGridAsksAndDeletesTheRecord() {
    Desk& d = *desk_;
    QVERIFY(d.program->Start());
    d.w().show();
    QTableView* grid = d.w().ledgerGrid();
    QTabBar* months = d.w().findChild<LedgerPage*>()->monthTabs();
    int kRow = -1;
    for (int tab = 1; tab < months->count() && kRow < 0; ++tab) {
        QTest::mouseClick(months, Qt::LeftButton, {}, months->tabRect(tab).center());
        const auto& rows = d.app().ledgerView().rows;
        for (std::size_t i = 0; i < rows.size() && kRow < 0; ++i)
            if (rows[i].RecordIndex()) kRow = static_cast<int>(i);
    }
    QVERIFY(kRow >= 0);
    const LineList& list = d.app().session().ledger.transactions;
    const int count = list.Count();
    const int index = *d.app().ledgerView().rows[static_cast<std::size_t>(kRow)].RecordIndex();
    const std::string line = list[index];
    const RecordSplit record(line);
    const std::string heading = std::string(record[kFieldDate]) + ":" +
                                std::string(record[kFieldTitle]) + " " +
                                std::string(record[kFieldDescription]);
    QApplication::setActiveWindow(&d.w());
    grid->setFocus();
    grid->selectRow(kRow);
    d.dialogs.yesNoAnswers = {false, true};
    d.dialogs.Clear();
    Key(Qt::Key_Delete);
    QCOMPARE(list.Count(), count);
    Key(Qt::Key_Delete);
    QCOMPARE(list.Count(), count - 1);
    QCOMPARE(d.dialogs.Log(),
             (std::vector<std::string>{"yesno:" + heading + "|削除していいですか？",
                                       "yesno:" + heading + "|削除していいですか？"}));
    QVERIFY(d.app().session().modified);
    QCOMPARE(QApplication::focusWidget(), grid);
    Key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(list[index], line);
    // The carry row above the records carries none.
    grid->selectRow(0);
    d.dialogs.Clear();
    Key(Qt::Key_Delete);
    QCOMPARE(d.dialogs.Infos(),
             std::vector<std::string>{"確認してください。|削除するデータを選択してください。"});
}

QTEST_MAIN(KeyboardWalkTest)
#include "keyboard_walk_test.moc"
