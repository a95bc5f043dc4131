#pragma once
// Command-line arguments of one command: positional words and "--name [value]" options.
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora::cli {

// Wrong usage: exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Args {
public:
    // valueOptions take a value ("--month 4"); flagOptions take none ("--all-books").
    // Throws UsageError for an unknown option or a missing value.
    Args(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
         const std::set<std::string>& flagOptions);

    const std::vector<std::string>& Positional() const { return positional_; }
    // The positional word at index, or UsageError naming what is missing.
    const std::string& Required(std::size_t index, const std::string& what) const;
    std::optional<std::string> Value(const std::string& name) const;
    // Every value of an option given several times, in order.
    std::vector<std::string> Values(const std::string& name) const;
    bool Flag(const std::string& name) const { return flags_.count(name) > 0; }
    // At most count positional words, else UsageError.
    void ExpectAtMost(std::size_t count) const;

private:
    std::vector<std::string> positional_;
    std::multimap<std::string, std::string> values_;
    std::set<std::string> flags_;
};

// A whole number in [low, high], or UsageError.
int IntOption(const std::string& text, const std::string& option, int low, int high);

}  // namespace velmora::cli
