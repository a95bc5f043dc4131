#pragma once
// The print preview page: the month tabs, the zoom with its four buttons, the page
// buttons, and the sheet with the printable area, where the loaded page is drawn by the Qt
// canvas at the zoomed resolution (never a scaled 96-dpi picture).
#include <QWidget>

#include "core/app/application.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QSlider;
class QSpinBox;
class QTabBar;

namespace velmora::gui {

// The sheet (`paperpanel`) with the printable area (`PaintBox1`) at the printer's offsets.
class PreviewSheet : public QWidget {
    Q_OBJECT
public:
    explicit PreviewSheet(Application& app, QWidget* parent = nullptr);
    // Sizes the sheet from the printer metrics and the zoom, and paints it again.
    void Relayout();
    // The printable area as the canvas draws it: white, then the page.
    QImage RenderArea() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Application& app_;
};

class PreviewPage : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPage(Application& app, QWidget* parent = nullptr);
    // The job changed: tabs, captions, page buttons, zoom and the sheet.
    void ShowJob();
    PreviewSheet* sheet() const { return sheet_; }
    QSlider* zoom() const { return zoom_; }

    // A page step (the page buttons, Home, End, and the window's PgUp and PgDn while the
    // preview is shown), told to the application like every other print command.
    void Step(void (PrintingController::*step)());

protected:
    // Home and End: the first and the last page.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Application& app_;
    QTabBar* tabs_ = nullptr;
    QLabel* caption_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QPushButton* first_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* last_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    int shownJob_ = -1;  // the job and page last shown: a change scrolls to the top
    int shownPage_ = -1;
    QSlider* zoom_ = nullptr;
    QLabel* zoomText_ = nullptr;
    QLabel* printing_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    PreviewSheet* sheet_ = nullptr;
};

}  // namespace velmora::gui
