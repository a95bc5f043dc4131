// The velmora program as a process: its options, the one running copy, the screenshot.
#include <QImage>
#include <QProcess>
#include <QTest>
#include <filesystem>

#include "core/platform/instance_lock.h"
#include "support/temp_folder.h"

using velmora::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

struct Run {
    int status = -1;
    QString out, err;
};

Run Velmora(const QString& home, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELMORA_HOME", home);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(VELMORA_GUI_PATH, args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

class ProgramTest : public QObject {
    Q_OBJECT
private slots:
    void helpAndBadOptionsNeedNoWindow();
    void aSecondCopyIsRefusedWithoutTouchingAnyFile();
    void aScreenshotOfTheMainWindow();
};

void ProgramTest::helpAndBadOptionsNeedNoWindow() {
    TempFolder f;
    const QString home = QString::fromStdString(f.File("work"));
    Run help = Velmora(home, {"--help"});
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.startsWith("使い方: velmora"));
    Run bad = Velmora(home, {"--bogus"});
    QCOMPARE(bad.status, 2);
    QVERIFY(bad.err.startsWith("velmora: 不明なオプションです: --bogus\n"));
    Run day = Velmora(home, {"--today", "2024/02/30"});
    QCOMPARE(day.status, 2);
    QVERIFY(!fs::exists(f.File("work")));
}

void ProgramTest::aSecondCopyIsRefusedWithoutTouchingAnyFile() {
    TempFolder f;
    const QString home = QString::fromStdString(f.File("work"));
    const velmora::InstanceLock running(home.toStdString());
    QVERIFY(running.state() == velmora::InstanceLock::State::Held);
    Run second = Velmora(home, {"--screenshot", QString::fromStdString(f.File("shot.png"))});
    QCOMPARE(second.status, 1);
    QVERIFY(second.err.contains("現金出納帳5プログラムはすでに起動しています。"));
    QVERIFY(!fs::exists(f.File("work")));
    QVERIFY(!fs::exists(f.File("shot.png")));
}

void ProgramTest::aScreenshotOfTheMainWindow() {
    TempFolder f;
    const QString home = QString::fromStdString(f.File("work"));
    const QString shot = QString::fromStdString(f.File("shot.png"));
    Run run = Velmora(
        home, {"--today", "2014/06/10", "--screenshot", shot,
               QString::fromStdString(velmora::testing::FixturePath("ledger/example2014.exv"))});
    QCOMPARE(run.status, 0);
    const QImage image(shot);
    QVERIFY(image.width() >= 1024 && image.height() >= 600);
    // The first start copied the shipped data; the lock was let go.
    QVERIFY(fs::exists(f.File("work/cldata/kamoku1.dat")));
    QVERIFY(velmora::InstanceLock(home.toStdString()).state() ==
            velmora::InstanceLock::State::Held);
}

QTEST_GUILESS_MAIN(ProgramTest)
#include "program_test.moc"
