#include "cli/cli_app.h"

#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "core/util/date.h"
#include "velmora/version.h"

namespace velmora::cli {
namespace {

// The usage on stream; status 2 for wrong usage.
int Usage(std::ostream& stream, const std::string& problem) {
    if (!problem.empty()) stream << "velmora-cli: " << problem << '\n';
    stream << "usage: velmora-cli [--today YYYY/MM/DD] COMMAND ARGS...\n"
           << "       velmora-cli --help | --version\n";
    for (const auto& c : AllCommands())
        stream << "  velmora-cli " << c.name << ' ' << c.usage << '\n';
    return 2;
}

}  // namespace

int RunCli(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    std::optional<Date> today;
    while (!words.empty() && words.front().rfind("--", 0) == 0) {
        if (words.front() == "--today") {
            if (words.size() < 2) return Usage(std::cerr, "--today takes a date YYYY/MM/DD");
            today = Date::TryParse(words[1]);
            if (!today) return Usage(std::cerr, "--today takes a date YYYY/MM/DD");
            words.erase(words.begin(), words.begin() + 2);
        } else if (words.front() == "--help") {
            Usage(std::cout, "");
            return 0;
        } else if (words.front() == "--version") {
            std::cout << "velmora-cli " << kProgramVersion << '\n';
            return 0;
        } else {
            return Usage(std::cerr, "unknown option " + words.front());
        }
    }
    if (words.empty()) return Usage(std::cerr, "");
    const std::string name = words.front();
    words.erase(words.begin());
    for (const auto& command : AllCommands()) {
        if (name != command.name) continue;
        try {
            CliContext ctx(std::cout, std::cerr, today);
            return ctx.FinalStatus(command.run(ctx, words));
        } catch (const UsageError& error) {
            std::cerr << "velmora-cli: " << error.what() << '\n'
                      << "usage: velmora-cli " << command.name << ' ' << command.usage << '\n';
            return 2;
        } catch (const std::exception& error) {
            std::cerr << "velmora-cli: " << error.what() << '\n';
            return 1;
        }
    }
    return Usage(std::cerr, "unknown command " + name);
}

}  // namespace velmora::cli
