#include "platform/singleinstanceguard.h"

#include <QSystemSemaphore>

SingleInstanceGuard::SingleInstanceGuard(const QString& semaphoreKey, const QString& memoryKey)
    : m_semaphoreKey(semaphoreKey), m_memory(memoryKey)
{
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
