// Every example of cli/README.md runs as shown: the commands of each section, in their
// order, on a copy of the shipped data/ in a fresh folder, print what the README says
// (standard output, then standard error). In the README's output, a line "..." stands for
// any number of lines and "..." inside a line for any text.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

struct Example {
    std::string section;
    std::string command;
    std::vector<std::string> output;
};

std::vector<Example> ReadExamples(const std::string& path) {
    std::vector<Example> examples;
    std::string section;
    bool inOutput = false;
    for (const std::string& line : Lines(ReadBytes(path))) {
        if (line.rfind("### ", 0) == 0) section = line.substr(4);
        if (line.rfind("    ", 0) != 0) {
            inOutput = false;
            continue;
        }
        const std::string text = line.substr(4);
        if (text.rfind("$ ", 0) == 0) {
            examples.push_back({section, text.substr(2), {}});
            inOutput = true;
        } else if (inOutput) {
            examples.back().output.push_back(text);
        }
    }
    return examples;
}

// pattern with "..." matching any text.
bool LineMatches(const std::string& pattern, const std::string& line) {
    const std::size_t dots = pattern.find("...");
    if (dots == std::string::npos) return pattern == line;
    if (line.compare(0, dots, pattern, 0, dots) != 0) return false;
    const std::string rest = pattern.substr(dots + 3);
    for (std::size_t at = dots; at <= line.size(); ++at)
        if (LineMatches(rest, line.substr(at))) return true;
    return false;
}

bool OutputMatches(const std::vector<std::string>& want, std::size_t w,
                   const std::vector<std::string>& got, std::size_t g) {
    if (w == want.size()) return g == got.size();
    if (want[w] == "...") {
        for (std::size_t skip = g; skip <= got.size(); ++skip)
            if (OutputMatches(want, w + 1, got, skip)) return true;
        return false;
    }
    return g < got.size() && LineMatches(want[w], got[g]) && OutputMatches(want, w + 1, got, g + 1);
}

TEST(CliReadme, EveryExampleRunsAsShownOnACopy) {
    const std::string readme = std::string(VELMORA_DATA_DIR) + "/../cli/README.md";
    const std::vector<Example> examples = ReadExamples(readme);
    ASSERT_GE(examples.size(), 15u);
    const std::string cliFolder = fs::path(VELMORA_CLI_PATH).parent_path().string();
    std::unique_ptr<TempFolder> place;
    std::string section;
    for (const Example& example : examples) {
        if (!place || example.section != section) {
            place = std::make_unique<TempFolder>();
            fs::create_directories(place->File("data"));
            fs::copy_file(FixturePath("ledger/sample2014.exv"), place->File("data/sample.exv"));
            section = example.section;
        }
        // A session of the user's, with the tools the examples use (one not installed here
        // skips its example).
        fs::create_directories(place->File("runtime"));
        fs::permissions(place->File("runtime"), fs::perms::owner_all);
        const std::string program = example.command.substr(0, example.command.find(' '));
        const std::string script =
            "export PATH='" + cliFolder + "':\"$PATH\" VELMORA_HOME='" + place->File("home") +
            "' VELMORA_DATA_DIR='" + VELMORA_DATA_DIR + "' XDG_RUNTIME_DIR='" +
            place->File("runtime") + "'; cd '" + place->Path() + "' && command -v " + program +
            " >/dev/null || exit 99; (\n" + example.command + "\n) >out.txt 2>err.txt";
        const int status = std::system(script.c_str());
        ASSERT_NE(status, -1);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 99) {
            std::cout << "not installed, skipped: " << example.command << '\n';
            continue;
        }
        std::vector<std::string> got;
        // CP932 files (iconv's output) end their lines with CR LF.
        for (const char* name : {"out.txt", "err.txt"})
            for (std::string line : Lines(ReadBytes(place->File(name)))) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                got.push_back(line);
            }
        EXPECT_TRUE(OutputMatches(example.output, 0, got, 0))
            << example.section << "\n$ " << example.command << "\n--- printed:\n"
            << ReadBytes(place->File("out.txt")) << ReadBytes(place->File("err.txt"));
    }
}

}  // namespace
}  // namespace velmora::testing
