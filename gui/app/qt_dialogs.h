#pragma once
// The program's message boxes, file dialogs and input box over Qt widgets. Every box is modal
// over the owner window. Boxes and their buttons carry object names ("velmoraInfo",
// "velmoraYesNo", "velmoraSave"; "ok", "yes", "no", "button1" … "button3") so that a test can
// find the open box through QApplication::activeModalWidget() and press a button.
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>
#include <string>

#include "core/platform/dialogs.h"

namespace velmora::gui {

// A file-dialog filter in the Windows form "Caption|*.exv|Caption2|*.a;*.b" as Qt writes it,
// "Caption (*.exv);;Caption2 (*.a *.b)". A caption that already ends in its patterns in
// parentheses ("…(*.exv)") is kept as it is, so the patterns do not show twice.
QString QtFilterFromWindowsFilter(const std::string& filter);

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner = nullptr);

    // The window the boxes are modal over; null for none.
    void setOwner(QWidget* owner);
    // The picture of the save question (the installed "dialog.ico"); without one the save
    // question shows the question icon.
    void setSaveIcon(const QPixmap& icon);

    void ShowInfo(const std::string& heading, const std::string& text) override;
    bool AskYesNo(const std::string& title, const std::string& heading,
                  const std::string& text) override;
    bool AskYesNoDefaultNo(const std::string& title, const std::string& heading,
                           const std::string& text) override;
    SaveAnswer AskSave(const std::string& message, const std::string& button1,
                       const std::string& button2, const std::string& button3) override;
    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                       const std::string& initial) override;
    void Beep() override;

private:
    bool AskYesNoWithDefault(const std::string& title, const std::string& heading,
                             const std::string& text, bool defaultYes);
    std::optional<std::string> AskFile(const FileDialogRequest& request, bool save);

    QPointer<QWidget> owner_;
    QPixmap saveIcon_;
};

}  // namespace velmora::gui
