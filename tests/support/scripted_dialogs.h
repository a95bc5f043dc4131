#pragma once
// A Dialogs fake for tests: records every message and question and answers from a script.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/dialogs.h"

namespace velmora::testing {

class ScriptedDialogs : public Dialogs {
public:
    struct Event {
        std::string kind;  // "info", "yesno", "save", "open", "saveas", "text", "beep"
        std::string heading;
        std::string text;
    };

    void ShowInfo(const std::string& heading, const std::string& text) override;
    bool AskYesNo(const std::string& title, const std::string& heading,
                  const std::string& text) override;
    SaveAnswer AskSave(const std::string& message, const std::string& button1,
                       const std::string& button2, const std::string& button3) override;
    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                       const std::string& initial) override;
    void Beep() override;

    // Scripted answers, taken in order; when a queue is empty the default applies
    // (Yes, SaveAnswer::No, cancelled file dialogs and input boxes).
    std::deque<bool> yesNoAnswers;
    std::deque<SaveAnswer> saveAnswers;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveFileAnswers;
    std::deque<std::optional<std::string>> textAnswers;

    std::vector<Event> events;
    std::vector<FileDialogRequest> fileRequests;

    // "heading|text" of every information box, in order.
    std::vector<std::string> Infos() const;
    // Every event as "kind:heading|text".
    std::vector<std::string> Log() const;
    void Clear() {
        events.clear();
        fileRequests.clear();
    }
};

}  // namespace velmora::testing
