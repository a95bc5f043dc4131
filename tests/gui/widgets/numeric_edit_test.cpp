// Real key events reach the number box's model, and its text and caret come back.
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "gui/widgets/numeric_edit.h"

using velmora::gui::NumericEdit;

class NumericEditTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        window_ = new QWidget;
        auto* layout = new QVBoxLayout(window_);
        edit_ = new NumericEdit(window_);
        other_ = new QLineEdit(window_);
        layout->addWidget(edit_);
        layout->addWidget(other_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_));
        other_->setFocus(Qt::TabFocusReason);
    }
    void cleanup() { delete window_; }

    void typingWithCommasAndSigns() {
        edit_->model().SetComma(true);
        edit_->refresh();
        QCOMPARE(edit_->alignment(), Qt::AlignRight | Qt::AlignVCenter);
        QVERIFY(!edit_->testAttribute(Qt::WA_InputMethodEnabled));
        QSignalSpy changed(edit_, &NumericEdit::valueChanged);
        edit_->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit_->selectedText(), QString("0"));

        QTest::keyClicks(edit_, "12x34567");
        QCOMPARE(edit_->text(), QString("1,234,567"));
        QCOMPARE(edit_->cursorPosition(), 9);
        QCOMPARE(edit_->amount(), velmora::Amount::FromYen(1234567));
        QCOMPARE(changed.count(), 7);

        QTest::keyClick(edit_, Qt::Key_Left);
        QTest::keyClick(edit_, '-');
        QCOMPARE(edit_->text(), QString("-1,234,567"));
        QCOMPARE(edit_->cursorPosition(), 9);
        QCOMPARE(edit_->value(), -1234567.0L);
        QTest::keyClick(edit_, Qt::Key_Backspace);
        QCOMPARE(edit_->text(), QString("-123,457"));
        QCOMPARE(edit_->cursorPosition(), 7);
        QTest::keyClick(edit_, '-');
        QCOMPARE(edit_->value(), 123457.0L);

        // The program's own text is read as a number too.
        edit_->setText("250");
        QCOMPARE(edit_->value(), 250.0L);
    }

    void leavingFormatsAndPasteIsFiltered() {
        edit_->model().SetFigure(2);
        edit_->model().SetFixed(true);
        edit_->model().SetRoundMode(velmora::RoundMode::kRound);
        edit_->setMaxLength(5);
        edit_->refresh();
        QCOMPARE(edit_->text(), QString("0.00"));
        edit_->setFocus(Qt::TabFocusReason);
        QGuiApplication::clipboard()->setText(QString::fromUtf8("¥9.9951円"));
        QTest::keyClick(edit_, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit_->text(), QString("9.995"));
        QTest::keyClicks(edit_, "1");
        QCOMPARE(edit_->text(), QString("9.995"));

        other_->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit_->text(), QString("10.00"));
        QCOMPARE(edit_->value(), 10.0L);
        QVERIFY(edit_->isModified());

        edit_->setZeroVisible(false);
        edit_->setFocus(Qt::TabFocusReason);
        QTest::keyClick(edit_, Qt::Key_Delete);
        other_->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit_->text(), QString());
        QCOMPARE(edit_->value(), 0.0L);
    }

private:
    QWidget* window_ = nullptr;
    NumericEdit* edit_ = nullptr;
    QLineEdit* other_ = nullptr;
};

QTEST_MAIN(NumericEditTest)
#include "numeric_edit_test.moc"
