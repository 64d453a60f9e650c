#pragma once

#include "media/mediajob.h"
#include "platform/batchrunner.h"

#include <QHash>
#include <QSet>

class VideoThread;

// The media runner behind the common protocol. The runner names rows by object name; the page
// says which slot each object name stands for.
class MediaBatchRunner final : public BatchRunner
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MediaBatchRunner)
public:
    MediaBatchRunner(int mode, const MediaJobList& jobs, const QString& outputDirectory,
                     const QHash<QString, int>& slotOfObjectName, QObject* parent);
    // The thread is a child: destroying the runner stops it and kills its tool.
    ~MediaBatchRunner() override = default;

    void start() override;
    void stop() override;
    VideoThread* thread() const { return m_thread; }

private:
    void onProgress(int progress, const QString& objectName);
    void onFailed(const QString& objectName, const JobFailure& failure);
    void onDone(const QString& path, const QString& objectName);

    VideoThread* m_thread;
    QHash<QString, int> m_slots;
    // The runner closes a failed job with progress 100 too: the row must not look finished.
    QHash<QString, JobFailure> m_failures;
};
