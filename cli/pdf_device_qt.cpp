#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

#include "cli/pdf_device.h"
#include "qtprint/qt_print_device.h"

namespace velmora::cli {
namespace {

// Standard error carries the program's messages only: Qt's notes about its surroundings
// (no runtime folder, a missing plugin) are not the user's business. Its critical and fatal
// messages still go there.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// Qt's fonts and PDF engine need an application object; the offscreen platform needs no
// display.
struct PdfPrinting {
    explicit PdfPrinting(int dpi) : application(MakeApplication()), device(QStringList(), dpi) {}

    static std::unique_ptr<QGuiApplication> MakeApplication() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(QuietQtMessages);
        static int argc = 1;
        static char name[] = "velmora-cli";
        static char* argv[] = {name, nullptr};
        return std::make_unique<QGuiApplication>(argc, argv);
    }

    std::unique_ptr<QGuiApplication> application;
    gui::QtPrintDevice device;
};

}  // namespace

std::shared_ptr<PrintDevice> MakePdfDevice(const std::string& path, int dpi) {
    auto printing = std::make_shared<PdfPrinting>(dpi);
    printing->device.SetPdfFile(path);
    return std::shared_ptr<PrintDevice>(printing, &printing->device);
}

}  // namespace velmora::cli
