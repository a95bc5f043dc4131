#pragma once
// Programs a desktop scenario starts: each in a process group of its own, so that stopping
// it also stops what it started; optionally as another user (the input method refuses to
// run as root).
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora::testing {

struct Launch {
    std::vector<std::string> argv;
    // "NAME=value" set on top of this process's environment.
    std::vector<std::string> env;
    // Standard output and error go here (appended); /dev/null when empty.
    std::string log;
    std::string workingDirectory;
    // The user to run as (uid and gid); empty: as this process.
    std::optional<std::pair<uid_t, gid_t>> user;
};

// A command with extra environment, run as this process's user.
Launch Command(std::vector<std::string> argv, std::vector<std::string> env = {});

class Process {
public:
    Process() = default;
    explicit Process(const Launch& launch);
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t pid() const { return pid_; }
    bool Running();
    // Waits for the end; the exit status, or -1 when it did not end within timeout.
    int Wait(std::chrono::milliseconds timeout);
    // SIGTERM to the group, SIGKILL when it has not ended within a second.
    void Stop();

private:
    pid_t pid_ = -1;
    int status_ = -1;
};

struct RunResult {
    int status = -1;
    std::string out;
};

// Runs a short command to its end and captures its output (standard error included).
RunResult RunCommand(Launch launch,
                     std::chrono::milliseconds timeout = std::chrono::milliseconds(10000));

// Polls done every few milliseconds until it is true or timeout has passed.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

}  // namespace velmora::testing
