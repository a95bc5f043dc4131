// The message boxes and file dialogs as the user meets them, and the Japanese set-up of the
// application.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <optional>

#include "gui/app/qt_dialogs.h"
#include "gui/app/ui_setup.h"

using namespace velmora;
using namespace velmora::gui;

namespace {

// Runs `act` on the next modal window once it is open (the box under test is shown by exec()).
// A box that `act` leaves open fails the test and is shut, so that exec() returns.
void WhenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(modal);
        if (modal->isVisible()) {
            qobject_cast<QDialog*>(modal)->done(QDialog::Rejected);
            QTest::qFail("the dialog stayed open", __FILE__, __LINE__);
        }
    });
    timer->start(5);
}

QPushButton* Button(QWidget* box, const char* name) {
    return box->findChild<QPushButton*>(QLatin1String(name));
}

QString PlainText(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

}  // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setup_ = SetUpJapaneseUi(*qobject_cast<QApplication*>(qApp)); }

    void japaneseSetUp() {
        QVERIFY(!setup_.interfaceFamily.isEmpty());
        QCOMPARE(QApplication::font().family(), setup_.interfaceFamily);
        QCOMPARE(QApplication::font().pointSizeF(), 9.0);
        // Qt keeps substitutes in lower case.
        QCOMPARE(QFont::substitutes(QStringLiteral("ＭＳ Ｐゴシック")),
                 QStringList({"ipaexgothic", "noto sans cjk jp"}));
        QCOMPARE(QFont::substitutes(QStringLiteral("MS PMincho")).value(0), "ipaexmincho");
        // The Windows names reach a Japanese face, not the DejaVu fallback.
        const QString gothic = QFontInfo(QFont(QStringLiteral("ＭＳ ゴシック"))).family();
        QVERIFY2(gothic == "IPAexGothic" || gothic == "Noto Sans CJK JP", qPrintable(gothic));
        QVERIFY(setup_.qtTranslations);
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), "キャンセル");
    }

    void infoBoxShowsHeadingAndTextLines() {
        QtDialogs dialogs;
        bool seen = false;
        WhenModal([&](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            QVERIFY(box != nullptr);
            seen = true;
            QCOMPARE(box->objectName(), "velmoraInfo");
            QCOMPARE(box->windowTitle(), "現金出納帳5-Velmora Version5");
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(PlainText(box->text()), "確認\n金額 <0 は入力できません。\n2行目");
            QCOMPARE(box->buttons().size(), 1);
            QCOMPARE(Button(box, "ok")->text(), "OK");
            Button(box, "ok")->click();
        });
        dialogs.ShowInfo("確認", "金額 <0 は入力できません。\r\n2行目");
        QVERIFY(seen);
    }

    void yesNoAnswers() {
        QtDialogs dialogs;
        const auto ask = [&](std::function<void(QMessageBox*)> answer) {
            WhenModal([answer](QWidget* widget) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                QCOMPARE(box->objectName(), "velmoraYesNo");
                QCOMPARE(box->windowTitle(), "題名");
                QCOMPARE(box->icon(), QMessageBox::Question);
                QCOMPARE(PlainText(box->text()),
                         "バックアップファイルを読み込みますか？\n編集中のデ－タは破棄されます。");
                QCOMPARE(Button(box, "yes")->text(), "はい");
                QCOMPARE(Button(box, "no")->text(), "いいえ");
                answer(box);
            });
            return dialogs.AskYesNo("題名", "バックアップファイルを読み込みますか？",
                                    "編集中のデ－タは破棄されます。");
        };
        QCOMPARE(ask([](QMessageBox* box) { Button(box, "yes")->click(); }), true);
        QCOMPARE(ask([](QMessageBox* box) { Button(box, "no")->click(); }), false);
        QCOMPARE(ask([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }), false);
        QCOMPARE(ask([](QMessageBox* box) { box->close(); }), false);
    }

    void saveQuestionAnswers() {
        QtDialogs dialogs;
        const auto ask = [&](std::function<void(QMessageBox*)> answer) {
            WhenModal([answer](QWidget* widget) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                QCOMPARE(box->objectName(), "velmoraSave");
                QCOMPARE(box->windowTitle(), "現金出納帳5-Velmora Version5");
                QVERIFY(!(box->windowFlags() & Qt::WindowCloseButtonHint));
                QCOMPARE(box->text(), "データが変更されています。\n保存しますか？");
                const QStringList captions{"はい", "いいえ", "キャンセル"};
                for (int i = 0; i < 3; ++i) {
                    QPushButton* button = Button(box, qPrintable(QString("button%1").arg(i + 1)));
                    QCOMPARE(button->text(), captions[i]);
                    QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
                }
                QVERIFY(Button(box, "button1")->x() < Button(box, "button2")->x());
                QVERIFY(Button(box, "button2")->x() < Button(box, "button3")->x());
                answer(box);
            });
            return dialogs.AskSave("データが変更されています。\r\n保存しますか？", "はい", "いいえ",
                                   "キャンセル");
        };
        QCOMPARE(ask([](QMessageBox* box) { Button(box, "button1")->click(); }), SaveAnswer::Yes);
        QCOMPARE(ask([](QMessageBox* box) { Button(box, "button2")->click(); }), SaveAnswer::No);
        QCOMPARE(ask([](QMessageBox* box) { Button(box, "button3")->click(); }),
                 SaveAnswer::Cancel);
        QCOMPARE(ask([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }),
                 SaveAnswer::Cancel);
    }

    void filterFromWindowsForm() {
        QCOMPARE(QtFilterFromWindowsFilter("現金出納帳5-Velmora-ファイル|*.exv"),
                 "現金出納帳5-Velmora-ファイル (*.exv)");
        QCOMPARE(QtFilterFromWindowsFilter("現金出納帳4、5-Velmora-ファイル(*.exv)|*.exv|"
                                           "現金出納帳(1～3)ファイル(*.clv)|*.clv"),
                 "現金出納帳4、5-Velmora-ファイル(*.exv);;現金出納帳(1～3)ファイル(*.clv)");
        QCOMPARE(QtFilterFromWindowsFilter("出納帳スタイル|*.sle|すべてのファイル|*.*"),
                 "出納帳スタイル (*.sle);;すべてのファイル (*.*)");
        QCOMPARE(QtFilterFromWindowsFilter("画像|*.jpg;*.bmp"), "画像 (*.jpg *.bmp)");
    }

    void fileDialogsStartFolderAndExtension() {
        QTemporaryDir temp;
        const QString folder = temp.filePath("帳簿");
        QVERIFY(QDir().mkpath(folder));
        QtDialogs dialogs;

        WhenModal([&](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            QCOMPARE(dialog->windowTitle(), "名前を付けて保存");
            QCOMPARE(dialog->directory().absolutePath(), folder);
            QCOMPARE(dialog->nameFilters(), QStringList{"CSVファイル (*.csv)"});
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            name->setText("四月");
            QTest::keyClick(name, Qt::Key_Return);
        });
        QCOMPARE(dialogs.AskSaveFile({"", "csv", "CSVファイル|*.csv", folder.toStdString(), ""}),
                 (folder + "/四月.csv").toStdString());

        // Without a starting folder the dialog opens where the proposed file lies, not in
        // the folder Qt remembers from the last dialog.
        const QString other = temp.filePath("前年");
        QVERIFY(QDir().mkpath(other));
        WhenModal([&](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            QCOMPARE(dialog->windowTitle(), "ファイルを開く");
            QCOMPARE(dialog->directory().absolutePath(), other);
            dialog->reject();
        });
        QCOMPARE(dialogs.AskOpenFile(
                     {"ファイルを開く", "exv", "", "", (other + "/令和6年.exv").toStdString()}),
                 std::nullopt);
    }

private:
    UiSetup setup_;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "qt_dialogs_test.moc"
