#pragma once
// The ledger grid's rows as a table model: header row, then the rows of the view the
// application object built, padded with empty rows to fill the window (and, after a view
// a few rows shorter, by the rows it had). It reads the rows where they are; nothing is
// copied.
#include <QAbstractTableModel>

#include "core/app/application.h"

namespace velmora::gui {

class LedgerModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit LedgerModel(const Application& app, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The view was rebuilt.
    void Reload();
    // The height the rows have to fill changed.
    void SetVisibleHeight(int height);
    // The rows the view wrote; the rows after them are padding.
    int WrittenRows() const;
    // The record index of a grid row (header excluded), when it carries one.
    std::optional<int> RecordIndexOfRow(int row) const;

private:
    // The grid's row count becomes rows: rows are added or taken away at the end.
    void Resize(int rows);

    const Application& app_;
    int visibleHeight_ = 0;
    int rows_ = 0;
};

}  // namespace velmora::gui
