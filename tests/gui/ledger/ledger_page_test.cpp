// The ledger page, the left pane and the book and title dialogs on the real program: the
// grid shows the core's rows, the searches run through the real actions and dialogs, the
// calendar chooses days and toggles holidays, and books are added, renamed and deleted
// through their dialogs. With VELMORA_SCREENSHOT_DIR set, the window and the dialogs are
// saved there as PNG files on the way.
#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "core/app/command_table.h"
#include "core/ledgerview/ledger_view.h"
#include "core/settings/title_file.h"
#include "gui/app/desktop_program.h"
#include "gui/app/ui_setup.h"
#include "gui/ledger/ledger_model.h"
#include "gui/ledger/ledger_page.h"
#include "gui/ledger/left_pane.h"
#include "gui/mainwindow/main_window.h"
#include "gui/widgets/month_calendar.h"
#include "gui/widgets/numeric_edit.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

using namespace velmora;
using namespace velmora::gui;
using velmora::testing::ScriptedDialogs;
using velmora::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

using Rows = std::vector<std::string>;

// Fiscal 2014 from April, cash book opening 10000; petty-cash book 本店 (5000) and bank
// book 第一銀行 (100000) with transfers from the cash book to both.
struct Desk {
    Desk() {
        fs::copy_file(velmora::testing::FixturePath("ledger/books2014.exv"), file);
        ProgramOptions o;
        o.today = Date::Parse("2014/04/10");
        o.file = file;
        program = std::make_unique<DesktopProgram>(
            DesktopFolders{work, qEnvironmentVariable("VELMORA_DATA_DIR").toStdString()}, o,
            dialogs);
        // Every test also checks the grid's model against Qt's rules for models.
        modelTester = std::make_unique<QAbstractItemModelTester>(
            page().model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    TempFolder folder;
    std::string work = folder.Path() + "/work";
    std::string file = folder.Path() + "/books.exv";
    ScriptedDialogs dialogs;
    std::unique_ptr<DesktopProgram> program;
    std::unique_ptr<QAbstractItemModelTester> modelTester;

    Application& app() { return program->app(); }
    MainWindow& w() { return program->window(); }
    LedgerPage& page() { return *w().findChild<LedgerPage*>(); }
    LeftPane& pane() { return *qobject_cast<LeftPane*>(w().leftPane()); }

    // The written rows of the grid, "marker|date|title|description|income|expense|balance".
    Rows Grid() {
        LedgerModel& m = *page().model();
        Rows rows;
        for (int r = 0; r < m.WrittenRows(); ++r) {
            QStringList cells;
            for (int c = 0; c <= 6; ++c) cells << m.index(r, c).data().toString();
            rows.push_back(cells.join('|').toStdString());
        }
        return rows;
    }
    Rows BookBalances() {
        QTableWidget* g = pane().bookBalances();
        Rows rows;
        for (int r = 0; r < g->rowCount(); ++r)
            rows.push_back((g->item(r, 1)->text() + "=" + g->item(r, 2)->text()).toStdString());
        return rows;
    }
    void Shot(const char* name) {
        const QString dir = qEnvironmentVariable("VELMORA_SCREENSHOT_DIR");
        if (!dir.isEmpty()) program->SaveScreenshot(dir + "/" + name);
    }
};

void Shot(QWidget* widget, const char* name) {
    const QString dir = qEnvironmentVariable("VELMORA_SCREENSHOT_DIR");
    if (!dir.isEmpty()) widget->grab().save(dir + "/" + name);
}

// Runs act on the modal window that opens next, from inside its event loop.
void OnNextModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        act(modal);
    });
}

void Click(QWidget* window, const char* button) {
    auto* b = window->findChild<QAbstractButton*>(button);
    QVERIFY2(b, button);
    b->click();
}

void DoubleClickCell(QTableView* grid, int row, int column) {
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

// Fills the book data dialog and presses "実　行".
void FillBookData(QWidget* box, const char* name, const char* balance) {
    QCOMPARE(box->objectName(), QString("bookDataDialog"));
    auto* edit = box->findChild<QLineEdit*>("bookName");
    edit->selectAll();
    // Typed as the input method hands over a word: one key event carrying its text.
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8(name));
    QApplication::sendEvent(edit, &typed);
    auto* amount = box->findChild<NumericEdit*>("openingBalance");
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, balance);
    Click(box, "ok");
}

}  // namespace

class LedgerPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpJapaneseUi(*qApp); }
    void theGridShowsTheCoreRows();
    void searchesThroughTheActionsAndTheCalendar();
    void booksAreAddedRenamedAndDeletedThroughTheDialogs();
    void titlesAreEditedAndTheTitleListFollows();
};

void LedgerPageTest::theGridShowsTheCoreRows() {
    Desk d;
    QVERIFY(d.program->Start());
    d.w().show();
    QVERIFY(QTest::qWaitForWindowExposed(&d.w()));
    QTableView* grid = d.w().ledgerGrid();
    QCOMPARE(d.Grid(), (Rows{
                           "+|||■前年度繰越|||10,000",
                           "+|04月01日(火)|交通費|バス代||220|9,780",
                           "+|04月03日(木)|小口|小口へ補充　《本店》||3,000|6,780",
                           "+||売上|店頭売上|1,500||8,280",
                           "+|04月10日(木)|消耗品費|封筒||500|7,780",
                           "+|04月15日(火)|預金|預け入れ　《第一銀行》||2,000|5,780",
                           "+|04月25日(金)|消耗品費|封筒大||1,500|4,280",
                           "+|||【当月合計】|1,500|7,220|",
                           "=|||□次月繰越|||4,280",
                       }));
    // Padded with empty rows to the window's height; column 7 hidden; row 1 selected.
    QVERIFY(grid->model()->rowCount() > 9);
    QVERIFY(grid->model()->index(9, 3).data().toString().isEmpty());
    QVERIFY(grid->isColumnHidden(kHiddenLedgerColumn));
    QCOMPARE(grid->currentIndex().row(), 0);
    QCOMPARE(d.w().findChild<QLabel*>("searchRange")->text(),
             QString("2014年04月01日～2014年04月30日"));
    QCOMPARE(d.w().findChild<QLabel*>("totalExpense")->text(), QString("7,220"));
    QCOMPARE(d.w().findChild<QLabel*>("bookHeading")->text(), QString("現金出納帳   "));
    d.Shot("ledger-month.png");

    // Filtered by a click in the title list: the account filter, carries gone, the
    // balance the running sum of the rows shown, the end mark after the totals.
    QListWidget* titles = d.pane().titleList();
    QListWidgetItem* supplies = titles->findItems("消耗品費", Qt::MatchExactly).front();
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                      titles->visualItemRect(supplies).center());
    QCOMPARE(d.Grid(), (Rows{
                           "-|04月10日(木)|消耗品費|封筒||500|-500",
                           "-|04月25日(金)|消耗品費|封筒大||1,500|-2,000",
                           "+|||【合  計】|0|2,000|",
                           "=||||||",
                       }));
    // "ALL" is allowed under an account filter: every month.
    d.page().monthTabs()->setCurrentIndex(0);
    QCOMPARE(d.Grid().size(), std::size_t{5});
    QCOMPARE(d.w().findChild<QLabel*>("searchRange")->text(), QString("全期間検索"));
    d.Shot("ledger-filtered.png");
    d.w().action("searchClear")->trigger();
    // Without one it is refused and the month shown stays.
    d.dialogs.Clear();
    d.page().monthTabs()->setCurrentIndex(0);
    QCOMPARE(d.dialogs.Infos(), Rows{"確認|全月表示は科目検索時のみ使用できます。"});
    QCOMPARE(d.page().monthTabs()->currentIndex(), 1);

    // The all-books view: every book's own records, no transfer between kinds.
    d.w()
        .findChild<QCheckBox*>(QString::fromUtf8(kAllBooksCheck.data(), kAllBooksCheck.size()))
        ->setChecked(true);
    d.w().action("target_Notes")->trigger();
    QCOMPARE(d.Grid(), (Rows{
                           "+|04月01日(火)|交通費|バス代||220|9,780",
                           "+|04月03日(木)|売上|店頭売上|1,500||8,280",
                           "+|04月10日(木)|消耗品費|封筒||500|7,780",
                           "+|04月12日(土)|消耗品費|文具||300|7,700",
                           "+|04月20日(日)|受取利息|利息|12||102,012",
                           "+|04月25日(金)|消耗品費|封筒大||1,500|4,280",
                           "+|||【当月合計】|1,512|2,520|",
                           "=|||□次月繰越|||0",
                       }));
    QCOMPARE(d.w().findChild<QLabel*>("bookHeading")->text(), QString("全帳簿 : "));
    d.Shot("ledger-all-books.png");
}

void LedgerPageTest::searchesThroughTheActionsAndTheCalendar() {
    Desk d;
    QVERIFY(d.program->Start());
    d.w().show();
    // "科目検索": slot 10 of the shipped titles is 消耗品費 (column 1, row 10).
    OnNextModal([](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), QString("titleMasterDialog"));
        QVERIFY(!dialog->findChild<QAbstractButton*>("update")->isVisible());
        Shot(dialog, "titles-search.png");
        DoubleClickCell(dialog->findChild<QTableWidget*>("titleGrid"), 10, 1);
    });
    d.w().action("searchKamoku")->trigger();
    QCOMPARE(d.app().session().accountFilter, std::string("消耗品費"));
    QCOMPARE(d.Grid().size(), std::size_t{4});
    // "摘要で検索(部分一致)" on the first row starts with its description.
    d.dialogs.textAnswers = {std::string("大")};
    d.w().action("searchItem")->trigger();
    QCOMPARE(d.dialogs.events.back().text, std::string("封筒"));
    QCOMPARE(d.Grid(), (Rows{
                           "-|04月25日(金)|消耗品費|封筒大||1,500|-1,500",
                           "+|||【合  計】|0|1,500|",
                           "=||||||",
                       }));
    // An amount typed with a thousands separator finds the stored amount.
    d.dialogs.textAnswers = {std::string("1,500")};
    d.w().action("searchOutcome")->trigger();
    QCOMPARE(d.Grid().size(), std::size_t{3});
    d.dialogs.Clear();
    d.w().action("searchPreview")->trigger();
    QCOMPARE(d.dialogs.Infos(), Rows{"確認|現在の検索条件は下記です。\r\n"
                                     "----------------------------------------------------\r\n"
                                     "科  目:消耗品費\r\n摘  要:大\r\n収入金額:\r\n支出金額:1500"});
    // Esc ends every search: the month's carries are back.
    QApplication::setActiveWindow(&d.w());
    d.w().ledgerGrid()->setFocus();
    QTest::keyClick(d.w().ledgerGrid(), Qt::Key_Escape);
    QCOMPARE(d.Grid().size(), std::size_t{9});
    QCOMPARE(d.app().session().accountFilter, std::string());

    // The date filter follows a click on the calendar.
    d.w()
        .findChild<QCheckBox*>(
            QString::fromUtf8(kDateSearchCommand.data(), kDateSearchCommand.size()))
        ->setChecked(true);
    MonthCalendar* calendar = d.pane().calendar();
    // April 2014 begins on a Tuesday: panel 3 is the 1st, panel 4 + 1 the 3rd.
    QTest::mouseClick(calendar->dayGrid(), Qt::LeftButton, {}, calendar->PanelRect(4).center());
    QCOMPARE(d.Grid(), (Rows{
                           "+|04月03日(木)|小口|小口へ補充　《本店》||3,000|6,780",
                           "+||売上|店頭売上|1,500||8,280",
                           "+|||【合  計】|1,500|3,000|",
                           "=||||||",
                       }));
    QCOMPARE(d.w().findChild<QLabel*>("searchRange")->text(), QString("2014年04月03日(木)"));

    // Shift+click marks a holiday after its question and writes the file; again removes it.
    d.dialogs.Clear();
    d.dialogs.yesNoAnswers = {true};
    QTest::mouseClick(calendar->dayGrid(), Qt::LeftButton, Qt::ShiftModifier,
                      calendar->PanelRect(30).center());
    QCOMPARE(d.dialogs.events.front().text, std::string("4月29日を休日として再設定しますか？"));
    QCOMPARE(d.pane().holidayList()->item(0)->text(), QString("04,29,"));
    QCOMPARE(calendar->layout().panels[30].text, kHolidayText);
    QCOMPARE(velmora::testing::ReadBytes(d.work + "/config/SDAYLIST.DAT"),
             std::string("04,29,\r\n"));
    d.Shot("calendar-holidays.png");
    d.dialogs.Clear();
    QTest::mouseClick(calendar->dayGrid(), Qt::LeftButton, Qt::ShiftModifier,
                      calendar->PanelRect(30).center());
    QCOMPARE(d.dialogs.events.front().text, std::string("4月29日を平日として再設定しますか？"));
    QCOMPARE(d.pane().holidayList()->count(), 0);
    // ">>" steps the calendar only.
    QTest::mouseClick(calendar->findChild<QAbstractButton*>("nextMonth"), Qt::LeftButton);
    QCOMPARE(calendar->findChild<QLabel*>("monthHeading")->text(), QString("2014年05月01日"));
}

void LedgerPageTest::booksAreAddedRenamedAndDeletedThroughTheDialogs() {
    Desk d;
    QVERIFY(d.program->Start());
    d.w().show();
    const Rows before{"現金|現金出納帳=4,280", "小口|本店=7,700", "預金|第一銀行=102,012"};
    QCOMPARE(d.BookBalances(), before);
    OnNextModal([&d](QWidget* list) {
        QCOMPARE(list->objectName(), QString("bookListDialog"));
        QCOMPARE(list->findChild<QLabel*>("title")->text(), QString("小口現金帳簿選択"));
        auto* grid = list->findChild<QTableWidget*>("bookGrid");
        // Add, refused first for a name that is there, then accepted.
        // The refusal leaves the dialog open with what was typed; "キャンセル" closes it.
        OnNextModal([](QWidget* box) {
            FillBookData(box, "本店", "1");
            QVERIFY(box->isVisible());
            QCOMPARE(box->findChild<QLineEdit*>("bookName")->text(), QString("本店"));
            Click(box, "cancel");
        });
        Click(list, "add");
        QCOMPARE(d.dialogs.Infos(), Rows{"確認してください。|同じ名前の帳簿が存在します。"});
        OnNextModal([](QWidget* box) {
            Shot(box, "book-data-dialog.png");
            FillBookData(box, "支店", "2500");
        });
        Click(list, "add");
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->item(1, 1)->text(), QString("支店"));
        QCOMPARE(grid->item(1, 2)->text(), QString("¥2,500"));
        Shot(list, "book-list-dialog.png");
        // Rename the first book through the pop-up menu; its records follow.
        grid->selectRow(0);
        OnNextModal([](QWidget* box) {
            QCOMPARE(box->findChild<QLineEdit*>("bookName")->text(), QString("本店"));
            FillBookData(box, "本社", "6000");
        });
        grid->actions()[1]->trigger();
        QCOMPARE(grid->item(0, 1)->text(), QString("本社"));
        // Delete it: the question, then its records go, transfers included.
        d.dialogs.yesNoAnswers = {true};
        grid->actions()[2]->trigger();
        QCOMPARE(d.dialogs.events.back().text, std::string("本社を削除していいですか？"));
        QCOMPARE(grid->rowCount(), 1);
        Click(list, "select");
    });
    d.w().action("note2")->trigger();
    QCOMPARE(d.w().statusPanel(0)->text(), QString("小口"));
    QCOMPARE(d.w().statusPanel(1)->text(), QString("支店"));
    // The cash book lost its transfer to the deleted book: 3,000 more.
    QCOMPARE(d.BookBalances(),
             (Rows{"現金|現金出納帳=7,280", "小口|支店=2,500", "預金|第一銀行=102,012"}));
    // "キャンセル" keeps the book shown.
    OnNextModal([](QWidget* list) { Click(list, "cancel"); });
    d.w().action("note3")->trigger();
    QCOMPARE(d.w().statusPanel(1)->text(), QString("支店"));
}

void LedgerPageTest::titlesAreEditedAndTheTitleListFollows() {
    Desk d;
    QVERIFY(d.program->Start());
    d.w().show();
    OnNextModal([&d](QWidget* dialog) {
        QCOMPARE(dialog->findChild<QLabel*>("heading")->text(), QString("科目設定"));
        auto* grid = dialog->findChild<QTableWidget*>("titleGrid");
        // Slot 46 (column 4, row 1): nine full-width characters typed keep eight.
        OnNextModal([](QWidget* box) {
            QCOMPARE(box->objectName(), QString("titleEditDialog"));
            auto* edit = box->findChild<QLineEdit*>("edit");
            QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, "一二三四五六七八九");
            QApplication::sendEvent(edit, &typed);
            QCOMPARE(edit->text(), QString("一二三四五六七八"));
            QCOMPARE(edit->cursorPosition(), 8);
            Click(box, "ok");
        });
        DoubleClickCell(grid, 1, 4);
        QCOMPARE(grid->item(1, 4)->text(), QString("一二三四五六七八"));
        Shot(dialog, "titles-edit.png");
        Click(dialog, "update");
        QCOMPARE(d.dialogs.Infos().back(), std::string("確認|科目設定を更新しました。"));
    });
    d.w().action("masterKamoku")->trigger();
    QListWidget* titles = d.pane().titleList();
    QCOMPARE(titles->count(), kTitleSlots);
    QCOMPARE(titles->item(45)->text(), QString("一二三四五六七八"));
}

QTEST_MAIN(LedgerPageTest)
#include "ledger_page_test.moc"
