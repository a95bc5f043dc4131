// The settings dialog on a session: its buttons reach the form, refusals keep it open with
// nothing stored, and an accepted Apply stores the periods and writes the settings file.
// With VELMORA_SCREENSHOT_DIR set, the dialog as it opens is saved there as
// settings-dialog.png.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <fstream>
#include <iterator>
#include <memory>

#include "core/session/apply_settings.h"
#include "core/session/file_commands.h"
#include "core/session/session_harness.h"
#include "core/util/codepage.h"
#include "gui/app/ui_setup.h"
#include "gui/settings/settings_dialog.h"
#include "gui/widgets/date_field.h"
#include "gui/widgets/numeric_edit.h"

using namespace velmora;
using velmora::gui::NumericEdit;
using velmora::gui::SettingsDialog;

namespace {

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The example ledger of fiscal 2014 (from April, opening balance 10000) and a settings file
// with a line the dialog does not write.
struct Harness : velmora::testing::SessionHarness {
    Harness() {
        LoadLedger(session, CopyExample("a.exv"));
        std::ofstream(session.SettingsPath(), std::ios::binary)
            << Utf8ToCp932("[COMPANY_NAME]=旧社名\r\n[PRINT_STYLE1]=x\r\n");
        dialogs.Clear();
        form = std::make_unique<FiscalSettingsForm>(*OpenSettingsForm(session));
        dialog = std::make_unique<SettingsDialog>(
            *form, dialogs, [this](auto& applied) { return ApplySettingsForm(session, applied); });
        dialog->show();
    }

    template <typename T>
    T* find(const char* name) const {
        return dialog->findChild<T*>(name);
    }
    int top(const char* name) const { return find<QWidget>(name)->y(); }
    QDate date(const char* name) const {
        const Date d = find<gui::DateField>(name)->date();
        return QDate(d.Year(), d.Month(), d.Day());
    }
    void type(const char* field, const char* keys) {
        auto* edit = find<NumericEdit>(field);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, keys);
    }

    std::unique_ptr<FiscalSettingsForm> form;
    std::unique_ptr<SettingsDialog> dialog;
};

}  // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { gui::SetUpJapaneseUi(*qApp); }

    void refusalsKeepTheDialogOpenAndStoreNothing() {
        Harness h;
        QVERIFY(QTest::qWaitForWindowActive(h.dialog.get()));
        QCOMPARE(h.dialog->windowTitle(), QString("環境設定"));
        QVERIFY(h.find<QRadioButton>("startMonth4")->isChecked());
        QCOMPARE(h.find<NumericEdit>("startYear")->text(), QString("2014"));
        QCOMPARE(h.find<NumericEdit>("openingBalance")->text(), QString("10000"));
        QCOMPARE(h.find<QLineEdit>("companyName")->text(), QString::fromUtf8("旧社名"));
        QVERIFY(!h.find<QLineEdit>("fileToLoad")->isEnabled());
        QVERIFY(!h.find<QPushButton>("chooseFileButton")->isEnabled());
        if (qEnvironmentVariableIsSet("VELMORA_SCREENSHOT_DIR"))
            QVERIFY(h.dialog->grab().save(qEnvironmentVariable("VELMORA_SCREENSHOT_DIR") +
                                          "/settings-dialog.png"));
        const std::string settingsBefore = FileBytes(h.session.SettingsPath());
        const Periods periodsBefore = h.session.ledger.periods;

        h.type("startYear", "2101");
        h.find<QPushButton>("applyButton")->click();
        h.type("startYear", "2014");
        h.type("openingBalance", "500");
        h.dialogs.yesNoAnswers = {false};
        h.find<QPushButton>("applyButton")->click();

        QCOMPARE(h.dialogs.Log(),
                 (std::vector<std::string>{
                     "info:確認してください。|開始年度が大きすぎます。",
                     "yesno:現金出納帳5-Velmora Version5|開始月、開始残高を変更していいですか？"}));
        QVERIFY(h.dialog->isVisible());
        QCOMPARE(h.dialog->result(), 0);
        QCOMPARE(h.session.ledger.startYear, 2014);
        QVERIFY(h.session.ledger.openingBalance == Amount::FromYen(10000));
        QVERIFY(h.session.ledger.periods.start == periodsBefore.start);
        QVERIFY(!h.session.modified);
        QCOMPARE(FileBytes(h.session.SettingsPath()), settingsBefore);
    }

    void aStartMonthRearrangesTheRows() {
        Harness h;
        QCOMPARE(h.top("periodStart4"), 20);
        QCOMPARE(h.top("periodEnd3"), 20 + 30 * 11);
        h.find<gui::DateField>("periodEnd4")->setDate(Date::FromYmd(2014, 4, 20));
        QTest::mouseClick(h.find<QRadioButton>("startMonth4"), Qt::LeftButton);
        QCOMPARE(h.date("periodEnd4"), QDate(2014, 4, 20));  // the checked month: nothing changes
        QTest::mouseClick(h.find<QRadioButton>("startMonth1"), Qt::LeftButton);
        for (const char* name : {"periodLabel1", "periodStart1", "periodEnd1", "periodLock1"})
            QCOMPARE(h.top(name), 20);
        QCOMPARE(h.top("periodStart4"), 110);
        QCOMPARE(h.top("periodLock12"), 350);
        QCOMPARE(h.find<gui::DateField>("periodStart1")->x(),
                 h.find<gui::DateField>("periodStart4")->x());
        QCOMPARE(h.date("periodStart1"), QDate(2014, 1, 1));
        QCOMPARE(h.date("periodEnd2"), QDate(2014, 2, 28));
        QCOMPARE(h.date("periodEnd12"), QDate(2014, 12, 31));
        QCOMPARE(h.find<QLabel>("periodLabel1")->text(), QString::fromUtf8("1月度"));
        QVERIFY(h.dialogs.events.empty());  // no question before a start-month click
        QCOMPARE(h.form->startMonth, 1);
        QCOMPARE(h.session.ledger.startMonth, 4);
    }

    void anAcceptedApplyStoresThePeriodsAndWritesTheSettings() {
        Harness h;
        QVERIFY(QTest::qWaitForWindowActive(h.dialog.get()));
        QTest::mouseClick(h.find<QRadioButton>("startMonth1"), Qt::LeftButton);
        h.find<gui::DateField>("periodEnd1")->setDate(Date::FromYmd(2014, 1, 20));
        h.find<gui::DateField>("periodStart2")->setDate(Date::FromYmd(2014, 1, 21));
        h.find<QCheckBox>("periodLock2")->setChecked(true);
        h.find<QCheckBox>("negativeInRed")->setChecked(true);
        QVERIFY(h.find<QCheckBox>("nationalHolidays")->isChecked());
        auto* holidays = h.find<QCheckBox>("nationalHolidays");
        QTest::mouseClick(holidays, Qt::LeftButton, {}, QPoint(8, holidays->height() / 2));
        QTest::mouseClick(h.find<QRadioButton>("startOption1"), Qt::LeftButton);
        QVERIFY(h.find<QLineEdit>("fileToLoad")->isEnabled());
        h.dialogs.openAnswers = {"/docs/b.exv"};
        h.find<QPushButton>("chooseFileButton")->click();
        QCOMPARE(h.find<QLineEdit>("fileToLoad")->text(), QString("/docs/b.exv"));
        h.find<QLineEdit>("companyName")->setText(QString::fromUtf8("山田商店"));
        h.find<QRadioButton>("useType1")->click();
        h.find<QPushButton>("applyButton")->click();

        QCOMPARE(h.dialogs.Log(),
                 (std::vector<std::string>{
                     "open:|現金出納帳-Velmora Version5(*.exv)|*.exv",
                     "yesno:現金出納帳5-Velmora Version5|開始月、開始残高を変更していいですか？",
                     "info:現金出納帳-Velmora Version5|環境設定を登録しました。"}));
        QCOMPARE(h.dialog->result(), int(QDialog::Accepted));
        QVERIFY(!h.dialog->isVisible());
        const Ledger& ledger = h.session.ledger;
        QCOMPARE(ledger.startMonth, 1);
        QVERIFY(ledger.periods.start[1] == Date::FromYmd(2014, 1, 1));
        QVERIFY(ledger.periods.end[1] == Date::FromYmd(2014, 1, 20));
        QVERIFY(ledger.periods.start[2] == Date::FromYmd(2014, 1, 21));
        QVERIFY(ledger.periods.end[12] == Date::FromYmd(2014, 12, 31));
        QCOMPARE(ledger.periods.lock[2], 1);
        QCOMPARE(ledger.periods.lock[1], 0);
        QCOMPARE(ledger.useType, 2);
        QVERIFY(h.session.modified);
        QCOMPARE(FileBytes(h.session.SettingsPath()),
                 Utf8ToCp932("[FILE_DIR]=/docs/b.exv\r\n[COMPANY_NAME]=山田商店\r\n"
                             "[OPTION2]=TRUE\r\n[OPTION3]=1\r\n[FONT_SIZE]=10\r\n"
                             "[Start_Opt_1]=2\r\n[NATIONAL_HOLIDAYS]=FALSE\r\n"));
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
