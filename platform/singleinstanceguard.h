#pragma once

#include <QSharedMemory>
#include <QString>

// One running instance per user: a named segment held for the life of the process.
class SingleInstanceGuard final
{
    Q_DISABLE_COPY_MOVE(SingleInstanceGuard)
public:
    // The keys are scoped to the user: another user on the machine runs an instance of their own.
    SingleInstanceGuard(const QString& semaphoreKey, const QString& memoryKey);
    // "JAMKey" -> "JAMKey-1000" for user id 1000.
    static QString userScoped(const QString& key);
    // False when another live instance holds the segment.
    bool tryAcquire();

private:
    QString m_semaphoreKey;
    QSharedMemory m_memory;
};
