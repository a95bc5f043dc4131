#pragma once
// The desktop shell as the main window uses it: a document or a folder in the program the
// desktop chooses, and another program started beside ours. gui/ implements it.
#include <array>
#include <string>

#include "core/platform/dialogs.h"

namespace velmora {

// The user manual shipped in the program folder. There is no web site: the online help
// opens the same manual.
inline constexpr const char* kOfflineManualPath = "help/velmora/index.html";

// The desktop calculators tried by "電卓を起動", in this order.
inline constexpr std::array<const char*, 5> kCalculatorPrograms{"gnome-calculator", "kcalc",
                                                                "mate-calc", "galculator", "xcalc"};

class Shell {
public:
    virtual ~Shell() = default;
    virtual void OpenUrl(const std::string& url) = 0;
    // A document or a folder.
    virtual void OpenPath(const std::string& path) = 0;
    // Starts program (a name looked up on the search path), detached; nothing is
    // exchanged with it. False when it is not installed or did not start.
    virtual bool StartProgram(const std::string& program) = 0;
};

// "オンラインヘルプ(取扱説明書)".
void OpenOnlineManual(Shell& shell, const std::string& programFolder);
// "オフラインヘルプ(取扱説明書)": the manual shipped in the program folder.
void OpenOfflineManual(Shell& shell, const std::string& programFolder);
// "作業フォルダーを開く".
void OpenWorkingFolder(Shell& shell, const std::string& workingFolder);

// The message when no calculator could be started: the programs looked for.
std::string NoCalculatorMessage();
// "電卓を起動": the first calculator that starts; when none does, says what was looked
// for. True when one started.
bool StartCalculator(Shell& shell, Dialogs& dialogs);

}  // namespace velmora
