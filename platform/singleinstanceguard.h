#pragma once

#include <QSharedMemory>
#include <QString>

// One running instance per user: a named segment held for the life of the process.
class SingleInstanceGuard final
{
    Q_DISABLE_COPY_MOVE(SingleInstanceGuard)
public:
    SingleInstanceGuard(const QString& semaphoreKey, const QString& memoryKey);
    // False when another live instance holds the segment.
    bool tryAcquire();

private:
    QString m_semaphoreKey;
    QSharedMemory m_memory;
};
