#include "core/platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/platform/file_io.h"

namespace velmora {

std::string InstanceLockPath(const std::string& workingFolder) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path folder = fs::absolute(workingFolder, error).lexically_normal();
    if (!folder.has_filename()) folder = folder.parent_path();  // a trailing "/"
    return (folder.parent_path() / (folder.filename().string() + ".lock")).string();
}

InstanceLock::InstanceLock(const std::string& workingFolder) {
    const std::string path = InstanceLockPath(workingFolder);
    auto fail = [this, &path](const std::string& what, int error) {
        state_ = State::Failed;
        problem_ = what + ": " + path + " (" + std::strerror(error) + ")";
    };
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error) {
        problem_ = "ロックファイルのフォルダーを作成できません: " +
                   std::filesystem::path(path).parent_path().string() + " (" + error.message() +
                   ")";
        return;
    }
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, kPrivateFileMode);
    if (fd_ < 0) {
        // ELOOP: a link planted where the lock belongs is refused, never followed.
        fail("ロックファイルを作成できません", errno);
        return;
    }
    (void)::fchmod(fd_, kPrivateFileMode);  // one an earlier version made wider
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno == EWOULDBLOCK) {
            state_ = State::Busy;
        } else {
            fail("ロックファイルをロックできません", errno);
        }
        ::close(fd_);
        fd_ = -1;
        return;
    }
    state_ = State::Held;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace velmora
