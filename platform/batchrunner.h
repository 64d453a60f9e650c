#pragma once

#include "platform/jobfailure.h"

#include <QObject>
#include <QString>

// What a page sees of either engine. A job is named by the slot the page gave it when it built
// the batch (the row index of its record), never by a row as it is now: rows may be cleared
// while a batch runs. Reports arrive in the page's thread, batchDone last.
class BatchRunner : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BatchRunner)
public:
    explicit BatchRunner(QObject* parent);

    virtual void start() = 0;
    // No further jobs start and running tools are killed; batchDone still follows.
    virtual void stop() = 0;

signals:
    void rowProgress(int slot, int percent);
    // failure: why the job failed; no kind on success.
    void rowDone(int slot, const QString& outputPath, bool success, const JobFailure& failure);
    void batchDone();
};
