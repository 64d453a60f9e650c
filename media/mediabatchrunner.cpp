#include "media/mediabatchrunner.h"

#include "media/videothread.h"

MediaBatchRunner::MediaBatchRunner(int mode, const MediaJobList& jobs, const QString& outputDirectory,
                                   const QHash<QString, int>& slotOfObjectName, QObject* parent)
    : BatchRunner(parent), m_thread(new VideoThread(mode, jobs, outputDirectory, this)),
      m_slots(slotOfObjectName)
{
    connect(m_thread, &VideoThread::setProgress, this, &MediaBatchRunner::onProgress);
    connect(m_thread, &VideoThread::failed, this, &MediaBatchRunner::onFailed);
    connect(m_thread, &VideoThread::done, this, &MediaBatchRunner::onDone);
    connect(m_thread, &QThread::finished, this, &BatchRunner::batchDone);
}

void MediaBatchRunner::start()
{
    m_thread->start(QThread::InheritPriority);
}

void MediaBatchRunner::stop()
{
    m_thread->requestStop();
}

void MediaBatchRunner::onProgress(int progress, const QString& objectName)
{
    if (!m_failures.contains(objectName))
        emit rowProgress(m_slots.value(objectName, -1), progress);
}

void MediaBatchRunner::onFailed(const QString& objectName, const JobFailure& failure)
{
    m_failures.insert(objectName, failure);
}

void MediaBatchRunner::onDone(const QString& path, const QString& objectName)
{
    const bool success = !m_failures.contains(objectName);
    emit rowDone(m_slots.value(objectName, -1), path, success, m_failures.value(objectName));
}
