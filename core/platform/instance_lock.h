#pragma once
// One running copy of the desktop program per working folder: an exclusive lock (flock) on
// a file beside the folder, held for the life of the process. The system lets it go when
// the process ends, however it ends, so a crash leaves no lock that blocks the next start.
// It lives beside the folder, not in it: a missing working folder means the first start.
#include <string>

namespace velmora {

// The lock file of a working folder: beside it, named after it with ".lock".
std::string InstanceLockPath(const std::string& workingFolder);

class InstanceLock {
public:
    enum class State { Held, Busy, Failed };

    // Creates the folder the lock file lives in when it is missing, and the lock file
    // (0600, never through a link in its place), and takes the lock without waiting.
    explicit InstanceLock(const std::string& workingFolder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Held: this process is the one copy; Busy: another copy holds it; Failed: the lock
    // could not be made, and problem() says what failed, with the path.
    State state() const { return state_; }
    const std::string& problem() const { return problem_; }

private:
    int fd_ = -1;
    State state_ = State::Failed;
    std::string problem_;
};

}  // namespace velmora
