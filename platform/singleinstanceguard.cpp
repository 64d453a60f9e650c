#include "platform/singleinstanceguard.h"

#include <QSystemSemaphore>

#include <unistd.h>

SingleInstanceGuard::SingleInstanceGuard(const QString& semaphoreKey, const QString& memoryKey)
    : m_semaphoreKey(userScoped(semaphoreKey)), m_memory(userScoped(memoryKey))
{
}

QString SingleInstanceGuard::userScoped(const QString& key)
{
    // System V keys are machine-wide on Linux: without the user in them, one user's instance
    // would refuse every other user's start.
    return key + QLatin1Char('-') + QString::number(::getuid());
}

bool SingleInstanceGuard::tryAcquire()
{
    QSystemSemaphore semaphore(m_semaphoreKey, 1, QSystemSemaphore::Open);
    semaphore.acquire();
    {
        // On Linux a killed instance leaves its segment behind with nobody attached.
        // Attaching and detaching removes such a segment (the last detach deletes it),
        // while a live instance stays attached and keeps it.
        QSharedMemory stale(m_memory.key());
        if (stale.attach())
            stale.detach();
    }
    const bool created = m_memory.create(1, QSharedMemory::ReadWrite);
    semaphore.release();
    return created;
}
