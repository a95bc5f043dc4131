#pragma once
// Prepares the program for Japanese before its first window: the application's names, the
// interface font, stand-ins for the Windows font names that print styles and settings carry,
// and Qt's own Japanese texts for the standard dialogs and buttons.
#include <QString>

class QApplication;

namespace velmora::gui {

struct UiSetup {
    QString interfaceFamily;      // empty when no Japanese interface font is installed
    bool qtTranslations = false;  // Qt's Japanese catalogue was found and installed
};

// Names, font, substitutes and translations; the translator lives as a child of the app.
UiSetup SetUpJapaneseUi(QApplication& app);

// The first installed family of the interface fonts, IPAex Gothic before Noto Sans CJK JP.
QString InterfaceFontFamily();

// Maps the MS and Meiryo names to the installed Gothic and Mincho families, process-wide.
void InstallFontSubstitutes();

}  // namespace velmora::gui
