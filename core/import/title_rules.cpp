#include "core/import/title_rules.h"

#include "core/import/statement_values.h"
#include "core/platform/line_list.h"
#include "core/util/fields.h"
#include "core/util/paths.h"

namespace velmora {

std::string TitleRulesPath(const std::string& workingFolder) {
    return JoinPath(workingFolder, kTitleRulesFileName);
}

std::vector<TitleRule> ReadTitleRules(const std::string& path) {
    std::vector<TitleRule> rules;
    if (!FileExists(path)) return rules;
    std::vector<std::string_view> fields;
    for (const std::string& line : ReadTextLines(path)) {
        SplitCommaText(line, fields);
        if (fields.size() < 2 || fields[0].empty() || fields[1].empty()) continue;
        rules.push_back({std::string(fields[0]), std::string(fields[1])});
    }
    return rules;
}

void WriteTitleRules(const std::string& path, const std::vector<TitleRule>& rules,
                     FileWriter& writer) {
    std::vector<std::string> lines;
    for (const TitleRule& rule : rules) lines.push_back(rule.contains + "," + rule.title + ",");
    WriteTextLines(path, lines, writer);
}

TitleRule CleanTitleRule(const std::string& contains, const std::string& title) {
    return {WidenHalfWidthKana(RemoveQuotesAndCommas(CleanTypedText(contains))),
            WideTrim(RemoveQuotesAndCommas(CleanTypedText(title)))};
}

std::optional<std::string> TitleByRules(const std::vector<TitleRule>& rules,
                                        const std::string& description) {
    for (const TitleRule& rule : rules)
        if (!rule.contains.empty() && description.find(rule.contains) != std::string::npos)
            return rule.title;
    return std::nullopt;
}

}  // namespace velmora
