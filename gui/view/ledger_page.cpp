#include "gui/view/ledger_page.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

#include "core/view/month_tabs.h"
#include "gui/view/ledger_model.h"

namespace velmora::gui {

LedgerPage::LedgerPage(Application& app, QWidget* parent) : QWidget(parent), app_(app) {
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(2, 2, 2, 2);
    auto* heading = new QWidget(this);
    auto* h = new QHBoxLayout(heading);
    h->setContentsMargins(4, 2, 4, 2);
    bookTitle_ = new QLabel(heading);
    bookTitle_->setObjectName("Panel8");
    QFont big = bookTitle_->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    bookTitle_->setFont(big);
    searchRange_ = new QLabel(heading);
    searchRange_->setObjectName("searchrange");
    totalIncome_ = new QLabel(heading);
    totalIncome_->setObjectName("totalincome");
    totalExpense_ = new QLabel(heading);
    totalExpense_->setObjectName("totalexpence");
    totalDifference_ = new QLabel(heading);
    totalDifference_->setObjectName("totalsagaku");
    h->addWidget(bookTitle_);
    h->addSpacing(16);
    h->addWidget(searchRange_, 1);
    for (QLabel* total : {totalIncome_, totalExpense_, totalDifference_}) {
        total->setMinimumWidth(120);
        total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        h->addWidget(total);
    }
    v->addWidget(heading);

    monthTabs_ = new QTabBar(this);
    monthTabs_->setObjectName("TabControl1");
    monthTabs_->setExpanding(false);
    v->addWidget(monthTabs_);
    connect(monthTabs_, &QTabBar::tabBarClicked, this, [this](int tab) {
        if (tab >= 0) app_.ChooseMonthTab(tab);
    });

    grid_ = new QTableView(this);
    grid_->setObjectName("AdvStringGrid1");
    model_ = new LedgerModel(app_, grid_);
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* editRow = new QAction("この行を修正する", grid_);
    auto* moveRow = new QAction("一行下へ移動する", grid_);
    grid_->addAction(editRow);
    grid_->addAction(moveRow);
    connect(editRow, &QAction::triggered, this, [this] { app_.dataedit(SelectedRecord()); });
    connect(moveRow, &QAction::triggered, this, [this] {
        const QModelIndex current = grid_->currentIndex();
        if (current.isValid()) app_.MoveRowDown(static_cast<std::size_t>(current.row()));
    });
    connect(grid_, &QTableView::doubleClicked, this,
            [this](const QModelIndex&) { app_.dataedit(SelectedRecord()); });
    v->addWidget(grid_, 1);
}

std::optional<int> LedgerPage::SelectedRecord() const {
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid()) return std::nullopt;
    return model_->RecordIndexOfRow(current.row());
}

void LedgerPage::SelectGridRow(int gridRow) {
    const int row = gridRow - 1;
    if (row < 0 || row >= model_->rowCount()) return;
    grid_->selectRow(row);
    grid_->scrollTo(model_->index(row, 0));
}

void LedgerPage::RebuildMonthTabs() {
    monthTabs_->blockSignals(true);
    while (monthTabs_->count() > 0) monthTabs_->removeTab(0);
    for (const std::string& caption : MonthTabCaptions(app_.session().ledger.startMonth))
        monthTabs_->addTab(QString::fromStdString(caption));
    monthTabs_->blockSignals(false);
}

void LedgerPage::ShowView() {
    const LedgerViewResult& v = app_.ledgerView();
    model_->Reload();
    grid_->setColumnHidden(kHiddenLedgerColumn, true);
    searchRange_->setText(QString::fromStdString(v.searchRange));
    totalIncome_->setText(QString::fromStdString(v.totalIncome));
    totalExpense_->setText(QString::fromStdString(v.totalExpense));
    totalDifference_->setText(QString::fromStdString(v.totalDifference));
    bookTitle_->setText(QString::fromStdString(v.bookTitle));
    monthTabs_->blockSignals(true);
    if (v.ledgerTab >= 0 && v.ledgerTab < monthTabs_->count())
        monthTabs_->setCurrentIndex(v.ledgerTab);
    monthTabs_->blockSignals(false);
}

void LedgerPage::SaveColumnWidths(LedgerLayout& layout) const {
    for (int c = 0; c < kLedgerGridColumns; ++c)
        layout.listColWidths[static_cast<std::size_t>(c)] = grid_->columnWidth(c);
}

void LedgerPage::ApplyColumnWidths(const LedgerLayout& layout) {
    for (int c = 0; c < kLedgerGridColumns; ++c)
        grid_->setColumnWidth(c, layout.listColWidths[static_cast<std::size_t>(c)]);
    grid_->setColumnHidden(kHiddenLedgerColumn, true);
}

}  // namespace velmora::gui
