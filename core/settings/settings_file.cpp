#include "core/settings/settings_file.h"

#include <optional>

#include "core/platform/key_lines.h"
#include "core/platform/start_files.h"
#include "core/util/fields.h"

namespace velmora {

Settings ParseSettingsLines(const std::vector<std::string>& lines, bool trimValues) {
    Settings s;
    std::optional<std::string> exactFileDir;  // a path CP932 cannot hold (PathKeyLines)
    auto value = [trimValues](const std::string& line, std::size_t eq) {
        std::string v = line.substr(eq + 1);
        return trimValues ? std::string(TrimBlanks(v)) : v;
    };
    for (const auto& line : lines) {
        if (line == "[OPTION1]=1")
            s.useTypeOption = 1;
        else if (line == "[OPTION1]=2")
            s.useTypeOption = 2;
        else if (line == "[OPTION2]=TRUE")
            s.negativeInRed = true;
        else if (line == "[OPTION2]=FALSE")
            s.negativeInRed = false;
        else if (line == "[NATIONAL_HOLIDAYS]=TRUE")
            s.showNationalHolidays = true;
        else if (line == "[NATIONAL_HOLIDAYS]=FALSE")
            s.showNationalHolidays = false;
        else if (line == "[OPTION3]=1")
            s.fontType = 1;
        else if (line == "[OPTION3]=2")
            s.fontType = 2;
        else if (line == "[Start_Opt_1]=1")
            s.startOption = 1;
        else if (line == "[Start_Opt_1]=2")
            s.startOption = 2;
        else if (line.rfind("[FONT_SIZE]=", 0) == 0 && line.size() == 14 && line[12] == '1' &&
                 line[13] >= '0' && line[13] <= '2')
            s.fontSize = 10 + (line[13] - '0');
        else if (line == "[FONT_SIZE]=9")
            s.fontSize = 9;
        else {
            std::size_t eq = line.find('=');
            if (eq == std::string::npos) continue;
            std::string key = line.substr(0, eq);
            if (key == kFileDirKey)
                s.fileDir = value(line, eq);
            else if (key == HexKeyOf(kFileDirKey))
                exactFileDir = BytesOfHex(TrimBlanks(line.substr(eq + 1)));
            else if (key == "[COMPANY_NAME]")
                s.companyName = value(line, eq);
            else if (key == "[PRINT_STYLE1]")
                s.printStyle1 = value(line, eq);
            else if (key == "[PRINT_STYLE2]")
                s.printStyle2 = value(line, eq);
        }
    }
    if (exactFileDir) s.fileDir = std::move(*exactFileDir);
    return s;
}

Settings ReadSettingsFile(const std::string& path, bool trimValues, std::string* problem) {
    StartFileLines read = ReadStartFile(path);
    if (problem != nullptr) *problem = std::move(read.problem);
    return ParseSettingsLines(read.lines, trimValues);
}

std::vector<std::string> SettingsFileLines(const Settings& s) {
    std::vector<std::string> lines = PathKeyLines(kFileDirKey, s.fileDir);
    for (std::string line : {
             "[COMPANY_NAME]=" + s.companyName,
             std::string("[OPTION2]=") + (s.negativeInRed ? "TRUE" : "FALSE"),
             "[OPTION3]=" + std::to_string(s.fontType),
             "[FONT_SIZE]=" + std::to_string(s.fontSize),
             "[Start_Opt_1]=" + std::to_string(s.startOption),
             std::string("[NATIONAL_HOLIDAYS]=") + (s.showNationalHolidays ? "TRUE" : "FALSE"),
         })
        lines.push_back(std::move(line));
    return lines;
}

}  // namespace velmora
