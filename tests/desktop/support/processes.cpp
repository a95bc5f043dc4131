#include "desktop/support/processes.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

[[noreturn]] void StartChild(const Launch& launch) {
    setpgid(0, 0);
    const char* log = launch.log.empty() ? "/dev/null" : launch.log.c_str();
    const int out = open(log, O_WRONLY | O_CREAT | O_APPEND, 0644);
    const int in = open("/dev/null", O_RDONLY);
    if (out < 0 || in < 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(out, 2);
    if (!launch.workingDirectory.empty() && chdir(launch.workingDirectory.c_str()) != 0) _exit(126);
    if (launch.user) {
        if (setgroups(0, nullptr) != 0 || setgid(launch.user->second) != 0 ||
            setuid(launch.user->first) != 0)
            _exit(126);
    }
    for (const std::string& pair : launch.env) putenv(strdup(pair.c_str()));
    std::vector<char*> argv;
    for (const std::string& a : launch.argv) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

}  // namespace

Launch Command(std::vector<std::string> argv, std::vector<std::string> env) {
    Launch launch;
    launch.argv = std::move(argv);
    launch.env = std::move(env);
    return launch;
}

Process::Process(const Launch& launch) {
    if (launch.argv.empty()) throw std::invalid_argument("nothing to start");
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) StartChild(launch);
    setpgid(pid_, pid_);  // also here, so that a Stop right after the start reaches it
}

Process::~Process() {
    Stop();
}

Process::Process(Process&& other) noexcept : pid_(other.pid_), status_(other.status_) {
    other.pid_ = -1;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Stop();
        pid_ = other.pid_;
        status_ = other.status_;
        other.pid_ = -1;
    }
    return *this;
}

bool Process::Running() {
    if (pid_ <= 0) return false;
    int status = 0;
    const pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == 0) return true;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    pid_ = -1;
    return false;
}

int Process::Wait(std::chrono::milliseconds timeout) {
    if (!WaitUntil([this] { return !Running(); }, timeout)) return -1;
    return status_;
}

void Process::Stop() {
    if (pid_ <= 0) return;
    // The group first (the program and whatever it started), then the process itself.
    kill(-pid_, SIGTERM);
    if (Wait(std::chrono::milliseconds(1000)) < 0 && pid_ > 0) {
        kill(-pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }
}

RunResult RunCommand(Launch launch, std::chrono::milliseconds timeout) {
    TempFolder capture;
    launch.log = capture.File("out");
    Process process(launch);
    RunResult result;
    result.status = process.Wait(timeout);
    std::ifstream in(launch.log, std::ios::binary);
    result.out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return result;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

}  // namespace velmora::testing
