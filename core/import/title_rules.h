#pragma once
// The rules that give an imported row its account title from its description
// ("摘要に X を含む → 科目 Y"), kept in the working folder for the next import: one rule a
// line, the text, ",", the title, ",".
#include <optional>
#include <string>
#include <vector>

#include "core/platform/file_io.h"

namespace velmora {

inline constexpr const char* kTitleRulesFileName = "config/import_rules.dat";

struct TitleRule {
    std::string contains;  // a part of the description
    std::string title;
    bool operator==(const TitleRule&) const = default;
};

std::string TitleRulesPath(const std::string& workingFolder);

// The rules of the file; a missing file has none, and so has a line without a text or a
// title. Throws FileError or EncodingError.
std::vector<TitleRule> ReadTitleRules(const std::string& path);
// Throws FileError, or EncodingError for a character CP932 cannot hold.
void WriteTitleRules(const std::string& path, const std::vector<TitleRule>& rules,
                     FileWriter& writer);

// A rule as the user types it: no comma or double quote (they would split the line),
// blanks off both ends, and the text as imported descriptions are made (half-width kana
// widened), so that the rule meets them.
TitleRule CleanTitleRule(const std::string& contains, const std::string& title);

// The title of the first rule whose text the description contains.
std::optional<std::string> TitleByRules(const std::vector<TitleRule>& rules,
                                        const std::string& description);

}  // namespace velmora
