#pragma once

#include <QLockFile>
#include <QString>

// One running copy of a program per database file: a lock file beside the file
// ("ponto.mdb.lock"), held while the object lives and removed with it. A lock left behind by a
// program that died (kill -9, a power cut) names a process that no longer runs: it is stale and
// taken over by the next start.
class InstanceLock {
public:
    explicit InstanceLock(const QString& databasePath);

    enum class Result { Locked, HeldByAnother, Failed };
    Result tryLock();
    const QString& path() const { return path_; }

private:
    QString path_;
    QLockFile lock_;
};
