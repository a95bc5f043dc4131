#pragma once
// Dialogs without windows: every message and question is one line "heading: text" on a
// stream (line breaks of the text as spaces); questions are answered as set beforehand.
// velmora-cli uses it, and the desktop program where no one can answer (--screenshot).
#include <iosfwd>
#include <map>
#include <optional>
#include <string>

#include "core/platform/dialogs.h"

namespace velmora {

class StreamDialogs : public Dialogs {
public:
    explicit StreamDialogs(std::ostream& err) : err_(err) {}

    void ShowInfo(const std::string& heading, const std::string& text) override;
    bool AskYesNo(const std::string& title, const std::string& heading,
                  const std::string& text) override;
    SaveAnswer AskSave(const std::string& message, const std::string& button1,
                       const std::string& button2, const std::string& button3) override;
    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                       const std::string& initial) override;
    void Beep() override {}

    // The answer to the Yes/No question whose heading or text is question; other questions
    // are answered Yes, but those given to AskOnTerminal.
    void AnswerYesNo(const std::string& question, bool answer) { yesNo_[question] = answer; }
    // The Yes/No question whose heading or text is question, when no answer was set for it,
    // is asked on terminal: "[y/N]" after its line, and a line read from terminal ("y" or
    // "yes" for Yes). Without a terminal (nullptr) the answer is No: a question such as
    // whether to overwrite a file is never answered Yes by the program itself.
    void AskOnTerminal(const std::string& question, std::istream* terminal) {
        terminalQuestions_[question] = terminal;
    }
    // The path every save dialog returns (none: cancelled).
    void SetSaveFile(std::string path) { saveFile_ = std::move(path); }
    // The answer of the three-button save question (default: Cancel, so nothing is lost).
    void SetSaveAnswer(SaveAnswer answer) { saveAnswer_ = answer; }
    // The text every input box returns (none: cancelled).
    void SetText(std::string text) { text_ = std::move(text); }

    // One line as velmora-cli prints it: "heading: text" with line breaks as spaces.
    static std::string MessageLine(const std::string& heading, const std::string& text);

private:
    std::ostream& err_;
    std::map<std::string, bool> yesNo_;
    std::map<std::string, std::istream*> terminalQuestions_;
    std::optional<std::string> saveFile_;
    std::optional<std::string> text_;
    SaveAnswer saveAnswer_ = SaveAnswer::Cancel;
};

}  // namespace velmora
