#include "gui/app/qt_shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace velmora::gui {

void QtShell::OpenUrl(const std::string& url) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void QtShell::OpenPath(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool QtShell::StartProgram(const std::string& program) {
    const QString path = QStandardPaths::findExecutable(QString::fromStdString(program));
    return !path.isEmpty() && QProcess::startDetached(path, {});
}

}  // namespace velmora::gui
