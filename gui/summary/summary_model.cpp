#include "gui/summary/summary_model.h"

#include <QBrush>

#include "core/reports/summary_cells.h"
#include "gui/summary/qt_colour.h"

namespace velmora::gui {

SummaryModel::SummaryModel(const Application& app, QObject* parent)
    : QAbstractTableModel(parent), app_(app) {}

int SummaryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : app_.summary().grid().RowCount() - 1;
}

int SummaryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kSummaryColumns;
}

QVariant SummaryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const SummaryGrid& grid = app_.summary().grid();
    const int row = GridRow(index.row());
    const int column = index.column();
    if (role == Qt::DisplayRole) return QString::fromStdString(grid.Cell(column, row));
    // The whole title or description, also where the column shows it cut.
    if (role == Qt::ToolTipRole) {
        const std::string& text = grid.Cell(column, row);
        return column == 1 && !text.empty() ? QVariant(QString::fromStdString(text)) : QVariant();
    }
    if (role != Qt::TextAlignmentRole && role != Qt::ForegroundRole && role != Qt::BackgroundRole)
        return {};
    const SummaryCellLook look =
        SummaryCellLookOf(grid, column, row, app_.session().settings.negativeInRed);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(look.rightAligned ? Qt::AlignRight | Qt::AlignTop
                                                     : Qt::AlignLeft | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole) return QBrush(QtColour(look.text));
    return QBrush(QtColour(look.background));
}

QVariant SummaryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kSummaryColumns)
        return {};
    return QString::fromStdString(app_.summary().grid().Cell(section, 0));
}

void SummaryModel::Reload() {
    beginResetModel();
    endResetModel();
}

}  // namespace velmora::gui
