#include "gui/import/statement_preview_model.h"

#include <QBrush>
#include <QColor>

namespace velmora::gui {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QColor LookColour(PreviewLook look) {
    switch (look) {
        case PreviewLook::HeaderRow:
        case PreviewLook::Passed:
            return QColor(128, 128, 128);
        case PreviewLook::NotImported:
            return QColor(192, 0, 0);
        case PreviewLook::Imported:
            return QColor(0, 112, 0);
        case PreviewLook::Import:
            break;
    }
    return QColor(0, 0, 0);
}

}  // namespace

void StatementPreviewModel::Show(const StatementPreview* preview) {
    beginResetModel();
    preview_ = preview;
    endResetModel();
}

int StatementPreviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !preview_ ? 0 : preview_->RowCount();
}

int StatementPreviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !preview_ ? 0 : preview_->ColumnCount();
}

QVariant StatementPreviewModel::data(const QModelIndex& index, int role) const {
    if (!preview_ || !index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return Q(preview_->Cell(index.row(), index.column()));
    if (role == Qt::ForegroundRole) return QBrush(LookColour(preview_->Look(index.row())));
    if (role == Qt::TextAlignmentRole && preview_->IsAmountColumn(index.column()))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant StatementPreviewModel::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
    if (!preview_ || role != Qt::DisplayRole) return {};
    return Q(orientation == Qt::Horizontal ? preview_->Header(section)
                                           : preview_->RowHeader(section));
}

}  // namespace velmora::gui
