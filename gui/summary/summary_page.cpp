#include "gui/summary/summary_page.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "core/reports/summary_cells.h"
#include "core/reports/summary_copy.h"
#include "gui/summary/summary_model.h"
#include "gui/widgets/frozen_columns.h"
#include "qtprint/qt_text.h"

namespace velmora::gui {

namespace {

QRect Rect(const CellBox& box) {
    return QRect(box.left, box.top, box.width, box.height);
}

// Body cells are painted as the core says: the fill, then the text in its box. A selected
// cell keeps its text colour on the selection's colour, so that what "表をコピー" takes is
// seen.
class SummaryCellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (index.column() == kMarkerColumn) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QRect r = option.rect;
        const CellBox cell{r.left(), r.top(), r.width(), r.height()};
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        painter->save();
        painter->fillRect(
            Rect(SummaryCellFillBox(cell)),
            selected ? option.palette.highlight() : index.data(Qt::BackgroundRole).value<QBrush>());
        painter->setPen(index.data(Qt::ForegroundRole).value<QBrush>().color());
        const auto align = index.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        painter->setFont(option.font);
        const QRect box = Rect(SummaryCellTextBox(cell));
        // A text longer than its cell ends in "…"; the whole text is the cell's tool tip.
        const QString text = option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                           Qt::ElideRight, box.width());
        painter->drawText(box, static_cast<int>(align) | Qt::TextSingleLine, text);
        painter->restore();
    }
};

}  // namespace

SummaryPage::SummaryPage(Application& app, QWidget* parent) : QWidget(parent), app_(app) {
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(2, 2, 2, 0);
    v->setSpacing(2);

    auto* heading = new QWidget(this);
    auto* h = new QHBoxLayout(heading);
    h->setContentsMargins(4, 2, 4, 2);
    bookSelector_ = new QComboBox(heading);
    bookSelector_->setObjectName("bookSelector");
    bookSelector_->setMinimumWidth(180);
    bookSelector_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(bookSelector_, &QComboBox::activated, this,
            [this](int item) { app_.reports().ChooseBook(item); });
    caption_ = new QLabel(heading);
    caption_->setObjectName("caption");
    caption_->setTextFormat(Qt::PlainText);
    QFont big = caption_->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    caption_->setFont(big);
    range_ = new QLabel(heading);
    range_->setObjectName("range");
    range_->setTextFormat(Qt::PlainText);
    h->addWidget(bookSelector_);
    h->addSpacing(16);
    h->addWidget(caption_);
    h->addStretch(1);
    h->addWidget(range_);
    v->addWidget(heading);

    grid_ = new QTableView(this);
    grid_->setObjectName("summaryGrid");
    model_ = new SummaryModel(app_, grid_);
    grid_->setModel(model_);
    grid_->setItemDelegate(new SummaryCellDelegate(grid_));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setTabKeyNavigation(false);  // Tab leaves the grid; the arrows move in it
    grid_->setWordWrap(false);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->horizontalHeader()->setMinimumSectionSize(0);
    // The application object keeps the widths the user gives, so that a ledger opened
    // later shows them and the close request saves them.
    connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (applyingWidths_) return;
        SummaryLayout layout = app_.summaryLayout();
        SaveColumnWidths(layout);
        app_.reports().SetLayout(layout);
    });
    v->addWidget(grid_, 1);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("summaryStatusBar");
    statusBar_->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        auto* panel = new QLabel(statusBar_);
        panel->setObjectName(QString("panel%1").arg(i));
        panel->setTextFormat(Qt::PlainText);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (i == 0) panel->setMinimumWidth(200);
        statusBar_->addWidget(panel, i);
        statusPanels_[i] = panel;
    }
    v->addWidget(statusBar_);

    // The copy key works wherever the focus is on this page; the grid's pop-up menu
    // offers the same.
    copy_ = new QAction(Q(kCopyTableCaption), this);
    copy_->setObjectName("copyTable");
    copy_->setShortcut(QKeySequence::Copy);
    // A window shortcut of a widget acts only while the widget is shown: Ctrl+C copies
    // whenever this page is on screen, wherever the focus was left (the ribbon, a hidden
    // ledger grid).
    copy_->setShortcutContext(Qt::WindowShortcut);
    connect(copy_, &QAction::triggered, this, &SummaryPage::CopyTable);
    addAction(copy_);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    grid_->addAction(copy_);

    // The marker and the label stay in place while the months scroll past; a double-click
    // on either part drills down.
    auto* frozen = new FrozenColumns(grid_, kLabelColumn + 1);
    for (QTableView* view : {grid_, frozen->view()}) {
        connect(view, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
            app_.reports().DrillDownRow(SummaryModel::GridRow(index.row()));
        });
        view->installEventFilter(this);
    }

    ApplyColumnWidths(SummaryLayout{});
    ShowSummary();
}

// The keyboard path of the grid (either part): Enter drills down as the double-click
// does, Esc or Backspace in the descriptions goes back as "Back" does, and the arrows
// across scroll the months (the rows are selected whole, so there is no cell to move to).
bool SummaryPage::eventFilter(QObject* watched, QEvent* event) {
    const bool keyEvent =
        event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (!keyEvent || !qobject_cast<QTableView*>(watched))
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    const bool drilled = app_.summary().drillLevel() > 0;
    const int code = key->key();
    const bool ours = code == Qt::Key_Return || code == Qt::Key_Enter || code == Qt::Key_Right ||
                      code == Qt::Key_Left ||
                      (drilled && (code == Qt::Key_Escape || code == Qt::Key_Backspace));
    if (!ours) return false;
    event->accept();  // a window shortcut on the same key does not take it
    if (event->type() == QEvent::ShortcutOverride) return true;
    if (code == Qt::Key_Return || code == Qt::Key_Enter) {
        const QModelIndex current = grid_->currentIndex();
        if (current.isValid()) app_.reports().DrillDownRow(SummaryModel::GridRow(current.row()));
    } else if (code == Qt::Key_Escape || code == Qt::Key_Backspace) {
        app_.reports().GoBack();
    } else {
        grid_->horizontalScrollBar()->triggerAction(code == Qt::Key_Right
                                                        ? QAbstractSlider::SliderSingleStepAdd
                                                        : QAbstractSlider::SliderSingleStepSub);
    }
    return true;
}

void SummaryPage::ShowSummary() {
    const MonthlySummary& s = app_.summary();
    const BookSelector& selector = s.selector();
    QStringList items;
    for (const std::string& name : selector.names) items << QString::fromStdString(name);
    {
        const QSignalBlocker quiet(bookSelector_);
        bool same = bookSelector_->count() == items.size();
        for (int i = 0; same && i < items.size(); ++i)
            same = bookSelector_->itemText(i) == items[i];
        if (!same) {
            bookSelector_->clear();
            bookSelector_->addItems(items);
        }
        bookSelector_->setCurrentIndex(selector.IsAllBooks() ? 0 : selector.itemIndex);
    }

    model_->Reload();
    caption_->setText(QString::fromStdString(s.caption()));
    range_->setText(QString::fromStdString(s.range()));
    const auto status = SummaryStatusTexts(s);
    for (int i = 0; i < 2; ++i)
        statusPanels_[i]->setText(QString::fromStdString(status[static_cast<std::size_t>(i)]));
}

void SummaryPage::SaveColumnWidths(SummaryLayout& layout) const {
    for (int c = 0; c < kSummaryColumns; ++c)
        layout.columnWidths[static_cast<std::size_t>(c)] = grid_->columnWidth(c);
}

void SummaryPage::ApplyColumnWidths(const SummaryLayout& layout) {
    applyingWidths_ = true;
    for (int c = 0; c < kSummaryColumns; ++c)
        grid_->setColumnWidth(c, layout.columnWidths[static_cast<std::size_t>(c)]);
    applyingWidths_ = false;
}

void SummaryPage::CopyTable() const {
    std::vector<GridCell> cells;
    for (const QModelIndex& index : grid_->selectionModel()->selectedIndexes())
        cells.push_back({index.column(), SummaryModel::GridRow(index.row())});
    const MonthlySummary& s = app_.summary();
    QApplication::clipboard()->setText(
        QString::fromStdString(SummaryTableText(s.grid(), s.lastRow(), cells)));
}

}  // namespace velmora::gui
