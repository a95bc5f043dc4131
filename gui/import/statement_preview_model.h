#pragma once
// The import dialog's grid over the core's StatementPreview: cells read on demand, rows
// coloured by what becomes of them.
#include <QAbstractTableModel>

#include "core/import/statement_preview.h"

namespace velmora::gui {

class StatementPreviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StatementPreviewModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // The grid shows preview from now on.
    void Show(const StatementPreview* preview);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const StatementPreview* preview_ = nullptr;
};

}  // namespace velmora::gui
