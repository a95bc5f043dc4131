#include "core/platform/stream_dialogs.h"

#include <ostream>

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
    err_ << MessageLine(heading, text) << '\n';
    auto it = yesNo_.find(text);
    return it == yesNo_.end() ? true : it->second;
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
