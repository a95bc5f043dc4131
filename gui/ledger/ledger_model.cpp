#include "gui/ledger/ledger_model.h"

#include <QBrush>
#include <QColor>

#include "core/ledgerview/ledger_view.h"
#include "qtprint/qt_text.h"

namespace velmora::gui {

LedgerModel::LedgerModel(const Application& app, QObject* parent)
    : QAbstractTableModel(parent), app_(app) {}

int LedgerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int LedgerModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kLedgerGridColumns;
}

int LedgerModel::WrittenRows() const {
    return static_cast<int>(app_.ledgerView().rows.size());
}

QVariant LedgerModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto& rows = app_.ledgerView().rows;
    const std::size_t r = static_cast<std::size_t>(index.row());
    const int column = index.column();
    if (role == Qt::TextAlignmentRole) {
        const bool amount = column >= 4 && column <= 6;
        return QVariant::fromValue(Qt::AlignTop | (amount ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (r >= rows.size()) return {};
    const LedgerRow& row = rows[r];
    if (role == Qt::DisplayRole) {
        if (column == 0) return Q(row.Marker());
        if (column == 7) return Q(row.Text());
        return Q(row.CellText(static_cast<LedgerRow::Cell>(column - 1)));
    }
    if (role == Qt::ForegroundRole && column == 6 && BalanceInRed(app_.session(), row))
        return QBrush(QColor(Qt::red));
    return {};
}

QVariant LedgerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignTop);
    if (role != Qt::DisplayRole) return {};
    if (section >= 1 && section <= 6)
        return Q(std::string(kLedgerHeaders[static_cast<std::size_t>(section - 1)]));
    return QString();
}

// A month holds tens of thousands of rows: a reset would have the grid lay out every one of
// them again. The rows kept are said to have changed and only the difference in count comes
// or goes at the end, which costs the grid the rows it shows. Rows taken away still cost it
// a walk over every row it has (its header renumbers them), so a view a few rows shorter
// (an undo, a deletion) keeps the rows it had as padding until more than a page would be
// left over.
void LedgerModel::Reload() {
    constexpr int kKeptPadding = 64;
    const int rows = PaddedRowCount(app_.ledgerView().rows.size(), visibleHeight_);
    if (rows > rows_ || rows_ - rows > kKeptPadding) Resize(rows);
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, kLedgerGridColumns - 1));
}

// Only padding rows come and go here, so the selection and scroll position stay.
void LedgerModel::SetVisibleHeight(int height) {
    visibleHeight_ = height;
    Resize(PaddedRowCount(app_.ledgerView().rows.size(), visibleHeight_));
}

void LedgerModel::Resize(int rows) {
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
}

std::optional<int> LedgerModel::RecordIndexOfRow(int row) const {
    const auto& rows = app_.ledgerView().rows;
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return std::nullopt;
    return rows[static_cast<std::size_t>(row)].RecordIndex();
}

}  // namespace velmora::gui
