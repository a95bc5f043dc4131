#include "support/cli_runner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::string& workingFolder) {
    TempFolder capture;
    const std::string outPath = capture.File("out"), errPath = capture.File("err");
    pid_t pid = fork();
    if (pid == 0) {
        if (!workingFolder.empty()) setenv("VELMORA_HOME", workingFolder.c_str(), 1);
        setenv("VELMORA_DATA_DIR", VELMORA_DATA_DIR, 1);
        // No terminal: questions that only a person may answer Yes are answered No.
        if (!freopen("/dev/null", "r", stdin) || !freopen(outPath.c_str(), "w", stdout) ||
            !freopen(errPath.c_str(), "w", stderr))
            _exit(127);
        std::vector<char*> argv;
        std::string program = VELMORA_CLI_PATH;
        argv.push_back(program.data());
        std::vector<std::string> copies(args);
        for (auto& a : copies) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    CliResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = Slurp(outPath);
    result.err = Slurp(errPath);
    return result;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace velmora::testing
