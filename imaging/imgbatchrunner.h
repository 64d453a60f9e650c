#pragma once

#include "imaging/imgjob.h"
#include "platform/batchrunner.h"

#include <QHash>
#include <QList>

class ImgThread;

// The picture runner behind the common protocol: slots are the records' "id" values.
class ImgBatchRunner final : public BatchRunner
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImgBatchRunner)
public:
    ImgBatchRunner(const ImgJobParams& params, const QList<ImgJobRecord>& batch, QObject* parent);
    // The thread is a child: destroying the runner stops it and kills its tools.
    ~ImgBatchRunner() override = default;

    void start() override;
    void stop() override;
    ImgThread* thread() const { return m_thread; }

private:
    void onDone(const QString& path, int row, bool success);

    ImgThread* m_thread;
    // A job's failure arrives just before its done report.
    QHash<int, JobFailure> m_failures;
};
