#include "support/scripted_dialogs.h"

namespace velmora::testing {

void ScriptedDialogs::ShowInfo(const std::string& heading, const std::string& text) {
    events.push_back({"info", heading, text});
}

bool ScriptedDialogs::AskYesNo(const std::string& /*title*/, const std::string& heading,
                               const std::string& text) {
    events.push_back({"yesno", heading, text});
    if (yesNoAnswers.empty()) return true;
    bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

SaveAnswer ScriptedDialogs::AskSave(const std::string& message, const std::string& button1,
                                    const std::string& button2, const std::string& button3) {
    events.push_back({"save", button1 + "/" + button2 + "/" + button3, message});
    if (saveAnswers.empty()) return SaveAnswer::No;
    SaveAnswer answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::AskOpenFile(const FileDialogRequest& request) {
    events.push_back({"open", request.title, request.filter});
    fileRequests.push_back(request);
    if (openAnswers.empty()) return std::nullopt;
    auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::AskSaveFile(const FileDialogRequest& request) {
    events.push_back({"saveas", request.title, request.filter});
    fileRequests.push_back(request);
    if (saveFileAnswers.empty()) return std::nullopt;
    auto answer = saveFileAnswers.front();
    saveFileAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::AskText(const std::string& title,
                                                    const std::string& prompt,
                                                    const std::string& initial) {
    events.push_back({"text", title + "|" + prompt, initial});
    if (textAnswers.empty()) return std::nullopt;
    auto answer = textAnswers.front();
    textAnswers.pop_front();
    return answer;
}

void ScriptedDialogs::Beep() {
    events.push_back({"beep", "", ""});
}

std::vector<std::string> ScriptedDialogs::Infos() const {
    std::vector<std::string> out;
    for (const auto& e : events)
        if (e.kind == "info") out.push_back(e.heading + "|" + e.text);
    return out;
}

std::vector<std::string> ScriptedDialogs::Log() const {
    std::vector<std::string> out;
    for (const auto& e : events) out.push_back(e.kind + ":" + e.heading + "|" + e.text);
    return out;
}

}  // namespace velmora::testing
