#pragma once
// The first columns of a table view kept in place while the table scrolls right: a second
// view of the same model and selection laid over the table's left edge. Clicks, double
// clicks and keys on it act on the same rows (its doubleClicked signal is the table's to
// connect as well), and widening one of its columns widens the table's.
#include <QObject>
#include <QTableView>

namespace velmora::gui {

class FrozenColumns : public QObject {
    Q_OBJECT
public:
    // Columns 0 .. count - 1 of table stay in place. The table's model, delegate and
    // selection model must be set before.
    FrozenColumns(QTableView* table, int count);

    QTableView* view() const { return frozen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateGeometry();
    void ShowTheSameColumns();

    QTableView* table_;
    QTableView* frozen_;
    int count_;
};

}  // namespace velmora::gui
