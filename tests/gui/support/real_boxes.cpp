#include "gui/support/real_boxes.h"

#include <QApplication>
#include <QTimer>

namespace velmora::testing {

void RealBoxes::ShowInfo(const std::string& heading, const std::string& text) {
    ScriptedDialogs::ShowInfo(heading, text);
    if (realInfo) boxes.ShowInfo(heading, text);
}

bool RealBoxes::AskYesNo(const std::string& title, const std::string& heading,
                         const std::string& text) {
    return boxes.AskYesNo(title, heading, text);
}

bool RealBoxes::AskYesNoDefaultNo(const std::string& title, const std::string& heading,
                                  const std::string& text) {
    return boxes.AskYesNoDefaultNo(title, heading, text);
}

SaveAnswer RealBoxes::AskSave(const std::string& message, const std::string& button1,
                              const std::string& button2, const std::string& button3) {
    return boxes.AskSave(message, button1, button2, button3);
}

void WhenBoxOpens(const char* name, std::function<void(QMessageBox*)> act) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, name, act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box->objectName() != QLatin1String(name) || !box->isActiveWindow())
            return;
        timer->stop();
        timer->deleteLater();
        act(box);
    });
    timer->start(5);
}

}  // namespace velmora::testing
