#include "imaging/imgbatchrunner.h"

#include "imaging/imgthread.h"

ImgBatchRunner::ImgBatchRunner(const ImgJobParams& params, const QList<ImgJobRecord>& batch, QObject* parent)
    : BatchRunner(parent), m_thread(new ImgThread(params, new QList<ImgJobRecord>(batch), this))
{
    connect(m_thread, &ImgThread::notifyParentProgress, this,
            [this](int progress, int row) { emit rowProgress(row, progress); });
    connect(m_thread, &ImgThread::notifyParentFailed, this,
            [this](int row, const JobFailure& failure) { m_failures.insert(row, failure); });
    connect(m_thread, &ImgThread::notifyParentDone, this, &ImgBatchRunner::onDone);
}

void ImgBatchRunner::start()
{
    m_thread->start(QThread::InheritPriority);
}

void ImgBatchRunner::stop()
{
    m_thread->requestStop();
}

void ImgBatchRunner::onDone(const QString& path, int row, bool success)
{
    if (row == -1) {
        emit batchDone();
        return;
    }
    // A failure whose kind was lost on the way still shows as one.
    JobFailure failure = m_failures.take(row);
    if (!success && !failure.isFailure())
        failure.kind = FailureKind::ToolFailed;
    emit rowDone(row, path, success, success ? JobFailure() : failure);
}
