#pragma once
// The desktop shell as the help menu uses it: a web page in the default browser, a
// document or a folder in the program the desktop chooses. gui/ implements it.
#include <string>

namespace velmora {

inline constexpr const char* kOnlineManualUrl = "https://velmora.example/manual/";
inline constexpr const char* kOfflineManualPath = "help/velmora/index.html";

class Shell {
public:
    virtual ~Shell() = default;
    virtual void OpenUrl(const std::string& url) = 0;
    // A document or a folder.
    virtual void OpenPath(const std::string& path) = 0;
};

// "オンラインヘルプ(取扱説明書)".
void OpenOnlineManual(Shell& shell);
// "オフラインヘルプ(取扱説明書)": the manual shipped in the program folder.
void OpenOfflineManual(Shell& shell, const std::string& programFolder);
// "作業フォルダーを開く".
void OpenWorkingFolder(Shell& shell, const std::string& workingFolder);

}  // namespace velmora
