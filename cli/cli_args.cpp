#include "cli/cli_args.h"

#include "core/util/fields.h"

namespace velmora::cli {

Args::Args(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
           const std::set<std::string>& flagOptions) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
            std::string name = word.substr(2);
            if (valueOptions.count(name)) {
                if (i + 1 >= words.size()) throw UsageError("--" + name + " needs a value");
                values_.emplace(name, words[++i]);
            } else if (flagOptions.count(name)) {
                flags_.insert(name);
            } else {
                throw UsageError("unknown option " + word);
            }
        } else {
            positional_.push_back(word);
        }
    }
}

const std::string& Args::Required(std::size_t index, const std::string& what) const {
    if (index >= positional_.size()) throw UsageError("missing " + what);
    return positional_[index];
}

std::optional<std::string> Args::Value(const std::string& name) const {
    auto range = values_.equal_range(name);
    if (range.first == range.second) return std::nullopt;
    return std::prev(range.second)->second;
}

std::vector<std::string> Args::Values(const std::string& name) const {
    std::vector<std::string> out;
    auto range = values_.equal_range(name);
    for (auto it = range.first; it != range.second; ++it) out.push_back(it->second);
    return out;
}

void Args::ExpectAtMost(std::size_t count) const {
    if (positional_.size() > count) throw UsageError("unexpected argument " + positional_[count]);
}

int IntOption(const std::string& text, const std::string& option, int low, int high) {
    long long value = 0;
    if (!ParseInt(text, value) || value < low || value > high)
        throw UsageError("--" + option + " takes a whole number from " + std::to_string(low) +
                         " to " + std::to_string(high));
    return static_cast<int>(value);
}

}  // namespace velmora::cli
