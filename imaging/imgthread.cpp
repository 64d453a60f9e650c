#include "imaging/imgthread.h"

#include "imaging/imgrunable.h"
#include "platform/apppaths.h"
#include "platform/logcategories.h"

#include <QDebug>
#include <QDir>
#include <QSemaphore>
#include <QThreadPool>

ImgThread::ImgThread(int operation, int format, int level, int width, int height, const QString& rotate,
                     bool flop, bool flip, QList<ImgJobRecord>* batch, const QString& outputDir,
                     QObject* parent)
    : ImgThread(ImgJobParams{static_cast<ImgOperation>(operation), ImgFormats::fromCode(format), level, width,
                             height, rotate, flop, flip, outputDir},
                batch, parent)
{
}

ImgThread::ImgThread(const ImgJobParams& params, QList<ImgJobRecord>* batch, QObject* parent)
    : QThread(parent), m_params(params), m_batch(batch)
{
}

ImgThread::~ImgThread()
{
    requestStop();
    wait();
    delete m_batch;
}

void ImgThread::requestStop()
{
    m_cancel = true;
}

void ImgThread::run()
{
    QMutexLocker locker(&m_mutex);
    if (!QDir(m_params.outputDir).exists()) {
        QDir().mkpath(AppPaths::defaultOutputDir());
        // The jobs write to the folder they were given: make it too, rather than fail every job.
        QDir().mkpath(m_params.outputDir);
    }
    // A scratch folder of this batch alone: other pages' batches keep theirs.
    const QString batchTemp = AppPaths::makeRunTempDir(QStringLiteral("batch"));
    QSemaphore finished;
    QThreadPool* pool = QThreadPool::globalInstance();
    int started = 0;
    for (const ImgJobRecord& record : *m_batch) {
        auto* job = new ImgRunable(m_params, record, batchTemp, &finished, &m_cancel);
        // Queued, not blocking: a job must never wait for the page's thread, which may itself be
        // waiting here for the batch to stop. Each job posts its reports before it counts as
        // finished, so they still reach the page before the end of the batch.
        connect(job, &ImgRunable::setProgress, this, &ImgThread::setParentProgress, Qt::QueuedConnection);
        connect(job, &ImgRunable::failed, this, &ImgThread::parentFailed, Qt::QueuedConnection);
        connect(job, &ImgRunable::done, this, &ImgThread::parentDone, Qt::QueuedConnection);
        bool accepted = false;
        while (!m_cancel && !(accepted = pool->tryStart(job)))
            m_waitCondition.wait(&m_mutex, 100);
        if (!accepted) {
            delete job;
            break;
        }
        ++started;
    }
    // Wait for this batch's jobs only; the pool is shared with other pages' batches.
    finished.acquire(started);
    qCDebug(lcImaging) << "clear temp ==================";
    if (!batchTemp.isEmpty())
        QDir(batchTemp).removeRecursively();
    locker.unlock();
    emit parentDone(QString(), -1, true);
}

void ImgThread::setParentProgress(int progress, int index)
{
    qCDebug(lcImaging) << "=================progress:" << progress << ",index:" << index;
    emit notifyParentProgress(progress, index);
}

void ImgThread::parentDone(const QString& filePath, int index, bool isSuccess)
{
    emit notifyParentDone(filePath, index, isSuccess);
}

void ImgThread::parentFailed(int index, const JobFailure& failure)
{
    emit notifyParentFailed(index, failure);
}
