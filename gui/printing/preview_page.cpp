#include "gui/printing/preview_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QVBoxLayout>

#include "qtprint/qt_canvas.h"
#include "qtprint/qt_text.h"

namespace velmora::gui {
namespace {

constexpr int kSheetMargin = 12;  // grey around the sheet

}  // namespace

PreviewSheet::PreviewSheet(Application& app, QWidget* parent) : QWidget(parent), app_(app) {
    setObjectName("paperPanel");
}

void PreviewSheet::Relayout() {
    const PreviewGeometry g = app_.printJob().previewGeometry();
    setFixedSize(g.sheet.width + 2 * kSheetMargin, g.sheet.height + 2 * kSheetMargin);
    update();
}

QImage PreviewSheet::RenderArea() const {
    const PrintJob& job = app_.printJob();
    const PreviewGeometry g = job.previewGeometry();
    const int width = std::max(1, g.area.right - g.area.left);
    const int height = std::max(1, g.area.bottom - g.area.top);
    QImage area(width, height, QImage::Format_RGB32);
    area.fill(Qt::white);
    QPainter painter(&area);
    QtCanvas canvas(painter, g.resolutionX, false);
    QtImageLoader images;
    // A page that fails to draw shows what was drawn before the failing item.
    (void)job.PaintPreview(canvas, images);
    return area;
}

void PreviewSheet::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
    const PreviewGeometry g = app_.printJob().previewGeometry();
    const QRect sheet(kSheetMargin, kSheetMargin, g.sheet.width, g.sheet.height);
    painter.fillRect(sheet.translated(3, 3), QColor(64, 64, 64));
    painter.fillRect(sheet, Qt::white);
    if (app_.printJob().controls().sheetShown)
        painter.drawImage(QPoint(kSheetMargin + g.area.left, kSheetMargin + g.area.top),
                          RenderArea());
}

PreviewPage::PreviewPage(Application& app, QWidget* parent) : QWidget(parent), app_(app) {
    setObjectName(Q("印刷プレビュー"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    tabs_ = new QTabBar(this);
    tabs_->setObjectName("previewMonthTabs");
    v->addWidget(tabs_);

    auto* bar = new QHBoxLayout();
    caption_ = new QLabel(this);
    caption_->setObjectName("previewCaption");
    bar->addWidget(caption_);
    bar->addStretch(1);
    first_ = new QPushButton(QStringLiteral("←"), this);
    next_ = new QPushButton(QStringLiteral("→"), this);
    pageLabel_ = new QLabel(QStringLiteral("Page"), this);
    for (QPushButton* b : {first_, next_}) b->setFixedWidth(32);
    bar->addWidget(first_);
    bar->addWidget(next_);
    bar->addWidget(pageLabel_);
    bar->addSpacing(16);
    zoom_ = new QSlider(Qt::Horizontal, this);
    zoom_->setObjectName("zoom");
    zoom_->setRange(5, 200);
    zoom_->setFixedWidth(160);
    bar->addWidget(zoom_);
    zoomText_ = new QLabel(this);
    zoomText_->setMinimumWidth(40);
    bar->addWidget(zoomText_);
    for (int percent : {50, 100, 150, 200}) {
        auto* b = new QPushButton(QString::number(percent) + "%", this);
        b->setFixedWidth(48);
        connect(b, &QPushButton::clicked, this, [this, percent] { zoom_->setValue(percent); });
        bar->addWidget(b);
    }
    v->addLayout(bar);

    printing_ = new QLabel(this);
    printing_->setObjectName("printingCaption");
    printing_->setAlignment(Qt::AlignCenter);
    printing_->hide();
    v->addWidget(printing_, 1);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("sheetScroll");
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    sheet_ = new PreviewSheet(app_, scroll_);
    scroll_->setWidget(sheet_);
    v->addWidget(scroll_, 1);

    PrintJob& job = app_.mutablePrintJob();
    connect(first_, &QPushButton::clicked, this, [&job] { job.FirstPage(); });
    connect(next_, &QPushButton::clicked, this, [&job] { job.NextPage(); });
    connect(zoom_, &QSlider::valueChanged, this, [this, &job](int z) {
        job.SetZoom(z);
        ShowJob();
    });
    connect(tabs_, &QTabBar::currentChanged, this, [&job](int tab) {
        if (tab >= 0) job.ChoosePreviewTab(tab);
    });
    ShowJob();
}

void PreviewPage::ShowJob() {
    const PrintJob& job = app_.printJob();
    const PrintControls& c = job.controls();
    {
        const QSignalBlocker block(tabs_);
        while (tabs_->count() > static_cast<int>(c.previewTabs.size())) tabs_->removeTab(0);
        while (tabs_->count() < static_cast<int>(c.previewTabs.size())) tabs_->addTab(QString());
        for (int i = 0; i < tabs_->count(); ++i)
            tabs_->setTabText(i, Q(c.previewTabs[static_cast<std::size_t>(i)]));
        if (c.previewTab >= 0 && c.previewTab < tabs_->count())
            tabs_->setCurrentIndex(c.previewTab);
    }
    {
        const QSignalBlocker block(zoom_);
        zoom_->setValue(job.panel().zoom);
    }
    zoomText_->setText(QString::number(job.panel().zoom) + "%");
    caption_->setText(Q(c.previewCaption));
    for (QWidget* w : std::initializer_list<QWidget*>{first_, next_, pageLabel_})
        w->setVisible(c.pageButtonsShown);
    pageLabel_->setText(QStringLiteral("Page %1").arg(job.state().page));
    printing_->setText(Q(c.printingCaption));
    printing_->setVisible(!c.sheetShown);
    scroll_->setVisible(c.sheetShown);
    sheet_->Relayout();
}

}  // namespace velmora::gui
