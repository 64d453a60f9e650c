#include "imaging/imgbatchrunner.h"

#include "imaging/imgthread.h"

ImgBatchRunner::ImgBatchRunner(const ImgJobParams& params, const QList<ImgJobRecord>& batch, QObject* parent)
    : BatchRunner(parent), m_thread(new ImgThread(params, new QList<ImgJobRecord>(batch), this))
{
    connect(m_thread, &ImgThread::notifyParentProgress, this,
            [this](int progress, int row) { emit rowProgress(row, progress); });
    connect(m_thread, &ImgThread::notifyParentFailed, this,
            [this](int row, const QString& reason) { m_reasons.insert(row, reason); });
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
    emit rowDone(row, path, success, success ? QString() : m_reasons.take(row));
}
