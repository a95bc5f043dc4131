#include "gui/ledger/ledger_page.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "core/ledgerview/ledger_view.h"
#include "core/ledgerview/month_tabs.h"
#include "core/session/book_display.h"
#include "gui/ledger/ledger_model.h"
#include "qtprint/qt_text.h"

namespace velmora::gui {
namespace {

// The marker column and the header row are the grid's fixed cells.
const QColor kFixedCell(128, 128, 192);
// Cell texts sit this far from the cell's corner.
constexpr int kTextLeft = 3;
constexpr int kTextTop = 2;

// Draws the cells as the ledger grid does: texts 3 pixels in and 2 down, amounts to the
// right, without prefix processing; the marker on the fixed colour; column 7 never.
class LedgerCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int column = index.column();
        if (column == kHiddenLedgerColumn) return;
        const QRect cell = option.rect;
        const bool selected = option.state.testFlag(QStyle::State_Selected) && column != 0;
        if (column == 0)
            painter->fillRect(cell, kFixedCell);
        else if (selected)
            painter->fillRect(cell, option.palette.highlight());
        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty()) return;
        QColor pen = selected ? option.palette.highlightedText().color() : QColor(Qt::black);
        const QVariant foreground = index.data(Qt::ForegroundRole);
        if (foreground.isValid() && !selected) pen = foreground.value<QBrush>().color();
        painter->save();
        painter->setPen(pen);
        painter->setFont(option.font);
        const Qt::Alignment align = column >= 4 && column <= 6 ? Qt::AlignRight | Qt::AlignTop
                                                               : Qt::AlignLeft | Qt::AlignTop;
        painter->drawText(cell.adjusted(kTextLeft, kTextTop, -kTextLeft, 0),
                          static_cast<int>(align) | Qt::TextSingleLine, text);
        painter->restore();
    }
};

}  // namespace

LedgerPage::LedgerPage(Application& app, QWidget* parent) : QWidget(parent), app_(app) {
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(2, 2, 2, 2);
    auto* heading = new QWidget(this);
    auto* h = new QHBoxLayout(heading);
    h->setContentsMargins(0, 0, 4, 0);
    bookHeader_ = new QLabel(heading);
    bookHeader_->setObjectName("bookHeader");
    // The picture is cut on a narrow window, so that the totals keep their room.
    bookHeader_->setMinimumWidth(40);
    bookTitle_ = new QLabel(heading);
    bookTitle_->setObjectName("bookHeading");
    bookTitle_->setTextFormat(Qt::PlainText);
    QFont big = bookTitle_->font();
    big.setPointSizeF(big.pointSizeF() * 1.2);
    big.setBold(true);
    bookTitle_->setFont(big);
    searchRange_ = new QLabel(heading);
    searchRange_->setObjectName("searchRange");
    searchRange_->setTextFormat(Qt::PlainText);
    totalIncome_ = new QLabel(heading);
    totalIncome_->setObjectName("totalIncome");
    totalExpense_ = new QLabel(heading);
    totalExpense_->setObjectName("totalExpense");
    totalDifference_ = new QLabel(heading);
    totalDifference_->setObjectName("totalDifference");
    h->addWidget(bookHeader_);
    h->addSpacing(8);
    h->addWidget(bookTitle_);
    h->addSpacing(16);
    h->addWidget(searchRange_, 1);
    // The range gives way first when the window is narrow.
    searchRange_->setMinimumWidth(1);
    for (QLabel* total : {totalIncome_, totalExpense_, totalDifference_}) {
        total->setMinimumWidth(88);
        total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        total->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        h->addWidget(total);
    }
    v->addWidget(heading);

    monthTabs_ = new QTabBar(this);
    monthTabs_->setObjectName("monthTabs");
    monthTabs_->setExpanding(false);
    v->addWidget(monthTabs_);
    // A refused "ALL" goes back to the tab of the month shown.
    connect(monthTabs_, &QTabBar::currentChanged, this, [this](int tab) {
        if (tab < 0 || app_.books().ChooseMonthTab(tab)) return;
        const QSignalBlocker quiet(monthTabs_);
        monthTabs_->setCurrentIndex(app_.ledgerView().ledgerTab);
    });

    grid_ = new QTableView(this);
    grid_->setObjectName("ledgerGrid");
    model_ = new LedgerModel(app_, grid_);
    grid_->setModel(model_);
    grid_->setItemDelegate(new LedgerCellDelegate(grid_));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setWordWrap(false);
    grid_->setTabKeyNavigation(false);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(kLedgerRowHeight);
    grid_->verticalHeader()->setMinimumSectionSize(kLedgerRowHeight);
    QHeaderView* header = grid_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
    header->setFixedHeight(kLedgerRowHeight);
    header->setStyleSheet(
        "QHeaderView::section { background-color: rgb(128,128,192); color: black;"
        " padding: 1px 0px 0px 0px; border: 0px; border-right: 1px solid rgb(96,96,160);"
        " border-bottom: 1px solid rgb(96,96,160); }");
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* editRow = new QAction("この行を修正する", grid_);
    editRow->setObjectName("editRow");
    auto* moveRow = new QAction("一行下へ移動する", grid_);
    moveRow->setObjectName("moveRowDown");
    grid_->addAction(editRow);
    grid_->addAction(moveRow);
    connect(editRow, &QAction::triggered, this, &LedgerPage::EditSelectedRow);
    connect(moveRow, &QAction::triggered, this, [this] {
        const QModelIndex current = grid_->currentIndex();
        if (current.isValid() && current.row() < model_->WrittenRows())
            app_.books().MoveRowDown(static_cast<std::size_t>(current.row()));
    });
    connect(grid_, &QTableView::doubleClicked, this,
            [this](const QModelIndex&) { EditSelectedRow(); });
    // A column the user widens or narrows is that width from then on; the description's
    // width is the one the user gave, whatever the stretch added.
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (fitting_) return;
        if (column == kDescriptionColumn)
            descriptionWidth_ = size;
        else
            FitDescriptionColumn();
    });
    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);
    v->addWidget(grid_, 1);
}

bool LedgerPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_->viewport() && event->type() == QEvent::Resize) {
        model_->SetVisibleHeight(grid_->viewport()->height());
        FitDescriptionColumn();
    } else if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                EditSelectedRow();
                return true;
            case Qt::Key_Delete: {
                // The record of the row, after the question the entry form's "削  除" asks.
                const std::optional<int> row = SelectedGridRow();
                app_.entry().DeleteSelectedRecord(SelectedRecord());
                TakeKeyboard(row);
                return true;
            }
            case Qt::Key_Home:
                SelectGridRow(1);
                return true;
            case Qt::Key_End:
                SelectGridRow(std::max(1, model_->WrittenRows()));
                return true;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

std::optional<int> LedgerPage::SelectedRecord() const {
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid()) return std::nullopt;
    return model_->RecordIndexOfRow(current.row());
}

void LedgerPage::EditSelectedRow() {
    const std::optional<int> row = SelectedGridRow();
    app_.entry().EditSelectedRecord(SelectedRecord());
    TakeKeyboard(row);
}

std::optional<int> LedgerPage::SelectedGridRow() const {
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid()) return std::nullopt;
    return current.row() + 1;
}

void LedgerPage::TakeKeyboard(std::optional<int> gridRow) {
    if (gridRow) SelectGridRow(std::max(1, std::min(*gridRow, model_->WrittenRows())));
    // The window manager gives the focus back to no window when a modal dialog closes
    // after a message box of its own: the window asks for it.
    window()->activateWindow();
    grid_->setFocus(Qt::OtherFocusReason);
}

void LedgerPage::SelectGridRow(int gridRow) {
    const int row = gridRow - 1;
    if (row < 0 || row >= model_->rowCount()) return;
    grid_->setCurrentIndex(model_->index(row, 1));
    grid_->selectRow(row);
    grid_->scrollTo(model_->index(row, 1));
}

void LedgerPage::RebuildMonthTabs() {
    const QSignalBlocker quiet(monthTabs_);
    while (monthTabs_->count() > 0) monthTabs_->removeTab(0);
    for (const std::string& caption : MonthTabCaptions(app_.session().ledger.startMonth))
        monthTabs_->addTab(Q(caption));
}

void LedgerPage::ShowView() {
    const LedgerViewResult& v = app_.ledgerView();
    // The tabs follow the start month however it changed (settings, roll-over, undo).
    QStringList captions;
    for (const std::string& caption : MonthTabCaptions(app_.session().ledger.startMonth))
        captions << Q(caption);
    bool same = captions.size() == monthTabs_->count();
    for (int i = 0; same && i < monthTabs_->count(); ++i)
        same = monthTabs_->tabText(i) == captions[i];
    if (!same) RebuildMonthTabs();
    model_->Reload();
    grid_->setColumnHidden(kHiddenLedgerColumn, true);
    searchRange_->setText(Q(v.searchRange));
    totalIncome_->setText(Q(v.totalIncome));
    totalExpense_->setText(Q(v.totalExpense));
    totalDifference_->setText(Q(v.totalDifference));
    bookTitle_->setText(Q(v.bookTitle));
    ShowBookHeader();
    {
        const QSignalBlocker quiet(monthTabs_);
        if (v.ledgerTab >= 0 && v.ledgerTab < monthTabs_->count())
            monthTabs_->setCurrentIndex(v.ledgerTab);
    }
    // The rows shown are new: the grid is on the first, or on none without rows.
    if (v.rows.empty())
        grid_->selectionModel()->clear();
    else
        SelectGridRow(kTopRow);
}

// The picture of the book's kind with its heading written over the picture's left part.
void LedgerPage::ShowBookHeader() {
    const BookHeader header = BookHeaderOf(app_.session());
    const QString key = Q(header.image) + '\n' + Q(header.heading);
    if (key == shownHeader_) return;
    shownHeader_ = key;
    QPixmap picture(Q(header.image));
    if (picture.isNull()) {
        picture = QPixmap(360, 36);
        picture.fill(QColor(96, 96, 160));
    }
    QPainter p(&picture);
    QFont font = bookTitle_->font();
    font.setPointSizeF(font.pointSizeF() * 1.1);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(picture.rect().adjusted(12, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               Q(header.heading));
    p.end();
    bookHeader_->setPixmap(picture);
    bookHeader_->setToolTip(Q(header.heading));
}

void LedgerPage::SaveColumnWidths(LedgerLayout& layout) const {
    for (int c = 0; c < kLedgerGridColumns; ++c)
        layout.listColWidths[static_cast<std::size_t>(c)] = c == kHiddenLedgerColumn ? 0
                                                            : c == kDescriptionColumn
                                                                ? descriptionWidth_
                                                                : grid_->columnWidth(c);
}

void LedgerPage::ApplyColumnWidths(const LedgerLayout& layout) {
    fitting_ = true;
    for (int c = 0; c < kLedgerGridColumns; ++c)
        grid_->setColumnWidth(c, layout.listColWidths[static_cast<std::size_t>(c)]);
    grid_->setColumnHidden(kHiddenLedgerColumn, true);
    fitting_ = false;
    descriptionWidth_ = layout.listColWidths[kDescriptionColumn];
    FitDescriptionColumn();
}

// The description takes the width the other columns leave, never less than its own: a
// wide window shows no blank strip right of the grid, a narrow one scrolls.
void LedgerPage::FitDescriptionColumn() {
    int others = 0;
    for (int c = 0; c < kLedgerGridColumns; ++c)
        if (c != kDescriptionColumn && !grid_->isColumnHidden(c)) others += grid_->columnWidth(c);
    fitting_ = true;
    grid_->setColumnWidth(kDescriptionColumn,
                          std::max(descriptionWidth_, grid_->viewport()->width() - others));
    fitting_ = false;
}

}  // namespace velmora::gui
