#include "gui/mainwindow/command_icons.h"

#include <QFile>
#include <QHash>
#include <QTextStream>

namespace velmora::gui {
namespace {

// "command=theme-name" lines of images/ribbon/theme-names.txt.
const QHash<QString, QString>& ThemeNames(const QString& programFolder) {
    static QHash<QString, QHash<QString, QString>> byFolder;
    auto it = byFolder.find(programFolder);
    if (it != byFolder.end()) return *it;
    QHash<QString, QString> names;
    QFile file(programFolder + "/images/ribbon/theme-names.txt");
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&file);
        while (!in.atEnd()) {
            const QString line = in.readLine().trimmed();
            const qsizetype eq = line.indexOf('=');
            if (line.startsWith('#') || eq <= 0) continue;
            names.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
        }
    }
    return *byFolder.insert(programFolder, names);
}

}  // namespace

QIcon CommandIcon(const QString& programFolder, std::string_view command) {
    const QString name = QString::fromUtf8(command.data(), static_cast<qsizetype>(command.size()));
    const QString themeName = ThemeNames(programFolder).value(name);
    if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName)) return QIcon::fromTheme(themeName);
    const QString shipped = programFolder + "/images/ribbon/" + name + ".svg";
    if (QFile::exists(shipped)) return QIcon(shipped);
    return {};
}

}  // namespace velmora::gui
