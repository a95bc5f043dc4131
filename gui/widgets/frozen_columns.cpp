#include "gui/widgets/frozen_columns.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace velmora::gui {

FrozenColumns::FrozenColumns(QTableView* table, int count)
    : QObject(table), table_(table), frozen_(new QTableView(table)), count_(count) {
    frozen_->setObjectName(table->objectName() + "Frozen");
    frozen_->setModel(table->model());
    frozen_->setSelectionModel(table->selectionModel());
    frozen_->setItemDelegate(table->itemDelegate());
    frozen_->setSelectionBehavior(table->selectionBehavior());
    frozen_->setSelectionMode(table->selectionMode());
    frozen_->setEditTriggers(table->editTriggers());
    frozen_->setWordWrap(table->wordWrap());
    frozen_->setContextMenuPolicy(table->contextMenuPolicy());
    frozen_->addActions(table->actions());
    frozen_->verticalHeader()->hide();
    frozen_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->verticalHeader()->setDefaultSectionSize(table->verticalHeader()->defaultSectionSize());
    frozen_->horizontalHeader()->setDefaultAlignment(table->horizontalHeader()->defaultAlignment());
    frozen_->horizontalHeader()->setHighlightSections(false);
    frozen_->horizontalHeader()->setMinimumSectionSize(0);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollMode(table->verticalScrollMode());
    frozen_->setFrameShape(QFrame::NoFrame);
    table->viewport()->stackUnder(frozen_);

    // Both views scroll up and down together.
    connect(frozen_->verticalScrollBar(), &QScrollBar::valueChanged, table->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(table->verticalScrollBar(), &QScrollBar::valueChanged, frozen_->verticalScrollBar(),
            &QScrollBar::setValue);
    // A frozen column widened by its header widens the table's; the table's widths (kept
    // layouts) show in the frozen view.
    connect(frozen_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column < count_ && table_->columnWidth(column) != size)
                    table_->setColumnWidth(column, size);
            });
    connect(table->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column < count_ && frozen_->columnWidth(column) != size)
                    frozen_->setColumnWidth(column, size);
                UpdateGeometry();
            });
    connect(table->model(), &QAbstractItemModel::modelReset, this,
            &FrozenColumns::ShowTheSameColumns);
    connect(table->model(), &QAbstractItemModel::columnsInserted, this,
            &FrozenColumns::ShowTheSameColumns);
    table->installEventFilter(this);
    ShowTheSameColumns();
    frozen_->show();
}

void FrozenColumns::ShowTheSameColumns() {
    const int columns = table_->model()->columnCount();
    for (int c = 0; c < columns; ++c) {
        frozen_->setColumnHidden(c, c >= count_ || table_->isColumnHidden(c));
        if (c < count_) frozen_->setColumnWidth(c, table_->columnWidth(c));
    }
    UpdateGeometry();
}

bool FrozenColumns::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        UpdateGeometry();
    return QObject::eventFilter(watched, event);
}

void FrozenColumns::UpdateGeometry() {
    int width = 0;
    for (int c = 0; c < count_; ++c)
        if (!table_->isColumnHidden(c)) width += table_->columnWidth(c);
    const int frame = table_->frameWidth();
    frozen_->setGeometry(table_->verticalHeader()->width() + frame, frame, width,
                         table_->viewport()->height() + table_->horizontalHeader()->height());
    frozen_->horizontalHeader()->setFixedHeight(table_->horizontalHeader()->height());
}

}  // namespace velmora::gui
