#include "gui/dialogs/money_count_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/widgets/numeric_edit.h"

namespace velmora::gui {
namespace {

QString Yen(Amount amount) {
    return QString::fromStdString(amount.YenText()) + QString::fromUtf8("円");
}

QLabel* Figure(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(120);
    return label;
}

}  // namespace

MoneyCountDialog::MoneyCountDialog(Application& app, QWidget* parent) : QDialog(parent), app_(app) {
    setObjectName("MoneyCount");
    setWindowTitle(QString::fromUtf8(kMoneyCountCaption));
    const Session& s = app_.session();
    const MoneyCount kept = LoadMoneyCount(s.workingFolder());

    auto* grid = new QGridLayout;
    for (int k = 0; k < kMoneyKinds; ++k) {
        const auto i = static_cast<std::size_t>(k);
        auto* caption = new QLabel(QString::fromUtf8(kMoneyKindsInOrder[i].caption), this);
        auto* box = new NumericEdit(this);
        box->setObjectName(QString("count%1").arg(kMoneyKindsInOrder[i].yen));
        SetUpCountField(box->model());
        box->setValue(static_cast<long double>(kept.counts[i]));
        box->setMaximumWidth(90);
        box->installEventFilter(this);
        caption->setBuddy(box);
        counts_[i] = box;
        amounts_[i] = Figure(this);
        grid->addWidget(caption, k, 0);
        grid->addWidget(box, k, 1);
        grid->addWidget(new QLabel(QString::fromUtf8("枚"), this), k, 2);
        grid->addWidget(amounts_[i], k, 3);
        connect(box, &NumericEdit::valueChanged, this, &MoneyCountDialog::Recount);
    }
    int row = kMoneyKinds;
    total_ = Figure(this);
    total_->setObjectName("total");
    balanceCaption_ = new QLabel(this);
    balanceCaption_->setObjectName("balanceCaption");
    balanceFigure_ = Figure(this);
    balanceFigure_->setObjectName("balance");
    difference_ = Figure(this);
    difference_->setObjectName("difference");
    QFont bold = total_->font();
    bold.setBold(true);
    total_->setFont(bold);
    difference_->setFont(bold);
    grid->addWidget(new QLabel(QString::fromUtf8(kMoneyTotalCaption), this), row, 0);
    grid->addWidget(total_, row++, 3);
    grid->addWidget(balanceCaption_, row, 0, 1, 3);
    grid->addWidget(balanceFigure_, row++, 3);
    grid->addWidget(new QLabel(QString::fromUtf8(kMoneyDifferenceCaption), this), row, 0);
    grid->addWidget(difference_, row++, 3);

    // The balance of the calendar's day or of today, chosen while counting.
    const Date calendarDay = app_.view().calendar.selected;
    const Date today = s.clock().Today();
    auto* days = new QHBoxLayout;
    auto* onCalendar = new QRadioButton(
        QString::fromStdString(MoneyCountDayCaption(kMoneyCalendarDayCaption, calendarDay)), this);
    onCalendar->setObjectName("calendarDay");
    auto* onToday = new QRadioButton(
        QString::fromStdString(MoneyCountDayCaption(kMoneyTodayCaption, today)), this);
    onToday->setObjectName("today");
    onCalendar->setChecked(true);
    days->addWidget(onCalendar);
    days->addWidget(onToday);
    days->addStretch(1);
    connect(onCalendar, &QRadioButton::toggled, this, [this, calendarDay](bool on) {
        if (on) ChooseDay(calendarDay);
    });
    connect(onToday, &QRadioButton::toggled, this, [this, today](bool on) {
        if (on) ChooseDay(today);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QString::fromUtf8("閉じる"));
    auto* clear = buttons->addButton(QString::fromUtf8("クリア"), QDialogButtonBox::ResetRole);
    clear->setObjectName("clear");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(clear, &QPushButton::clicked, this, [this] {
        for (NumericEdit* box : counts_) box->setValue(0);
        Recount();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(days);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    ChooseDay(calendarDay);
}

void MoneyCountDialog::ChooseDay(Date day) {
    balance_ = MoneyCountBalanceOn(app_.session().ledger, day);
    balanceCaption_->setText(QString::fromStdString(balance_.caption));
    balanceFigure_->setText(Yen(balance_.balance));
    Recount();
}

// A count box takes digits only: a sign or a decimal point never shows in it.
bool MoneyCountDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.size() == 1 && text[0].isPrint() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) &&
            !IsCountCharacter(text[0].unicode())) {
            QApplication::beep();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

MoneyCount MoneyCountDialog::count() const {
    MoneyCount count;
    for (std::size_t i = 0; i < counts_.size(); ++i)
        count.counts[i] = static_cast<std::int64_t>(counts_[i]->value());
    return count;
}

void MoneyCountDialog::Recount() {
    const MoneyCount now = count();
    for (int k = 0; k < kMoneyKinds; ++k)
        amounts_[static_cast<std::size_t>(k)]->setText(Yen(now.RowAmount(k)));
    total_->setText(Yen(now.Total()));
    const Amount difference = now.Difference(balance_.balance);
    difference_->setText(Yen(difference));
    difference_->setStyleSheet(difference < Amount() ? "color: red;" : "");
}

void MoneyCountDialog::done(int result) {
    const Session& s = app_.session();
    try {
        SaveMoneyCount(s.workingFolder(), count(), s.writer());
    } catch (const std::exception& error) {
        s.dialogs().ShowInfo("確認", error.what());
    }
    QDialog::done(result);
}

}  // namespace velmora::gui
