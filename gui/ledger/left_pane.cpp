#include "gui/ledger/left_pane.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/app/command_table.h"
#include "core/ledgerview/ledger_view.h"
#include "core/settings/title_lists.h"
#include "gui/printing/print_page.h"
#include "gui/widgets/month_calendar.h"
#include "qtprint/qt_text.h"

namespace velmora::gui {

LeftPane::LeftPane(Application& app, QWidget* parent) : QTabWidget(parent), app_(app) {
    setObjectName("leftPages");
    auto* choose = new QWidget();
    auto* v = new QVBoxLayout(choose);
    v->setContentsMargins(2, 2, 2, 2);
    auto* days = new QHBoxLayout();
    calendar_ = new MonthCalendar(choose);
    calendar_->setObjectName("calendar");
    days->addWidget(calendar_, 1);
    holidayList_ = new QListWidget(choose);
    holidayList_->setObjectName("holidayList");
    holidayList_->setFixedWidth(50);
    holidayList_->setToolTip("休日");
    days->addWidget(holidayList_);
    v->addLayout(days);
    auto* inner = new QTabWidget(choose);
    titleList_ = new QListWidget(inner);
    titleList_->setObjectName("titleList");
    inner->addTab(titleList_, Q(kLeftInnerPageCaptions[0]));
    bookBalances_ = new QTableWidget(0, kBookBalanceColumns, inner);
    bookBalances_->setObjectName("bookBalances");
    bookBalances_->setHorizontalHeaderLabels({"", "帳簿名", "残高"});
    bookBalances_->verticalHeader()->hide();
    bookBalances_->verticalHeader()->setDefaultSectionSize(20);
    bookBalances_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    bookBalances_->setSelectionBehavior(QAbstractItemView::SelectRows);
    bookBalances_->setTextElideMode(Qt::ElideRight);
    bookBalances_->setWordWrap(false);
    bookBalances_->setTabKeyNavigation(false);
    inner->addTab(bookBalances_, Q(kLeftInnerPageCaptions[1]));
    v->addWidget(inner, 1);
    addTab(choose, Q(kLeftPageCaptions[0]));

    auto* print = new QScrollArea();
    print->setFrameShape(QFrame::NoFrame);
    print->setWidgetResizable(true);
    printPage_ = new PrintPage(app_);
    print->setWidget(printPage_);
    addTab(print, Q(kLeftPageCaptions[1]));

    connect(calendar_, &MonthCalendar::dayClicked, this, [this](int day, bool shift) {
        const Date drawn = app_.view().calendar.drawn;
        const Date clicked = Date::FromYmd(drawn.Year(), drawn.Month(), day);
        if (shift)
            app_.books().ToggleHolidayAndChooseDay(clicked);
        else
            app_.books().ChooseCalendarDay(clicked);
    });
    connect(calendar_, &MonthCalendar::monthStepped, this,
            [this](int delta) { app_.books().StepCalendar(delta); });
    connect(calendar_, &MonthCalendar::todayClicked, this,
            [this] { app_.books().CalendarToday(); });
    connect(calendar_, &MonthCalendar::dayStepped, this, [this](DateStep step) {
        app_.books().ChooseCalendarDay(StepDate(app_.view().calendar.selected, step));
    });
    connect(titleList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        app_.search().FilterByTitle(item->text().toStdString());
    });
}

void LeftPane::ShowMainPage(MainPage page) {
    // A print command brings its settings forward; later the user chooses the tab. Back
    // on the ledger the account titles ("科目指定") are there again: the print settings
    // belong to the preview.
    if (page == MainPage::Preview && shownPage_ != MainPage::Preview) setCurrentIndex(1);
    if (page == MainPage::Ledger && shownPage_ != MainPage::Ledger) setCurrentIndex(0);
    shownPage_ = page;
}

void LeftPane::ShowView() {
    const LedgerViewResult& v = app_.ledgerView();
    bookBalances_->setRowCount(static_cast<int>(v.bookBalances.size()));
    for (int r = 0; r < static_cast<int>(v.bookBalances.size()); ++r) {
        const BookBalanceRow& b = v.bookBalances[static_cast<std::size_t>(r)];
        bookBalances_->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(b.HiddenText())));
        // A long name is cut with "…"; the tool tip holds it whole.
        auto* name = new QTableWidgetItem(QString::fromStdString(b.Label()));
        name->setToolTip(name->text());
        bookBalances_->setItem(r, 1, name);
        auto* balance = new QTableWidgetItem(QString::fromStdString(b.balanceText));
        balance->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (BalanceInRed(app_.session(), b)) balance->setForeground(QColor(Qt::red));
        bookBalances_->setItem(r, 2, balance);
    }
    if (app_.session().accountFilter.empty()) {
        titleList_->clearSelection();
        titleList_->setCurrentRow(-1);
    }
    ShowCalendar();
}

void LeftPane::ShowCalendar() {
    const CalendarState& c = app_.view().calendar;
    calendar_->ShowLayout(app_.CalendarOf(c.drawn), app_.session().clock().Today());
    holidayList_->clear();
    for (const std::string& line : app_.holidays().Lines())
        holidayList_->addItem(QString::fromStdString(line));
}

// Empty slots stay as items, so that item n - 1 is slot n, but hidden: a click on one
// would find nothing.
void LeftPane::ShowLists() {
    titleList_->clear();
    for (const std::string& title : app_.entryForm().titleList) {
        titleList_->addItem(QString::fromStdString(title));
        titleList_->setRowHidden(titleList_->count() - 1, !IsListedTitle(title));
    }
}

void LeftPane::SaveColumnWidths(LedgerLayout& layout) const {
    for (int c = 1; c < kBookBalanceColumns; ++c)
        layout.bookBalanceWidths[static_cast<std::size_t>(c)] = bookBalances_->columnWidth(c);
}

void LeftPane::ApplyColumnWidths(const LedgerLayout& layout) {
    for (int c = 1; c < kBookBalanceColumns; ++c)
        bookBalances_->setColumnWidth(c, layout.bookBalanceWidths[static_cast<std::size_t>(c)]);
    bookBalances_->setColumnHidden(0, true);
}

}  // namespace velmora::gui
