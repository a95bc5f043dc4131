#include "gui/app/single_instance.h"

#include <QDir>
#include <QFileInfo>

namespace velmora::gui {

QString SingleInstance::LockFilePath(const QString& workingFolder) {
    const QFileInfo folder(QDir::cleanPath(QDir(workingFolder).absolutePath()));
    return QDir(folder.path()).filePath(folder.fileName() + QStringLiteral(".lock"));
}

SingleInstance::SingleInstance(const QString& workingFolder) : lock_(LockFilePath(workingFolder)) {
    // A running copy holds its lock however long it runs, where QLockFile would otherwise take
    // a lock older than 30 seconds for stale. A lock whose process is gone stays stale, and
    // QLockFile removes it by itself.
    lock_.setStaleLockTime(0);
    QDir().mkpath(QFileInfo(lock_.fileName()).path());
    acquired_ = lock_.tryLock(0);
}

}  // namespace velmora::gui
