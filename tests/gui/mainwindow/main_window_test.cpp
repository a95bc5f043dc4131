// The main window: its actions, menus and ribbon against the command tables, its keys, and
// the program's life cycle from a first start to the close question.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QSignalSpy>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

#include "core/app/command_table.h"
#include "core/ledger/backup_list.h"
#include "core/platform/file_io.h"
#include "core/session/file_commands.h"
#include "core/settings/placement.h"
#include "gui/app/desktop_program.h"
#include "gui/ledger/ledger_page.h"
#include "gui/ledger/left_pane.h"
#include "gui/mainwindow/main_window.h"
#include "gui/support/real_boxes.h"
#include "gui/widgets/month_calendar.h"
#include "qtprint/qt_text.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

using namespace velmora;
using namespace velmora::gui;
using velmora::testing::ScriptedDialogs;
using velmora::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

ProgramOptions OnDay(const char* today, std::optional<std::string> file = std::nullopt) {
    ProgramOptions o;
    o.today = Date::Parse(today);
    o.file = std::move(file);
    return o;
}

struct Desk {
    explicit Desk(ProgramOptions options = OnDay("2014/06/10"))
        : program(DesktopFolders{work, qEnvironmentVariable("VELMORA_DATA_DIR").toStdString()},
                  options, dialogs) {}
    TempFolder folder;
    std::string work = folder.Path() + "/work";
    ScriptedDialogs dialogs;
    DesktopProgram program;
    MainWindow& w() { return program.window(); }

    std::string CopyExample(const std::string& name) const {
        const std::string path = folder.Path() + "/" + name;
        fs::copy_file(velmora::testing::FixturePath("ledger/example2014.exv"), path);
        return path;
    }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void actionsMenusAndRibbonFollowTheCommandTable();
    void windowKeysWinOverTheFocusedControl();
    void theSummaryPageGreysTheEditMenuAndHidesTheLeftPane();
    void firstStartMakesTheWorkingFolderAndAsksForThePeriods();
    void startWithTheLastFileAndCloseWithEachAnswer();
    void enterDoesNotOverwriteAFileAnotherProgramChanged();
    void aSavedBackupCanBeRestoredFromItsMenu();
    void undoAndRedoKeysFollowTheHistory();
    void theRibbonAndTheCalendarTakeTheKeyboard();
    void escapeLeavesTheMenusBeforeItClearsTheSearch();
    void everyRibbonGroupLabelShowsWhole();

private:
    void RibbonLabelsShowWhole();

private slots:
    void aNewStartMonthRebuildsTheMonthTabs();
    void helpShowsTheShippedManualInAWindowOfItsOwn();
};

void MainWindowTest::actionsMenusAndRibbonFollowTheCommandTable() {
    Desk d;
    MainWindow& w = d.w();
    for (const CommandInfo& c : MainCommands()) {
        QAction* a = w.action(c.name);
        QVERIFY2(a, std::string(c.name).c_str());
        QCOMPARE(a->text().section('\t', 0, 0), Q(c.caption));
        QCOMPARE(a->shortcut(), QKeySequence(Q(c.key)));
    }
    // One key, one action of the window, whichever way its table spells the key.
    QSet<QString> keys;
    for (QAction* a : w.actions())
        for (const QKeySequence& key : a->shortcuts()) {
            QVERIFY2(!keys.contains(key.toString()), qPrintable(key.toString()));
            keys.insert(key.toString());
        }
    // The menu bar: menus in order, items and separators in order.
    const QList<QAction*> bar = w.menuBar()->actions();
    QCOMPARE(bar.size(), static_cast<qsizetype>(MainMenus().size()));
    for (std::size_t m = 0; m < MainMenus().size(); ++m) {
        const MenuInfo& info = MainMenus()[m];
        QCOMPARE(bar[static_cast<qsizetype>(m)]->text(), Q(info.caption));
        const QList<QAction*> items = bar[static_cast<qsizetype>(m)]->menu()->actions();
        QCOMPARE(items.size(), static_cast<qsizetype>(info.entries.size()));
        for (std::size_t i = 0; i < info.entries.size(); ++i) {
            const MenuEntry& e = info.entries[i];
            QAction* item = items[static_cast<qsizetype>(i)];
            if (e.command == "-") {
                QVERIFY(item->isSeparator());
            } else if (e.command.empty()) {
                QCOMPARE(item->text().section('\t', 0, 0), Q(e.submenuCaption));
                QCOMPARE(item->menu()->actions().size(), static_cast<qsizetype>(e.submenu.size()));
                for (std::size_t s = 0; s < e.submenu.size(); ++s)
                    QCOMPARE(item->menu()->actions()[static_cast<qsizetype>(s)],
                             w.action(e.submenu[s]));
            } else {
                QCOMPARE(item, w.action(e.command));
            }
        }
    }
    // Every ribbon button triggers its command's action; picture buttons show its caption
    // as their tooltip and a picture.
    int buttons = 0;
    for (const RibbonPageInfo& page : RibbonPages())
        for (const RibbonGroup& g : page.groups)
            for (const RibbonControl& c : g.controls) {
                if (c.checkBox) continue;
                const QList<QToolButton*> found =
                    w.ribbon()->findChildren<QToolButton*>("ribbon_" + Q(c.command));
                QVERIFY2(!found.isEmpty(), std::string(c.command).c_str());
                QToolButton* b = found.front();
                QVERIFY2(!b->icon().isNull(), std::string(c.command).c_str());
                if (c.caption.empty())
                    QCOMPARE(b->toolTip(), Q(FindCommand(c.command)->caption));
                else
                    QCOMPARE(b->text(), Q(c.caption));
                // The spy alone listens: the command itself is not run here.
                QObject::disconnect(w.action(c.command), &QAction::triggered, nullptr, nullptr);
                QSignalSpy spy(w.action(c.command), &QAction::triggered);
                b->click();
                QCOMPARE(spy.count(), 1);
                ++buttons;
            }
    QCOMPARE(buttons, 32);
}

void MainWindowTest::windowKeysWinOverTheFocusedControl() {
    Desk d(OnDay("2014/06/10", std::nullopt));
    const std::string file = d.CopyExample("a.exv");
    Desk e(OnDay("2014/06/10", file));
    QVERIFY(e.program.Start());
    MainWindow& w = e.w();
    QApplication::setActiveWindow(&w);
    w.ledgerGrid()->setFocus();
    e.dialogs.Clear();
    // Ctrl+A selects all in a grid, but here it is "名前をつけて保存".
    QTest::keyClick(w.ledgerGrid(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(e.dialogs.fileRequests.size(), std::size_t{1});
    QCOMPARE(e.dialogs.events.front().kind, std::string("saveas"));
    // PgDn selects the row above the closing carry.
    QTest::keyClick(w.ledgerGrid(), Qt::Key_PageDown);
    QCOMPARE(w.ledgerGrid()->currentIndex().row() + 1, e.program.app().books().LastRowToSelect());
    QTest::keyClick(w.ledgerGrid(), Qt::Key_PageUp);
    QCOMPARE(w.ledgerGrid()->currentIndex().row(), 0);
}

void MainWindowTest::theSummaryPageGreysTheEditMenuAndHidesTheLeftPane() {
    Desk d;
    QVERIFY(d.program.Start());
    MainWindow& w = d.w();
    QMenu* edit = w.menu(kEditMenuCaption);
    QVERIFY(edit->isEnabled());
    QApplication::setActiveWindow(&w);
    w.ribbon()->setCurrentIndex(static_cast<int>(RibbonPage::Summary));
    QVERIFY(!edit->isEnabled());
    QVERIFY(!w.leftPane()->isVisible());
    QCOMPARE(w.mainPages()->currentIndex(), static_cast<int>(MainPage::Summary));
    // The greyed commands do not answer their keys either: F5 opens no entry form and
    // Ctrl+F5 asks for no row.
    QStringList opened;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened << modal->objectName();
            modal->close();
        }
    });
    watch.start(20);
    d.dialogs.Clear();
    for (const QKeyCombination key :
         {QKeyCombination(Qt::Key_F5), QKeyCombination(Qt::ControlModifier, Qt::Key_F5),
          QKeyCombination(Qt::ControlModifier, Qt::Key_B)}) {
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }
    watch.stop();
    QCOMPARE(opened, QStringList());
    QVERIFY(d.dialogs.events.empty());
    QVERIFY(!w.action("datainput")->isEnabled());
    QVERIFY(w.action("filesave")->isEnabled());
    w.ribbon()->setCurrentIndex(static_cast<int>(RibbonPage::Ledger));
    QVERIFY(edit->isEnabled());
    QVERIFY(w.action("datainput")->isEnabled());
    QVERIFY(w.leftPane()->isVisible());
    // The splitter never leaves the pane at width 0.
    w.splitter()->setSizes({0, 1200});
    QVERIFY(w.splitter()->sizes().front() >= 1);
}

void MainWindowTest::firstStartMakesTheWorkingFolderAndAsksForThePeriods() {
    Desk d;
    QVERIFY(!fs::exists(d.work));
    QVERIFY(d.program.Start());
    for (const char* sub : {"cldata", "style", "config", "ini"})
        QVERIFY(fs::is_directory(d.work + "/" + sub));
    QVERIFY(fs::exists(d.work + "/cldata/kamoku1.dat"));
    QVERIFY(!fs::is_empty(d.work + "/style"));
    QCOMPARE(d.dialogs.Infos(),
             std::vector<std::string>{"確認|環境設定にて開始月と締日を設定して下さい"});
    MainWindow& w = d.w();
    QCOMPARE(w.statusPanel(0)->text(), QString("現金"));
    QCOMPARE(w.statusPanel(1)->text(), QString("現金出納帳"));
    QCOMPARE(w.statusPanel(3)->text(), QString());
    QCOMPARE(w.windowTitle(), QString("現金出納帳5-Velmora Version5"));
    QVERIFY(w.width() >= kMinimumWindowWidth && w.height() >= kMinimumWindowHeight);
}

void MainWindowTest::startWithTheLastFileAndCloseWithEachAnswer() {
    TempFolder keep;
    std::string file;
    std::string work;
    {
        Desk first;
        work = first.work;
        file = first.CopyExample("b.exv");
        fs::copy_file(file, keep.File("b.exv"));
        file = keep.File("b.exv");
    }
    // A working folder whose backup list names the last file.
    Desk d;
    fs::create_directories(d.work + "/ini");
    BackupList list;
    list.lastFilename = file;
    WriteBackupList(d.work, list, DefaultFileWriter());
    QVERIFY(d.program.Start());
    MainWindow& w = d.w();
    QCOMPARE(w.statusPanel(3)->text(), QString::fromStdString(file));
    QCOMPARE(w.windowTitle(), QString::fromStdString("現金出納帳5-Velmora Version5 - " + file));
    QVERIFY(w.ledgerGrid()->model()->rowCount() > 2);
    const std::string before = velmora::testing::ReadBytes(file);

    Application& app = d.program.app();
    QVERIFY(app.books().AddBook("預金", "A銀行", Amount()));  // a change to ask about
    QVERIFY(d.program.app().session().modified);
    QVERIFY(w.windowTitle().endsWith(" *"));

    d.dialogs.saveAnswers = {SaveAnswer::Cancel};
    QVERIFY(!w.close());
    QVERIFY(fs::exists(PlacementPath(d.work, kMainWindowKey)));
    QVERIFY(fs::exists(d.work + "/ini/display2.dat"));
    QCOMPARE(velmora::testing::ReadBytes(file), before);

    d.dialogs.saveAnswers = {SaveAnswer::Yes};
    QVERIFY(w.close());
    QVERIFY(!d.program.app().session().modified);
    const BackupList saved = ReadBackupList(d.work);
    QVERIFY(saved.entries[0].caption != kEmptyBackupCaption);
    QCOMPARE(saved.lastFilename, file);
    const Placement p = LoadPlacement(d.work, kMainWindowKey);
    QCOMPARE(p.width, w.width());
}

void MainWindowTest::enterDoesNotOverwriteAFileAnotherProgramChanged() {
    TempFolder folder;
    const std::string file = folder.File("d.exv");
    fs::copy_file(velmora::testing::FixturePath("ledger/example2014.exv"), file);
    velmora::testing::RealBoxes dialogs;
    DesktopProgram program(DesktopFolders{folder.Path() + "/work",
                                          qEnvironmentVariable("VELMORA_DATA_DIR").toStdString()},
                           OnDay("2014/06/10", file), dialogs);
    QVERIFY(program.Start());
    MainWindow& w = program.window();
    dialogs.boxes.setOwner(&w);
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.ledgerGrid()->setFocus();
    // Another program rewrites the file.
    const std::string other = velmora::testing::ReadBytes(file) + "\r\n";
    velmora::testing::WriteBytes(file + ".new", other);
    fs::rename(file + ".new", file);

    QString asked;
    QString then;
    velmora::testing::WhenBoxOpens("velmoraYesNo", [&](QMessageBox* box) {
        asked = box->text();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    velmora::testing::WhenBoxOpens("velmoraSave", [&](QMessageBox* box) {
        then = box->text();
        QTest::mouseClick(box->findChild<QPushButton*>("button3"), Qt::LeftButton);
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(asked.contains(Q(kChangedOnDiskQuestion)));
    QVERIFY(then.startsWith(
        QString::fromUtf8("他のプログラムが変更したファイルは上書きしませんでした。")));
    QCOMPARE(velmora::testing::ReadBytes(file), other);
    QVERIFY(program.app().session().modified);
}

void MainWindowTest::aSavedBackupCanBeRestoredFromItsMenu() {
    Desk d(OnDay("2014/06/10"));
    const std::string file = d.CopyExample("c.exv");
    Desk e(OnDay("2014/06/10", file));
    QVERIFY(e.program.Start());
    MainWindow& w = e.w();
    QVERIFY(!w.action("back_1")->isEnabled());
    w.action("filesave")->trigger();
    QVERIFY(w.action("back_1")->isEnabled());
    QVERIFY(!w.action("back_2")->isEnabled());
    w.action("back_1")->trigger();
    // Restored: modified, and the next save asks for a name.
    QVERIFY(e.program.app().session().modified);
    QCOMPARE(w.statusPanel(3)->text(), QString());
    QVERIFY(w.ledgerGrid()->model()->rowCount() > 2);
}

void MainWindowTest::undoAndRedoKeysFollowTheHistory() {
    Desk d(OnDay("2014/06/10"));
    const std::string file = d.CopyExample("u.exv");
    Desk e(OnDay("2014/06/10", file));
    QVERIFY(e.program.Start());
    MainWindow& w = e.w();
    Application& app = e.program.app();
    QApplication::setActiveWindow(&w);
    w.ledgerGrid()->setFocus();
    QVERIFY(!w.action(kUndoCommand)->isEnabled());
    const int rows = static_cast<int>(app.ledgerView().rows.size());

    EntryController& entry = app.entry();
    entry.ShowDate(Date::FromYmd(2014, 6, 3));
    entry.TypeTitle("通信費");
    entry.TakeTyped("切手", Amount(), Amount::FromYen(84));
    QVERIFY(entry.Register().stored);
    QCOMPARE(w.action(kUndoCommand)->text(), Q("元に戻す: 登録 2014/06/03 通信費"));
    QCOMPARE(static_cast<int>(app.ledgerView().rows.size()), rows + 1);

    QTest::keyClick(w.ledgerGrid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(static_cast<int>(app.ledgerView().rows.size()), rows);
    QVERIFY(!app.session().modified);
    QVERIFY(!w.action(kUndoCommand)->isEnabled());
    QCOMPARE(w.action(kRedoCommand)->text(), Q("やり直し: 登録 2014/06/03 通信費"));
    QTest::keyClick(w.ledgerGrid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(static_cast<int>(app.ledgerView().rows.size()), rows + 1);
    QVERIFY(app.session().modified);
    QTest::keyClick(w.ledgerGrid(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(w.ledgerGrid(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(static_cast<int>(app.ledgerView().rows.size()), rows + 1);
}

// The labels under the ribbon's groups, the long two-line one included, lie whole inside the
// ribbon's page, in the size of text of a screen at scale 1.5 too.
void MainWindowTest::everyRibbonGroupLabelShowsWhole() {
    const QFont font = QApplication::font();
    for (double scale : {1.0, 1.5}) {
        QFont scaled = font;
        scaled.setPointSizeF(font.pointSizeF() * scale);
        QApplication::setFont(scaled);
        RibbonLabelsShowWhole();
    }
    QApplication::setFont(font);
}

void MainWindowTest::RibbonLabelsShowWhole() {
    Desk d;
    MainWindow& w = d.w();
    w.show();
    QTabWidget* ribbon = w.ribbon();
    for (int page = 0; page < ribbon->count(); ++page) {
        ribbon->setCurrentIndex(page);
        QApplication::processEvents();
        const auto* area = qobject_cast<QScrollArea*>(ribbon->currentWidget());
        QVERIFY(area);
        for (QLabel* label : area->findChildren<QLabel*>("groupLabel")) {
            const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                                 : label->sizeHint().height();
            QVERIFY2(label->height() >= needed, qPrintable(label->text()));
            const QPoint foot = label->mapTo(area->viewport(), QPoint(0, label->height()));
            QVERIFY2(foot.y() <= area->viewport()->height(), qPrintable(label->text()));
        }
    }
}

void MainWindowTest::theRibbonAndTheCalendarTakeTheKeyboard() {
    Desk d(OnDay("2014/06/10", std::nullopt));
    const std::string file = d.CopyExample("a.exv");
    Desk e(OnDay("2014/06/10", file));
    QVERIFY(e.program.Start());
    MainWindow& w = e.w();
    w.show();
    QApplication::setActiveWindow(&w);
    w.ledgerGrid()->setFocus();
    auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    // F6: the page tabs; Right: the page "現金出納帳"; Down: its first button; five on.
    press(Qt::Key_F6);
    QVERIFY(qobject_cast<QTabBar*>(QApplication::focusWidget()));
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("ribbon_datainput"));
    for (int i = 0; i < 5; ++i) press(Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("ribbon_note2"));
    press(Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("ribbon_note1"));
    // F6 again: back to the ledger.
    press(Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.ledgerGrid()));

    // A click on the 11th, then the keys: a day, a week, a month, today.
    auto* pane = static_cast<LeftPane*>(w.leftPane());
    MonthCalendar* calendar = pane->calendar();
    int panel = 0;
    while (calendar->layout().panels[static_cast<std::size_t>(panel)].dayNumber != 11) ++panel;
    QTest::mouseClick(calendar->dayGrid(), Qt::LeftButton, {}, calendar->PanelRect(panel).center());
    QCOMPARE(QApplication::focusWidget(), calendar->dayGrid());
    const Application& app = e.program.app();
    press(Qt::Key_Right);
    QCOMPARE(app.view().calendar.selected.ShortText(), std::string("2014/06/12"));
    press(Qt::Key_Up);
    QCOMPARE(app.view().calendar.selected.ShortText(), std::string("2014/06/05"));
    // PgDn is the calendar's here, not "最終行へ移動".
    press(Qt::Key_PageDown);
    QCOMPARE(app.view().calendar.selected.ShortText(), std::string("2014/07/05"));
    QCOMPARE(app.ledgerView().ledgerTab, 4);
    press(Qt::Key_Home);
    QCOMPARE(app.view().calendar.selected.ShortText(), std::string("2014/06/10"));
}

// Regression: Escape in the menu bar was "検索解除": it cleared the search and left the
// menu bar holding the keyboard.
void MainWindowTest::escapeLeavesTheMenusBeforeItClearsTheSearch() {
    Desk d(OnDay("2014/06/10", std::nullopt));
    const std::string file = d.CopyExample("a.exv");
    Desk e(OnDay("2014/06/10", file));
    QVERIFY(e.program.Start());
    MainWindow& w = e.w();
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* titles = w.leftPane()->findChild<QListWidget*>("titleList");
    const QListWidgetItem* title = titles->findItems("旅費交通費", Qt::MatchExactly).value(0);
    QVERIFY(title);
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                      titles->visualItemRect(title).center());
    const Session& session = e.program.app().session();
    QCOMPARE(QString::fromStdString(session.accountFilter), QString("旅費交通費"));
    // The keyboard is where the user's key goes: an open menu, else the focused control.
    auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* popup = QApplication::activePopupWidget();
        QTest::keyClick(popup ? popup : QApplication::focusWidget(), key, modifiers);
    };
    press(Qt::Key_F, Qt::AltModifier);
    QVERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
    press(Qt::Key_Escape);  // the menu closes; its title stays chosen in the menu bar
    QVERIFY(QApplication::activePopupWidget() == nullptr);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.menuBar()));
    press(Qt::Key_Escape);  // the menu bar gives the keyboard back
    QVERIFY(QApplication::focusWidget() != w.menuBar());
    QCOMPARE(QString::fromStdString(session.accountFilter), QString("旅費交通費"));
    press(Qt::Key_Escape);  // now "検索解除"
    QCOMPARE(QString::fromStdString(session.accountFilter), QString());
}

// The start month changed in "環境設定" by keyboard and applied: the month tabs are in the new
// fiscal order at once, the tab of today's month chosen, its period shown.
void MainWindowTest::aNewStartMonthRebuildsTheMonthTabs() {
    Desk d;
    const std::string file = d.CopyExample("m.exv");
    Desk e(OnDay("2014/06/10", file));
    QVERIFY(e.program.Start());
    MainWindow& w = e.w();
    w.show();
    QApplication::setActiveWindow(&w);
    w.ledgerGrid()->setFocus();
    bool applied = false;
    QTimer::singleShot(0, [&] {
        // The focus starts on the checked start month "4月"; two to the right is "6月".
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("startMonth4"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        auto* apply = dialog->findChild<QPushButton*>("applyButton");
        QVERIFY(apply);
        QTest::mouseClick(apply, Qt::LeftButton);
        applied = !dialog->isVisible();
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::ControlModifier);
    QVERIFY(applied);
    QCOMPARE(e.dialogs.Infos().back(),
             std::string("現金出納帳-Velmora Version5|環境設定を登録しました。"));
    QTabBar* tabs = w.findChild<LedgerPage*>()->monthTabs();
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
    QCOMPARE(captions.join(' '), QString("ALL 6月 7月 8月 9月 10月 11月 12月 1月 2月 3月 4月 5月"));
    QCOMPARE(tabs->tabText(tabs->currentIndex()), QString("6月"));
    QCOMPARE(w.findChild<QLabel*>("searchRange")->text(),
             QString("2014年06月01日～2014年06月30日"));
}

void MainWindowTest::helpShowsTheShippedManualInAWindowOfItsOwn() {
    Desk d;
    QVERIFY(d.program.Start());
    MainWindow& w = d.w();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    // F1, with no web browser involved: the manual with its pictures, offline.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    auto* help = w.findChild<QWidget*>("helpWindow");
    QVERIFY(help != nullptr);
    QVERIFY(help->isVisible());
    auto* manual = help->findChild<QTextBrowser*>("manual");
    QCOMPARE(manual->source().toLocalFile(),
             qEnvironmentVariable("VELMORA_DATA_DIR") + "/help/velmora/index.html");
    QVERIFY(manual->toPlainText().contains("PDFに保存…"));
    const QVariant picture =
        manual->loadResource(QTextDocument::ImageResource, QUrl("images/main-window.png"));
    QVERIFY(!picture.isNull());
    QVERIFY(!QImage::fromData(picture.toByteArray()).isNull());
    for (const std::string& info : d.dialogs.Infos())
        QVERIFY2(info.find("取扱説明書") == std::string::npos, info.c_str());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
