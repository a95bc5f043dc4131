#pragma once
// Only one copy of the program runs per working folder. The guard is a lock file held for the
// life of the process; a copy that finds it held shows kAlreadyRunningMessage and ends.
#include <QLockFile>
#include <QString>

namespace velmora::gui {

class SingleInstance {
public:
    explicit SingleInstance(const QString& workingFolder);
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process holds the lock; it is released when the guard is destroyed.
    bool acquired() const { return acquired_; }

    // The lock file: beside the working folder, named after it with ".lock". It cannot live
    // inside: start-up takes a missing working folder for the first start and fills it.
    static QString LockFilePath(const QString& workingFolder);

private:
    QLockFile lock_;
    bool acquired_ = false;
};

}  // namespace velmora::gui
