#include "gui/view/left_pane.h"

#include <QCalendarWidget>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/app/command_table.h"

namespace velmora::gui {
namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LeftPane::LeftPane(Application& app, QWidget* parent) : QTabWidget(parent), app_(app) {
    setObjectName("PageControl2");
    auto* choose = new QWidget();
    auto* v = new QVBoxLayout(choose);
    v->setContentsMargins(2, 2, 2, 2);
    calendar_ = new QCalendarWidget(choose);
    calendar_->setObjectName("calendar");
    calendar_->setGridVisible(true);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    v->addWidget(calendar_);
    holidayList_ = new QListWidget(choose);
    holidayList_->setObjectName("sdayLIST");
    holidayList_->setMaximumHeight(60);
    v->addWidget(holidayList_);
    auto* inner = new QTabWidget(choose);
    titleList_ = new QListWidget(inner);
    titleList_->setObjectName("ListBox1");
    inner->addTab(titleList_, Q(kLeftInnerPageCaptions[0]));
    bookBalances_ = new QTableWidget(0, kNotesGridColumns, inner);
    bookBalances_->setObjectName("NOTESGRID");
    bookBalances_->setHorizontalHeaderLabels({"", "帳簿名", "残高"});
    bookBalances_->verticalHeader()->hide();
    bookBalances_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    inner->addTab(bookBalances_, Q(kLeftInnerPageCaptions[1]));
    v->addWidget(inner, 1);
    addTab(choose, Q(kLeftPageCaptions[0]));

    auto* print = new QLabel(Q(kLeftPageCaptions[1]));
    print->setAlignment(Qt::AlignCenter);
    addTab(print, Q(kLeftPageCaptions[1]));

    connect(calendar_, &QCalendarWidget::clicked, this, [this](QDate d) {
        app_.ChooseCalendarDay(Date::FromYmd(d.year(), d.month(), d.day()));
    });
    connect(titleList_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { app_.FilterByTitle(item->text().toStdString()); });
}

void LeftPane::ShowView() {
    const LedgerViewResult& v = app_.ledgerView();
    bookBalances_->setRowCount(static_cast<int>(v.bookBalances.size()));
    for (int r = 0; r < static_cast<int>(v.bookBalances.size()); ++r) {
        const BookBalanceRow& b = v.bookBalances[static_cast<std::size_t>(r)];
        bookBalances_->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(b.HiddenText())));
        bookBalances_->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(b.Label())));
        auto* balance = new QTableWidgetItem(QString::fromStdString(b.balanceText));
        balance->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        bookBalances_->setItem(r, 2, balance);
    }
    const Date day = app_.view().calendar.selected;
    calendar_->blockSignals(true);
    calendar_->setSelectedDate(QDate(day.Year(), day.Month(), day.Day()));
    calendar_->blockSignals(false);
}

void LeftPane::ShowLists() {
    titleList_->clear();
    for (const std::string& title : app_.entryForm().titleList)
        if (!title.empty()) titleList_->addItem(QString::fromStdString(title));
    holidayList_->clear();
    for (const std::string& line : app_.holidays().Lines())
        holidayList_->addItem(QString::fromStdString(line));
}

void LeftPane::SaveColumnWidths(LedgerLayout& layout) const {
    for (int c = 1; c < kNotesGridColumns; ++c)
        layout.notesGridWidths[static_cast<std::size_t>(c)] = bookBalances_->columnWidth(c);
}

void LeftPane::ApplyColumnWidths(const LedgerLayout& layout) {
    for (int c = 1; c < kNotesGridColumns; ++c)
        bookBalances_->setColumnWidth(c, layout.notesGridWidths[static_cast<std::size_t>(c)]);
    bookBalances_->setColumnHidden(0, true);
}

}  // namespace velmora::gui
