#include "gui/printing/preview_page.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
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
    last_ = new QPushButton(QStringLiteral("→|"), this);
    first_->setToolTip(QStringLiteral("最初のページ (Home)"));
    next_->setToolTip(QStringLiteral("次のページ (PgDn)"));
    last_->setToolTip(QStringLiteral("最後のページ (End)"));
    pageBox_ = new QSpinBox(this);
    pageBox_->setObjectName("pageNumber");
    pageBox_->setToolTip(QStringLiteral("ページ番号を入力して Enter"));
    pageBox_->setKeyboardTracking(false);
    pageBox_->setRange(1, 1);
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName("pageLabel");
    for (QPushButton* b : {first_, next_, last_}) b->setFixedWidth(32);
    bar->addWidget(first_);
    bar->addWidget(next_);
    bar->addWidget(last_);
    bar->addWidget(pageBox_);
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
    scroll_->setFocusPolicy(Qt::StrongFocus);
    sheet_ = new PreviewSheet(app_, scroll_);
    scroll_->setWidget(sheet_);
    v->addWidget(scroll_, 1);

    PrintingController& printing = app_.printing();
    connect(first_, &QPushButton::clicked, this, [this] { Step(&PrintingController::FirstPage); });
    connect(next_, &QPushButton::clicked, this, [this] { Step(&PrintingController::NextPage); });
    connect(last_, &QPushButton::clicked, this, [this] { Step(&PrintingController::LastPage); });
    connect(pageBox_, &QSpinBox::valueChanged, this, [this, &printing](int page) {
        if (page != app_.printJob().controls().pageShown) printing.GoToPage(page);
    });
    connect(zoom_, &QSlider::valueChanged, this, [this, &printing](int z) {
        printing.SetZoom(z);
        ShowJob();
    });
    connect(tabs_, &QTabBar::currentChanged, this, [&printing](int tab) {
        if (tab >= 0) printing.ChoosePreviewTab(tab);
    });
    ShowJob();
}

void PreviewPage::Step(void (PrintingController::*step)()) {
    (app_.printing().*step)();
}

void PreviewPage::keyPressEvent(QKeyEvent* event) {
    if (app_.printJob().controls().pageButtonsShown && event->modifiers() == Qt::NoModifier) {
        if (event->key() == Qt::Key_Home) return Step(&PrintingController::FirstPage);
        if (event->key() == Qt::Key_End) return Step(&PrintingController::LastPage);
    }
    QWidget::keyPressEvent(event);
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
    // A tab bar filled while its page was hidden keeps the height it had empty (none) until
    // its layout is told: on the first print after the start the tabs would not show.
    tabs_->updateGeometry();
    {
        const QSignalBlocker block(zoom_);
        zoom_->setValue(job.panel().zoom);
    }
    zoomText_->setText(QString::number(job.panel().zoom) + "%");
    caption_->setText(Q(c.previewCaption));
    for (QWidget* w : std::initializer_list<QWidget*>{first_, next_, last_, pageBox_, pageLabel_})
        w->setVisible(c.pageButtonsShown);
    {
        const QSignalBlocker block(pageBox_);
        pageBox_->setRange(1, std::max(c.pageCount, 1));
        pageBox_->setValue(c.pageShown);
    }
    pageLabel_->setText(QStringLiteral("%1 / %2 ページ").arg(c.pageShown).arg(c.pageCount));
    printing_->setText(Q(c.printingCaption));
    printing_->setVisible(!c.sheetShown);
    scroll_->setVisible(c.sheetShown);
    sheet_->Relayout();
    // A new job or another page is read from its top.
    if (c.jobNumber != shownJob_ || c.pageShown != shownPage_) {
        scroll_->verticalScrollBar()->setValue(0);
        scroll_->horizontalScrollBar()->setValue(0);
        shownJob_ = c.jobNumber;
        shownPage_ = c.pageShown;
    }
}

}  // namespace velmora::gui
