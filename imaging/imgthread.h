#pragma once

#include "imaging/imgjob.h"
#include "platform/jobfailure.h"

#include <QList>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

// Runs one page's picture batch: feeds the jobs to the shared pool of ten and relays their
// reports to the page. The runner object lives in the page's thread; run() in its own.
class ImgThread final : public QThread
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImgThread)
public:
    // Takes ownership of batch.
    ImgThread(int operation, int format, int level, int width, int height, const QString& rotate, bool flop,
              bool flip, QList<ImgJobRecord>* batch, const QString& outputDir, QObject* parent);
    ImgThread(const ImgJobParams& params, QList<ImgJobRecord>* batch, QObject* parent);
    // Stops the batch and kills its running tools before it goes: a page that is destroyed
    // mid-batch (the window closed) must not wait for the whole batch.
    ~ImgThread() override;
    void requestStop();

signals:
    void notifyParentProgress(int progress, int rowIndex);
    void notifyParentDone(const QString& exportFilePath, int rowIndex, bool isSuccess);
    // Before the failed row's done: what went wrong.
    void notifyParentFailed(int rowIndex, const JobFailure& failure);

public slots:
    void setParentProgress(int progress, int index);
    void parentDone(const QString& filePath, int index, bool isSuccess);
    void parentFailed(int index, const JobFailure& failure);

protected:
    void run() override;

private:
    ImgJobParams m_params;
    QList<ImgJobRecord>* m_batch;
    QMutex m_mutex;
    QWaitCondition m_waitCondition;
    std::atomic_bool m_cancel{false};
};
