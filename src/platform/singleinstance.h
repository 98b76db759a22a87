#pragma once
// Only one copy of the program runs per user: a lock file in the temporary
// folder, released when the program ends (or found stale after a crash).
#include <QLockFile>
#include <QString>
#include <memory>

class SingleInstance {
public:
    explicit SingleInstance(const QString &lockPath = defaultLockPath());
    // True when this is the only running instance (the lock is now held).
    bool acquire();
    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> lock;
};
