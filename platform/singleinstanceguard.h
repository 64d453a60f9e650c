#pragma once

#include <QString>

// One running instance per user: an exclusive lock on a file in the user's runtime folder, held
// for the life of the process. The kernel drops the lock with the process however it ends, so a
// crash leaves nothing that refuses the next start.
class SingleInstanceGuard final
{
    Q_DISABLE_COPY_MOVE(SingleInstanceGuard)
public:
    explicit SingleInstanceGuard(const QString& name);
    ~SingleInstanceGuard();

    // "chengying" -> "chengying-4026531839": one name per IPC namespace, so that a sandbox
    // ("unshare --ipc") runs an instance of its own, as it did with System V keys.
    static QString scopedName(const QString& name);
    // The lock file's path in the user's runtime folder.
    static QString lockPath(const QString& name);
    // False when another live instance holds the lock.
    bool tryAcquire();

private:
    QString m_path;
    int m_fd = -1;
};
