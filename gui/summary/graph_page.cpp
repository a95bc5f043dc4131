#include "gui/summary/graph_page.h"

#include <QAction>
#include <QBuffer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include "gui/summary/qt_colour.h"

namespace velmora::gui {
namespace {

QRect Rect(const GraphBox& box) {
    return QRect(box.left, box.top, box.width, box.height);
}

Qt::Alignment Alignment(GraphAlign align) {
    switch (align) {
        case GraphAlign::Centre:
            return Qt::AlignCenter;
        case GraphAlign::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case GraphAlign::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

// The white panel of fixed size with the scale lines across it.
class GraphPanel final : public QWidget {
public:
    explicit GraphPanel(QWidget* parent) : QWidget(parent) {
        setObjectName("graphPanel");
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, QtColour(kGraphPanelColour));
        setPalette(p);
    }

    void SetLines(std::vector<int> tops) { lineTops_ = std::move(tops); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(QtColour(kGraphLineColour), 1));
        for (int top : lineTops_) painter.drawLine(0, top, width() - 1, top);
    }

private:
    std::vector<int> lineTops_;
};

GraphPage::GraphPage(Application& app, QWidget* parent) : QWidget(parent), app_(app) {
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);
    auto* heading = new QWidget(this);
    auto* h = new QHBoxLayout(heading);
    h->setContentsMargins(4, 2, 4, 2);
    auto* caption = new QLabel(QString::fromUtf8(kGraphCaption), heading);
    caption->setObjectName("graphCaption");
    QFont big = caption->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    caption->setFont(big);
    range_ = new QLabel(heading);
    range_->setObjectName("range");
    range_->setTextFormat(Qt::PlainText);
    h->addWidget(caption);
    h->addSpacing(16);
    h->addWidget(range_);
    h->addStretch(1);
    // The legend: a swatch of each bar's colour, and what the difference rows hold.
    legend_ = new QWidget(heading);
    legend_->setObjectName("legend");
    auto* l = new QHBoxLayout(legend_);
    l->setContentsMargins(6, 0, 6, 0);
    const auto entry = [&](const char* name, const char* text, const RgbColour* colour) {
        if (colour != nullptr) {
            auto* swatch = new QLabel(legend_);
            swatch->setFixedSize(14, 14);
            swatch->setAutoFillBackground(true);
            QPalette p = swatch->palette();
            p.setColor(QPalette::Window, QtColour(*colour));
            swatch->setPalette(p);
            l->addWidget(swatch);
        }
        auto* label = new QLabel(QString::fromUtf8(text), legend_);
        label->setObjectName(name);
        l->addWidget(label);
        l->addSpacing(10);
    };
    entry("legendIncome", kGraphIncomeLegend, &kIncomeBarColour);
    entry("legendExpense", kGraphExpenseLegend, &kExpenseBarColour);
    entry("legendBalance", kGraphBalanceLegend, nullptr);
    h->addWidget(legend_);
    v->addWidget(heading);

    panel_ = new GraphPanel(this);
    // The widgets are made once, in the layout's order; every build only moves and
    // relabels them.
    const GraphLayout layout = LayOutGraph(GraphFigures{});
    panel_->setFixedSize(layout.width, layout.height);
    for (const GraphBarShape& shape : layout.bars) {
        auto* bar = new QWidget(panel_);
        bar->setObjectName(QString::fromStdString(shape.name));
        bar->setAutoFillBackground(true);
        QPalette p = bar->palette();
        p.setColor(QPalette::Window, QtColour(shape.colour));
        bar->setPalette(p);
        bars_.push_back(bar);
    }
    for (const GraphText& text : layout.texts) {
        auto* label = new QLabel(panel_);
        label->setObjectName(QString::fromStdString(text.name));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Alignment(text.align));
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, QtColour(text.colour));
        p.setColor(QPalette::Window, QtColour(text.background));
        label->setPalette(p);
        label->setAutoFillBackground(text.filled);
        texts_.push_back(label);
    }
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("graphScroll");
    scroll->setWidget(panel_);
    scroll->setWidgetResizable(false);
    v->addWidget(scroll, 1);

    saveImage_ = new QAction(QString::fromUtf8(kSaveGraphImageCaption), this);
    saveImage_->setObjectName("saveGraphImage");
    connect(saveImage_, &QAction::triggered, this, [this] {
        app_.reports().SaveGraphImage([this] {
            QByteArray png;
            QBuffer buffer(&png);
            if (!buffer.open(QIODevice::WriteOnly) || !Picture().save(&buffer, "PNG"))
                return std::string();
            return png.toStdString();
        });
    });
    addAction(saveImage_);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    ShowGraph();
}

QWidget* GraphPage::panel() const {
    return panel_;
}

void GraphPage::ShowGraph() {
    range_->setText(QString::fromStdString(app_.summary().range()));
    const GraphLayout layout = LayOutGraph(app_.summary().graph());
    panel_->SetLines(layout.lineTops);
    for (std::size_t i = 0; i < layout.bars.size(); ++i) {
        const GraphBarShape& shape = layout.bars[i];
        bars_[i]->setGeometry(Rect(shape.box));
        bars_[i]->setToolTip(QString::fromStdString(shape.hint));
    }
    for (std::size_t i = 0; i < layout.texts.size(); ++i) {
        const GraphText& text = layout.texts[i];
        QLabel* label = texts_[i];
        QFont font = label->font();
        font.setPointSizeF(text.pointSize);
        label->setFont(font);
        label->setGeometry(Rect(text.box));
        label->setText(QString::fromStdString(text.text));
        label->setToolTip(QString::fromStdString(text.hint));
    }
    panel_->update();
}

QImage GraphPage::Picture() const {
    // Above the panel: what it shows (caption, year, book), then the legend of the page.
    const MonthlySummary& s = app_.summary();
    const BookSelector& books = s.selector();
    const std::string book = books.itemIndex >= 0 && books.itemIndex < books.Count()
                                 ? books.names[static_cast<std::size_t>(books.itemIndex)]
                                 : std::string();
    const QString title = QString::fromStdString(
        GraphPictureTitle(s.range(), book, s.drillLevel() == 1 ? s.selectedTitle() : ""));
    const int titleHeight = 28;
    const int legendHeight = legend_->sizeHint().height();
    const QSize size(panel_->width(), titleHeight + legendHeight + panel_->height());
    QImage image(size * kGraphImageScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kGraphImageScale);
    image.fill(QtColour(kGraphPanelColour));
    QPainter painter(&image);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(6, 0, size.width() - 12, titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     title);
    legend_->render(&painter, QPoint(0, titleHeight));
    panel_->render(&painter, QPoint(0, titleHeight + legendHeight));
    return image;
}

}  // namespace velmora::gui
