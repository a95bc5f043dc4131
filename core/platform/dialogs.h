#pragma once
// How core talks to the user in the middle of its work. gui/ implements it with message
// boxes and file dialogs, velmora-cli for the terminal, tests with a scripted fake.
#include <optional>
#include <string>

namespace velmora {

// The application title: caption of every window and title of every message box.
inline constexpr const char* kAppTitle = "現金出納帳5-Velmora Version5";

// Answers of the three-button save question.
enum class SaveAnswer { Yes = 6, No = 7, Cancel = 2 };

struct FileDialogRequest {
    std::string title;             // empty: the dialog's default title
    std::string defaultExtension;  // "exv"
    std::string filter;            // "現金出納帳5-Velmora-ファイル|*.exv"
    std::string initialFolder;
    std::string fileName;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Information box with an OK button: heading as main instruction, text as content.
    virtual void ShowInfo(const std::string& heading, const std::string& text) = 0;
    // The Yes/No question with the question icon; true for Yes.
    virtual bool AskYesNo(const std::string& title, const std::string& heading,
                          const std::string& text) = 0;
    // The same question with No as the default button, where Enter alone must not do what
    // Yes cannot undo (overwrite what another program wrote). Without buttons to choose
    // from, it is answered as AskYesNo.
    virtual bool AskYesNoDefaultNo(const std::string& title, const std::string& heading,
                                   const std::string& text) {
        return AskYesNo(title, heading, text);
    }
    // The three-button question.
    virtual SaveAnswer AskSave(const std::string& message, const std::string& button1,
                               const std::string& button2, const std::string& button3) = 0;
    // File dialogs: the chosen path, or nullopt when cancelled.
    virtual std::optional<std::string> AskOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> AskSaveFile(const FileDialogRequest& request) = 0;
    // A one-line input box: the text, or nullopt when cancelled.
    virtual std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                               const std::string& initial) = 0;
    // The system beep.
    virtual void Beep() = 0;
};

}  // namespace velmora
