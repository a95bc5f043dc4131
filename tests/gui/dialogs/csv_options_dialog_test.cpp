// "CSVファイルへ出力" through its dialog: the column boxes chosen and UTF-8
// reach the file's bytes; the code table's pop-up menu reaches "in_code.dat".
#include <QCheckBox>
#include <QComboBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "core/util/codepage.h"
#include "gui/dialogs/csv_options_dialog.h"
#include "gui/support/example_desk.h"

using namespace velmora;
using namespace velmora::gui;

class CsvOptionsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void choicesReachTheFileAndTheCodeTable();
};

void CsvOptionsDialogTest::choicesReachTheFileAndTheCodeTable() {
    velmora::testing::ExampleDesk desk;
    gui::DesktopProgram& program = *desk.program;
    velmora::testing::ScriptedDialogs& dialogs = desk.dialogs;
    const std::string& work = desk.work;
    QVERIFY(program.Start());
    const std::string out = desk.folder.Path() + "/out.csv";
    dialogs.saveFileAnswers.push_back(out);

    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = program.window().findChild<CsvOptionsWindow*>();
        QVERIFY(dialog);
        seen = true;
        for (int c : {0, 1, 2, 3, 9}) dialog->columnBox(c)->setChecked(false);
        dialog->encodingBox()->setCurrentIndex(1);  // "UTF-8 (BOM付き)"
        dialog->formulaGuardBox()->setChecked(true);
        const QString first = dialog->codeTable()->item(0, 0)->text();
        dialog->RunRowCommand(1, 0);  // "下へ移動"
        QCOMPARE(dialog->codeTable()->item(1, 0)->text(), first);
        dialog->codeTable()->item(1, 1)->setText("5,01\"");
        dialog->accept();
    });
    program.window().action("csvfileOut")->trigger();
    QVERIFY(seen);

    QCOMPARE(velmora::testing::ReadBytes(out),
             std::string("\xEF\xBB\xBF"
                         "日　付,科　目,摘　要,収　入,支　出,\r\n"
                         "2014/04/01,交通費,バス代,0,220,\r\n"
                         "2014/04/03,小口現金,小口へ補充　《本店》,0,3000,\r\n"));
    QCOMPARE(dialogs.Infos().back(), std::string("確認|CSVファイルへ出力しました。"));
    // The table kept with the first two rows swapped and the typed code cleaned.
    const std::string table = Cp932ToUtf8(velmora::testing::ReadBytes(work + "/in_code.dat"));
    QCOMPARE(table.substr(0, table.find("\r\n", table.find("\r\n") + 2) + 2),
             std::string("雑収入=\r\n売上=501\r\n"));
}

QTEST_MAIN(CsvOptionsDialogTest)
#include "csv_options_dialog_test.moc"
