#include "gui/app/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QStringList>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace velmora::gui {

namespace {

// Messages are written with Windows line ends; Qt breaks lines at "\n" alone.
QString FromMessage(const std::string& text) {
    QString out = QString::fromStdString(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

// Message texts are plain: a "<" in a path or an amount must not turn them into markup.
QString AsHtml(const std::string& text) {
    return FromMessage(text).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

// The heading stands above the text as the main instruction, as in a Windows task dialog.
// Both go into one label: QMessageBox sizes itself by its main label only, so a short heading
// over a separate informative text would squeeze the text into a narrow column.
void SetHeadingAndText(QMessageBox& box, const std::string& heading, const std::string& text) {
    QString html = QStringLiteral("<p><big><b>%1</b></big></p>").arg(AsHtml(heading));
    if (!text.empty()) html += QStringLiteral("<p>%1</p>").arg(AsHtml(text));
    box.setTextFormat(Qt::RichText);
    box.setText(html);
}

// A message box as wide as its whole title (the window manager cuts a long one short) and
// as its text's longest line, up to a limit: Japanese may break between any two characters,
// so a short message stays on its lines rather than breaking inside a word ("下さ" / "い。").
void FitWidth(QMessageBox& box) {
    constexpr int kTitleBarExtra = 110;  // the window manager's icon and buttons
    constexpr int kWidestText = 560;
    QTextDocument text;
    text.setDefaultFont(box.font());
    if (box.textFormat() == Qt::RichText)
        text.setHtml(box.text());
    else
        text.setPlainText(box.text());
    const int icon = box.iconPixmap().isNull() ? 0 : box.iconPixmap().width() + 16;
    const int title = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarExtra;
    const int width = std::max(
        title, std::min(kWidestText, static_cast<int>(std::ceil(text.idealWidth())) + icon));
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

// The buttons of a question stand in the order they are given, as on Windows. Buttons of one
// role keep that order on every platform, where Yes/No/Reject roles would be reversed by the
// GNOME and macOS layouts; the answer is read from the button clicked, not from its role.
QPushButton* AddButton(QMessageBox& box, const QString& caption, const char* name,
                       QMessageBox::ButtonRole role = QMessageBox::ActionRole) {
    QPushButton* button = box.addButton(caption, role);
    button->setObjectName(QLatin1String(name));
    return button;
}

}  // namespace

QString QtFilterFromWindowsFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString caption = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) pattern = pattern.trimmed();
        const QString wanted =
            QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
        // Qt reads the patterns from the parentheses at the end of the caption.
        filters << (caption.endsWith(wanted) ? caption : caption + QLatin1Char(' ') + wanted);
    }
    return filters.join(QStringLiteral(";;"));
}

QtDialogs::QtDialogs(QWidget* owner) : owner_(owner) {}

void QtDialogs::setOwner(QWidget* owner) {
    owner_ = owner;
}

void QtDialogs::setSaveIcon(const QPixmap& icon) {
    saveIcon_ = icon;
}

void QtDialogs::ShowInfo(const std::string& heading, const std::string& text) {
    QMessageBox box(owner_);
    box.setObjectName(QStringLiteral("velmoraInfo"));
    box.setWindowTitle(QString::fromUtf8(kAppTitle));
    box.setIcon(QMessageBox::NoIcon);
    SetHeadingAndText(box, heading, text);
    QPushButton* ok = AddButton(box, QStringLiteral("OK"), "ok", QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    FitWidth(box);
    box.exec();
}

bool QtDialogs::AskYesNo(const std::string& title, const std::string& heading,
                         const std::string& text) {
    return AskYesNoWithDefault(title, heading, text, true);
}

bool QtDialogs::AskYesNoDefaultNo(const std::string& title, const std::string& heading,
                                  const std::string& text) {
    return AskYesNoWithDefault(title, heading, text, false);
}

bool QtDialogs::AskYesNoWithDefault(const std::string& title, const std::string& heading,
                                    const std::string& text, bool defaultYes) {
    QMessageBox box(owner_);
    box.setObjectName(QStringLiteral("velmoraYesNo"));
    box.setWindowTitle(QString::fromStdString(title));
    box.setIcon(QMessageBox::Question);
    SetHeadingAndText(box, heading, text);
    QPushButton* yes = AddButton(box, QStringLiteral("はい"), "yes");
    QPushButton* no = AddButton(box, QStringLiteral("いいえ"), "no");
    box.setDefaultButton(defaultYes ? yes : no);
    // Callers go ahead on anything but No, and what follows a Yes discards the edits in
    // hand: Escape, the close box and any other dismissal therefore answer No.
    box.setEscapeButton(no);
    FitWidth(box);
    box.exec();
    return box.clickedButton() == yes;
}

SaveAnswer QtDialogs::AskSave(const std::string& message, const std::string& button1,
                              const std::string& button2, const std::string& button3) {
    QMessageBox box(owner_);
    box.setObjectName(QStringLiteral("velmoraSave"));
    box.setWindowTitle(QString::fromUtf8(kAppTitle));
    // A title bar without a close box: the answer comes from the three buttons.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    if (saveIcon_.isNull())
        box.setIcon(QMessageBox::Question);
    else
        box.setIconPixmap(saveIcon_);
    box.setTextFormat(Qt::PlainText);
    box.setText(FromMessage(message));
    QPushButton* first = AddButton(box, QString::fromStdString(button1), "button1");
    QPushButton* second = AddButton(box, QString::fromStdString(button2), "button2");
    QPushButton* third = AddButton(box, QString::fromStdString(button3), "button3");
    for (QPushButton* button : {first, second, third}) button->setCursor(Qt::PointingHandCursor);
    box.setDefaultButton(first);
    box.setEscapeButton(third);
    FitWidth(box);
    box.exec();
    if (box.clickedButton() == first) return SaveAnswer::Yes;
    if (box.clickedButton() == second) return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

std::optional<std::string> QtDialogs::AskOpenFile(const FileDialogRequest& request) {
    return AskFile(request, false);
}

std::optional<std::string> QtDialogs::AskSaveFile(const FileDialogRequest& request) {
    return AskFile(request, true);
}

std::optional<std::string> QtDialogs::AskFile(const FileDialogRequest& request, bool save) {
    // Without a title the dialogs are named as the Windows ones are.
    QString title = QString::fromStdString(request.title);
    if (title.isEmpty()) title = save ? QStringLiteral("名前を付けて保存") : QStringLiteral("開く");
    QFileDialog dialog(owner_, title);
    dialog.setObjectName(save ? QStringLiteral("velmoraSaveFile")
                              : QStringLiteral("velmoraOpenFile"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.filter.empty())
        dialog.setNameFilters(
            QtFilterFromWindowsFilter(request.filter).split(QStringLiteral(";;")));
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));

    const QFileInfo file(QString::fromStdString(request.fileName));
    QString folder = QString::fromStdString(request.initialFolder);
    if (folder.isEmpty() && !request.fileName.empty() && file.path() != QStringLiteral("."))
        folder = file.path();
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    if (!request.fileName.empty()) dialog.selectFile(file.fileName());

    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.first().toStdString();
}

std::optional<std::string> QtDialogs::AskText(const std::string& title, const std::string& prompt,
                                              const std::string& initial) {
    QInputDialog dialog(owner_);
    dialog.setObjectName(QStringLiteral("velmoraText"));
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(FromMessage(prompt));
    dialog.setTextValue(QString::fromStdString(initial));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

void QtDialogs::Beep() {
    QApplication::beep();
}

}  // namespace velmora::gui
