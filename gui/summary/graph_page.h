#pragma once
// The main page "入出金グラフ": the heading (caption and period) over the graph panel, whose
// bars and labels are child widgets named as the figures are ("income3", "incomeTotal3",
// "month3", "scaleTop", ...) and placed where the core's layout puts them. The panel
// paints its scale lines; it shows the figures of the last summary build and computes
// nothing of its own.
#include <QImage>
#include <QWidget>
#include <vector>

#include "core/app/application.h"
#include "core/reports/graph_layout.h"

class QAction;
class QLabel;

namespace velmora::gui {

class GraphPanel;

class GraphPage : public QWidget {
    Q_OBJECT
public:
    explicit GraphPage(Application& app, QWidget* parent = nullptr);

    QWidget* panel() const;
    QAction* saveImageAction() const { return saveImage_; }

    // The summary (and so the graph) was built again.
    void ShowGraph();
    // The panel as a picture at twice its size.
    QImage Picture() const;

private:
    Application& app_;
    QLabel* range_ = nullptr;
    QWidget* legend_ = nullptr;  // "収入", "支出", "差引"
    GraphPanel* panel_ = nullptr;
    std::vector<QWidget*> bars_;  // in the order of GraphLayout::bars
    std::vector<QLabel*> texts_;  // in the order of GraphLayout::texts
    QAction* saveImage_ = nullptr;
};

}  // namespace velmora::gui
