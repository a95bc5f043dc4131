#pragma once
// The manual in a window of the program itself: the shipped HTML with its pictures, read
// from the program folder, so that help needs neither a web browser nor a network.
#include <QWidget>

class QTextBrowser;

namespace velmora::gui {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the manual at path (an HTML file) from its top, and raises the window.
    void ShowManual(const QString& path);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
};

}  // namespace velmora::gui
