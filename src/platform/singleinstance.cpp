#include "platform/singleinstance.h"

#include <QDir>
#include <unistd.h>

SingleInstance::SingleInstance(const QString &lockPath)
    : lock(std::make_unique<QLockFile>(lockPath))
{
    lock->setStaleLockTime(0); // stale only when its process is gone
}

bool SingleInstance::acquire()
{
    return lock->tryLock(0);
}

QString SingleInstance::defaultLockPath()
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("kanote-%1.lock").arg(getuid()));
}
