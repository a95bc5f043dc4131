#include "core/platform/stream_dialogs.h"

#include <istream>
#include <ostream>
#include <string>

namespace velmora {

std::string StreamDialogs::MessageLine(const std::string& heading, const std::string& text) {
    std::string flat;
    flat.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        flat += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
    }
    return heading + ": " + flat;
}

void StreamDialogs::ShowInfo(const std::string& heading, const std::string& text) {
    err_ << MessageLine(heading, text) << '\n';
}

bool StreamDialogs::AskYesNo(const std::string& /*title*/, const std::string& heading,
                             const std::string& text) {
    err_ << MessageLine(heading, text);
    for (const std::string* question : {&text, &heading})
        if (auto it = yesNo_.find(*question); it != yesNo_.end()) {
            err_ << '\n';
            return it->second;
        }
    for (const std::string* question : {&text, &heading}) {
        auto it = terminalQuestions_.find(*question);
        if (it == terminalQuestions_.end()) continue;
        if (it->second == nullptr) {
            err_ << '\n';
            return false;
        }
        err_ << " [y/N] " << std::flush;
        std::string answer;
        std::getline(*it->second, answer);
        return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes";
    }
    err_ << '\n';
    return true;
}

SaveAnswer StreamDialogs::AskSave(const std::string& message, const std::string& /*button1*/,
                                  const std::string& /*button2*/, const std::string& /*button3*/) {
    err_ << MessageLine(kAppTitle, message) << '\n';
    return saveAnswer_;
}

std::optional<std::string> StreamDialogs::AskOpenFile(const FileDialogRequest& /*request*/) {
    return std::nullopt;
}

std::optional<std::string> StreamDialogs::AskSaveFile(const FileDialogRequest& /*request*/) {
    return saveFile_;
}

std::optional<std::string> StreamDialogs::AskText(const std::string& /*title*/,
                                                  const std::string& /*prompt*/,
                                                  const std::string& /*initial*/) {
    return text_;
}

}  // namespace velmora
