#pragma once
// The settings file "velmora.conf" in the working folder: one "[KEY]=value" line each.
#include <string>
#include <vector>

namespace velmora {

struct Settings {
    std::string fileDir;         // [FILE_DIR]: the ledger to open when startOption is 2
    std::string companyName;     // [COMPANY_NAME]
    bool negativeInRed = false;  // [OPTION2]=TRUE
    int fontType = 1;            // [OPTION3]: 1 ゴシック体, 2 明朝体 (stored only)
    int fontSize = 10;           // [FONT_SIZE]: 9..12 (stored only)
    int startOption = 1;         // [Start_Opt_1]: 1 the file used last, 2 [FILE_DIR]
    int useTypeOption = 0;       // [OPTION1]=1|2 when present, else 0
    std::string printStyle1;     // [PRINT_STYLE1], read and otherwise ignored
    std::string printStyle2;     // [PRINT_STYLE2]
    // [NATIONAL_HOLIDAYS]=FALSE: the calendars show only the user's holiday marks
    // ("国民の祝日を表示する" unchecked); on when the line is missing.
    bool showNationalHolidays = true;

    bool operator==(const Settings&) const = default;
};

inline constexpr const char* kSettingsFileName = "velmora.conf";
inline constexpr const char* kFileDirKey = "[FILE_DIR]";
inline constexpr const char* kNationalHolidaysCaption = "国民の祝日を表示する";

// Reads the settings file by its rules: the flag-like lines match only as whole lines,
// the others are split at the first "="; trimValues as start-up does (the settings
// dialog shows them untrimmed). A missing file gives the defaults.
// A line that cannot be decoded, or a file too large to be real, is told in *problem
// (when given) and read as ReadStartFile reads it.
Settings ReadSettingsFile(const std::string& path, bool trimValues, std::string* problem = nullptr);
Settings ParseSettingsLines(const std::vector<std::string>& lines, bool trimValues);

// The lines written when settings are applied, in their order: the six the settings file
// has always held (seven when the path of [FILE_DIR] needs its hexadecimal line,
// PathKeyLines), then the national holidays' line.
std::vector<std::string> SettingsFileLines(const Settings& settings);

}  // namespace velmora
