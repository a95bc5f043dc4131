#include "gui/app/ui_setup.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
#include <QProxyStyle>
#include <QStyle>
#include <QToolTip>
#include <QTranslator>
#include <array>

#include "core/platform/dialogs.h"

namespace velmora::gui {

namespace {

enum class Face { Gothic, Mincho };

struct WindowsFont {
    const char* name;
    Face face;
};

// Windows font names met in settings and print styles. The half-width "P" spellings are
// there because older files were typed that way.
constexpr std::array kWindowsFonts{
    WindowsFont{"ＭＳ Ｐゴシック", Face::Gothic}, WindowsFont{"ＭＳ Pゴシック", Face::Gothic},
    WindowsFont{"ＭＳ ゴシック", Face::Gothic},   WindowsFont{"MS PGothic", Face::Gothic},
    WindowsFont{"MS Gothic", Face::Gothic},       WindowsFont{"メイリオ", Face::Gothic},
    WindowsFont{"Meiryo", Face::Gothic},          WindowsFont{"ＭＳ 明朝", Face::Mincho},
    WindowsFont{"ＭＳ Ｐ明朝", Face::Mincho},     WindowsFont{"ＭＳ P明朝", Face::Mincho},
    WindowsFont{"MS Mincho", Face::Mincho},       WindowsFont{"MS PMincho", Face::Mincho},
};

// The stand-ins in order of preference.
QStringList Substitutes(Face face) {
    if (face == Face::Gothic)
        return {QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP")};
    return {QStringLiteral("IPAexMincho"), QStringLiteral("Noto Serif CJK JP")};
}

constexpr double kInterfacePointSize = 9.0;

}  // namespace

QString InterfaceFontFamily() {
    for (const QString& family : Substitutes(Face::Gothic))
        if (QFontDatabase::hasFamily(family)) return family;
    return {};
}

void InstallFontSubstitutes() {
    for (const WindowsFont& font : kWindowsFonts)
        QFont::insertSubstitutions(QString::fromUtf8(font.name), Substitutes(font.face));
}

namespace {

class HintDelayStyle final : public QProxyStyle {
public:
    explicit HintDelayStyle(const QString& base) : QProxyStyle(base) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay) return 600;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

UiSetup SetUpJapaneseUi(QApplication& app) {
    UiSetup result;
    QApplication::setApplicationName(QStringLiteral("velmora"));
    // No display name: the platform would append it to every window title, and the titles
    // already begin with the application title.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));

    InstallFontSubstitutes();
    result.interfaceFamily = InterfaceFontFamily();
    if (!result.interfaceFamily.isEmpty()) {
        QFont font(result.interfaceFamily);
        font.setPointSizeF(kInterfacePointSize);
        QApplication::setFont(font);
    }

    // Hints as the program has always shown them: lime, after 600 ms.
    QPalette hints = QToolTip::palette();
    hints.setColor(QPalette::ToolTipBase, QColor(0, 255, 0));
    hints.setColor(QPalette::ToolTipText, QColor(0, 0, 0));
    QToolTip::setPalette(hints);
    app.setStyle(new HintDelayStyle(app.style()->name()));

    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
        result.qtTranslations = true;
    } else {
        delete translator;
    }
    return result;
}

}  // namespace velmora::gui
