#pragma once
// Scripted dialogs whose questions (and, when asked for, messages) are the program's own
// message boxes, for tests that answer them with the keyboard or a click as the user does.
#include <QMessageBox>
#include <functional>
#include <string>

#include "gui/app/qt_dialogs.h"
#include "support/scripted_dialogs.h"

namespace velmora::testing {

class RealBoxes : public ScriptedDialogs {
public:
    void ShowInfo(const std::string& heading, const std::string& text) override;
    bool AskYesNo(const std::string& title, const std::string& heading,
                  const std::string& text) override;
    bool AskYesNoDefaultNo(const std::string& title, const std::string& heading,
                           const std::string& text) override;
    SaveAnswer AskSave(const std::string& message, const std::string& button1,
                       const std::string& button2, const std::string& button3) override;

    gui::QtDialogs boxes;   // its owner is the test's main window
    bool realInfo = false;  // messages too, else they are only recorded
};

// Runs act once on the modal box named name ("velmoraInfo", "velmoraYesNo", "velmoraSave")
// when it is open and active.
void WhenBoxOpens(const char* name, std::function<void(QMessageBox*)> act);

}  // namespace velmora::testing
