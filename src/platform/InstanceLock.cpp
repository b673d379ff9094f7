#include "InstanceLock.h"

InstanceLock::InstanceLock(const QString& databasePath)
    : path_(databasePath + QStringLiteral(".lock"))
    , lock_(path_) {
    // The program runs for months: a lock is stale only when its process is gone, never by age.
    lock_.setStaleLockTime(0);
}

InstanceLock::Result InstanceLock::tryLock() {
    if (lock_.tryLock(0))
        return Result::Locked;
    return lock_.error() == QLockFile::LockFailedError ? Result::HeldByAnother : Result::Failed;
}
