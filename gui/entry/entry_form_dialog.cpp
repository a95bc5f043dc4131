#include "gui/entry/entry_form_dialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/calendar/calendar.h"
#include "core/entry/description_completion.h"
#include "core/entry/typed_date.h"
#include "core/settings/title_lists.h"
#include "gui/widgets/completion_list.h"
#include "gui/widgets/date_field.h"
#include "gui/widgets/month_calendar.h"
#include "gui/widgets/numeric_edit.h"
#include "gui/widgets/title_list.h"
#include "qtprint/qt_text.h"

namespace velmora::gui {
namespace {

std::string S(const QString& s) {
    return s.toStdString();
}

constexpr EntryTab kTabs[3] = {EntryTab::Titles, EntryTab::PettyCash, EntryTab::Bank};

}  // namespace

EntryFormDialog::EntryFormDialog(Application& app, QWidget* parent) : QDialog(parent), app_(app) {
    setObjectName("entryForm");
    BuildLayout();
    Connect();
    ShowForm();
    FocusList();
    app_.AddListener(this);
}

EntryFormDialog::~EntryFormDialog() {
    app_.RemoveListener(this);
}

QListWidget* EntryFormDialog::list(EntryTab tab) const {
    return lists_[static_cast<int>(tab)];
}

void EntryFormDialog::BuildLayout() {
    heading_ = new QLabel(this);
    heading_->setObjectName("heading");
    QFont big = heading_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    heading_->setFont(big);

    // The date: the form's calendar and the three read-only parts it fills.
    calendar_ = new MonthCalendar(this);
    dateLabel_ = new QLabel(QString::fromUtf8("日付"), this);
    dateLabel_->setObjectName("dateLabel");
    // One field for `s_year`, `s_Month` and `s_day`: the date is typed whole.
    date_ = new DateField(this);
    date_->setObjectName("date");
    dateLabel_->setBuddy(date_);
    auto* date = new QHBoxLayout;
    date->addWidget(dateLabel_);
    date->addWidget(date_);
    date->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(calendar_);
    left->addLayout(date);
    left->addStretch();

    // The lists: titles, petty-cash books, bank books.
    tabs_ = new QTabWidget(this);
    const char* listNames[3] = {"titles", "pettyCashBooks", "bankBooks"};
    const char* captions[3] = {kTitlesTabCaption, kPettyTabCaption, kBankTabCaption};
    for (int t = 0; t < 3; ++t) {
        lists_[t] = new TitleList(tabs_);
        lists_[t]->setObjectName(listNames[t]);
        tabs_->addTab(lists_[t], Q(captions[t]));
    }
    tabs_->setMinimumWidth(190);

    // The record's texts and amounts.
    titleLabel_ = new QLabel(this);
    // Wide enough for every caption the label takes, so that none is cut when it changes.
    int captionWidth = 0;
    for (const char* caption : {kTitleLabel, kPettyBookLabel, kBankBookLabel})
        captionWidth =
            std::max(captionWidth, titleLabel_->fontMetrics().horizontalAdvance(Q(caption)));
    titleLabel_->setMinimumWidth(captionWidth + 4);
    title_ = new QLineEdit(this);
    title_->setObjectName("title");
    title_->setReadOnly(true);
    title_->setFocusPolicy(Qt::NoFocus);
    description_ = new QLineEdit(this);
    description_->setObjectName("description");
    description_->setAttribute(Qt::WA_InputMethodEnabled, true);
    completions_ = new CompletionList(description_, [this](const QString& typed) {
        QStringList offered;
        for (const std::string& text :
             CompletionsStartingWith(app_.entry().Completions(), typed.toStdString()))
            offered << Q(text);
        return offered;
    });
    income_ = new NumericEdit(this);
    income_->setObjectName("income");
    expense_ = new NumericEdit(this);
    expense_->setObjectName("expense");
    for (NumericEdit* amount : {income_, expense_}) {
        amount->setZeroVisible(false);
        amount->setMaxLength(15);
    }
    auto* fields = new QGridLayout;
    fields->addWidget(titleLabel_, 0, 0);
    fields->addWidget(title_, 0, 1);
    fields->addWidget(new QLabel(QString::fromUtf8("摘　要"), this), 1, 0);
    fields->addWidget(description_, 1, 1);
    fields->addWidget(new QLabel(QString::fromUtf8("収　入"), this), 2, 0);
    fields->addWidget(income_, 2, 1);
    fields->addWidget(new QLabel(QString::fromUtf8("支　出"), this), 3, 0);
    fields->addWidget(expense_, 3, 1);

    grid_ = new QTableWidget(kDescriptionGridRows, kDescriptionGridColumns, this);
    grid_->setObjectName("descriptionGrid");
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setColumnWidth(0, 12);
    for (int c = 1; c < kDescriptionGridColumns; ++c) grid_->setColumnWidth(c, 130);
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setFocusPolicy(Qt::NoFocus);  // a grid of clicks; the keys go date to register
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    // The whole grid is always in view: 36 cells, no scrolling.
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * grid_->frameWidth();
    grid_->setFixedSize(12 + 3 * 130 + frame, kDescriptionGridRows * 20 + frame);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addWidget(new QLabel(Q(kDescriptionGridLabel), this));
    right->addWidget(grid_);

    continuous_ = new QCheckBox(Q(kContinuousEntryCaption), this);
    continuous_->setObjectName("continuousEntry");
    register_ = new QPushButton(QString::fromUtf8("登　録"), this);
    delete_ = new QPushButton(QString::fromUtf8("削  除"), this);
    close_ = new QPushButton(QString::fromUtf8("閉じる"), this);
    register_->setAutoDefault(false);
    delete_->setAutoDefault(false);
    close_->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(continuous_);
    buttons->addStretch();
    buttons->addWidget(register_);
    buttons->addWidget(delete_);
    buttons->addWidget(close_);

    status_ = new QStatusBar(this);
    status_->setSizeGripEnabled(false);
    for (QLabel*& panel : panels_) {
        panel = new QLabel(status_);
        panel->setMinimumWidth(110);
        status_->addWidget(panel);
    }

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(tabs_);
    body->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(body);
    layout->addLayout(buttons);
    layout->addWidget(status_);

    // The keyboard's way through a record: date, the list of the tab shown (the others are
    // hidden), description, income, expense, "登　録".
    tabs_->tabBar()->setFocusPolicy(Qt::NoFocus);  // Ctrl+Tab switches the tabs
    calendar_->setFocusPolicy(Qt::NoFocus);
    for (QWidget* child : calendar_->findChildren<QWidget*>()) child->setFocusPolicy(Qt::NoFocus);
    const QList<QWidget*> order = {date_,    lists_[0], lists_[1], lists_[2], description_, income_,
                                   expense_, register_, delete_,   close_,    continuous_};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void EntryFormDialog::Connect() {
    connect(register_, &QPushButton::clicked, this, &EntryFormDialog::Register);
    connect(income_, &QLineEdit::returnPressed, this, &EntryFormDialog::Register);
    connect(expense_, &QLineEdit::returnPressed, this, &EntryFormDialog::Register);
    connect(description_, &QLineEdit::returnPressed, this, [this] { expense_->setFocus(); });
    connect(delete_, &QPushButton::clicked, this, [this] {
        PullTyped();
        if (app_.entry().Delete()) accept();
    });
    connect(close_, &QPushButton::clicked, this, &EntryFormDialog::CloseAsked);
    connect(continuous_, &QCheckBox::toggled, this,
            [this](bool on) { app_.entry().SetContinuous(on); });
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (showing_ || index < 0) return;
        app_.entry().ChangeTab(kTabs[index]);
    });
    // However an item becomes the selected one (a click, an arrow key, Space, typing its
    // name or number), it is the one picked. An item only made current (as focus entering
    // the list makes the first one) is not picked.
    for (int t = 0; t < 3; ++t) {
        auto pick = [this, t] {
            const int row = lists_[t]->currentRow();
            if (showing_ || row < 0 || !lists_[t]->item(row)->isSelected()) return;
            PullTyped();
            if (t == 0)
                app_.entry().ClickTitle(row);
            else
                app_.entry().ClickBook(kTabs[t], row);
        };
        connect(lists_[t], &QListWidget::itemSelectionChanged, this, pick);
        connect(lists_[t], &QListWidget::itemClicked, this, pick);
    }
    connect(date_, &DateField::dateChosen, this, [this](Date date) {
        PullTyped();
        app_.entry().ShowDate(date);
    });
    connect(date_, &DateField::typedRefused, this, [this] {
        app_.session().dialogs().ShowInfo(kTypedDateRefusedHeading, kTypedDateRefusedText);
    });
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        PullTyped();
        if (app_.entry().ClickDescription(column, row))
            expense_->setFocus();
        else
            QApplication::beep();
    });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        PullTyped();
        app_.entry().DoubleClickDescription(column, row);
    });
    connect(calendar_, &MonthCalendar::monthStepped, this, [this](int delta) {
        PullTyped();
        app_.entry().StepCalendar(delta);
    });
    connect(calendar_, &MonthCalendar::todayClicked, this, [this] {
        PullTyped();
        app_.entry().CalendarToday();
    });
    connect(calendar_, &MonthCalendar::dayClicked, this, [this](int day, bool shift) {
        PullTyped();
        app_.entry().ClickDay(day, shift);
    });
}

void EntryFormDialog::PullTyped() {
    app_.entry().TakeTyped(S(description_->text()), income_->amount(), expense_->amount());
}

void EntryFormDialog::Register() {
    PullTyped();
    // The form shows what the command left (the cleaned texts with the input kept, or the
    // next record) as it is told.
    const RegisterResult result = app_.entry().Register();
    if (!result.stored) return;
    if (result.closeForm) {
        accept();
        return;
    }
    // The next record starts with the same date, at the list of titles.
    FocusList();
}

void EntryFormDialog::FocusList() {
    lists_[static_cast<int>(app_.entryForm().tab)]->setFocus(Qt::OtherFocusReason);
}

void EntryFormDialog::CloseAsked() {
    PullTyped();
    if (app_.entry().MayClose()) reject();
}

void EntryFormDialog::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        switch (event->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                event->accept();
                return;
            case Qt::Key_Escape:
                event->accept();
                CloseAsked();
                return;
            default:
                break;
        }
    }
    QDialog::keyPressEvent(event);
}

void EntryFormDialog::ShowForm() {
    showing_ = true;
    const EntryForm& form = app_.entryForm();
    const Session& s = app_.session();
    setWindowTitle(Q(form.Caption()));
    heading_->setText(Q(form.Caption()));
    calendar_->ShowLayout(app_.CalendarOf(form.calendar.drawn), s.clock().Today());
    date_->setDate(form.calendar.selected);
    date_->setYear(s.ledger.FirstDay(), s.ledger.LastDay());
    dateLabel_->setToolTip(Q(form.dateHint));
    ShowLists();
    tabs_->setTabText(0, Q(form.firstTabCaption));
    tabs_->setCurrentIndex(static_cast<int>(form.tab));
    titleLabel_->setText(Q(form.titleLabel));
    title_->setText(Q(form.title));
    if (description_->text() != Q(form.description)) description_->setText(Q(form.description));
    income_->setAmount(form.income);
    expense_->setAmount(form.expense);
    ShowCells();
    continuous_->setChecked(form.continuousEntry);
    delete_->setEnabled(form.mode == EntryMode::Edit);
    const std::string panels[4] = {form.ownBook.kind, form.ownBook.name, form.otherBook.kind,
                                   form.otherBook.name};
    for (int i = 0; i < 4; ++i) panels_[i]->setText(Q(panels[i]));
    if (completions_->isVisible()) completions_->refresh();
    showing_ = false;
}

void EntryFormDialog::ShowLists() {
    const EntryForm& form = app_.entryForm();
    const std::vector<std::string>* items[3] = {&form.titleList, &form.pettyList, &form.bankList};
    const int selected[3] = {form.titleItem, form.pettyItem, form.bankItem};
    for (int t = 0; t < 3; ++t) {
        QListWidget* list = lists_[t];
        QStringList texts;
        for (const std::string& item : *items[t]) texts << Q(item);
        bool same = list->count() == texts.size();
        for (int i = 0; same && i < texts.size(); ++i) same = list->item(i)->text() == texts[i];
        if (!same) {
            list->clear();
            list->addItems(texts);
            if (t == 0)
                for (int i = 0; i < texts.size(); ++i)
                    list->setRowHidden(i, !IsListedTitle((*items[t])[static_cast<std::size_t>(i)]));
        }
        list->setCurrentRow(selected[t]);
        // A list refilled under the focus (Ctrl+Tab to its tab) starts at its first item, as
        // one the focus enters does: Space picks it, Down goes to the second.
        if (selected[t] < 0 && list->hasFocus() && list->count() > 0)
            list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    }
}

void EntryFormDialog::ShowCells() {
    const EntryForm& form = app_.entryForm();
    for (int row = 0; row < kDescriptionGridRows; ++row)
        for (int column = 0; column < kDescriptionGridColumns; ++column) {
            auto* item = new QTableWidgetItem;
            const int index = DescriptionCellIndex(column, row);
            if (index >= 0)
                item->setText(Q(form.cells[static_cast<std::size_t>(index)]));
            else
                item->setBackground(QColor(192, 192, 192));  // the hidden column, tinted
            grid_->setItem(row, column, item);
        }
}

void EntryFormDialog::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QString::fromUtf8("キャンセル"), this, &EntryFormDialog::CloseAsked);
    menu.exec(event->globalPos());
}

}  // namespace velmora::gui
