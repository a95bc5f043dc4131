#pragma once
// The monthly summary grid as a table model: the core's grid row 0 is the header, its
// rows 1.. are the model's rows 0.., read where the application object keeps them.
#include <QAbstractTableModel>

#include "core/app/application.h"

namespace velmora::gui {

class SummaryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SummaryModel(const Application& app, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The summary was built again.
    void Reload();
    // The grid row of a model row, and back.
    static int GridRow(int modelRow) { return modelRow + 1; }
    static int ModelRow(int gridRow) { return gridRow - 1; }

private:
    const Application& app_;
};

}  // namespace velmora::gui
