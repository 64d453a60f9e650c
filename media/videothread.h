#pragma once

#include "media/ffmpeglog.h"
#include "media/mediajob.h"
#include "media/medialength.h"
#include "media/mediaoutputnamer.h"
#include "media/mediarecipes.h"
#include "media/progressparser.h"
#include "platform/jobfailure.h"

#include <QThread>
#include <atomic>
#include <memory>

class ChildProcess;

// Runs one page's media jobs, one ffmpeg process after another, on its own thread.
// Every job ends with setProgress(100) and done; a job that did not produce its output
// reports failed first, with the last line the tool printed.
class VideoThread final : public QThread
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VideoThread)
public:
    VideoThread(int mode, const MediaJobList& jobs, const QString& outputDirectory,
                QObject* parent = nullptr);
    VideoThread(int mode, const MediaRecordList& records, const QString& outputDirectory,
                QObject* parent = nullptr);
    // Stops the run and kills its running tool, removing what it half wrote: a page destroyed
    // mid-run (the window closed) must not wait for the whole batch.
    ~VideoThread() override;
    // The running job ends as failed; the jobs after it are not started.
    void requestStop();

signals:
    void setProgress(int progress, const QString& objectName);
    void done(const QString& exportFilePath, const QString& objectName);
    void failed(const QString& objectName, const JobFailure& failure);

public slots:
    // Both run on the worker thread, inside the waits on the process (direct connections).
    void readOutput();
    void readErrorOutput();

protected:
    void run() override;

private:
    struct Outcome
    {
        bool ok = false;
        QString reason;
        FailureKind kind = FailureKind::None;
    };

    void runJob(int index);
    void runConcatenation();
    // Why the job has no recipe; no failure when it has one.
    static JobFailure refusal(const MediaJob& job);
    // The outcome's kind, with what the files say first.
    JobFailure failureOf(const QString& objectName, const Outcome& outcome) const;
    static MediaCommand recipe(const MediaJob& job, const QString& output, const QString& input,
                               double sourceRate);
    // How long the source really runs and how many frames it holds, from its packets'
    // timestamps; the probed length when they cannot be read, 0 when neither is known.
    MediaLength::Reading readSource(const QString& input, qint64 probedMs);
    // Runs a capped command; an output that reached the cap ran away from a damaged timestamp.
    Outcome runCapped(MediaCommand command, qint64 realMs, bool capped);
    // Encodes to fit under the job's target size: a first pass at the rate the size allows, and
    // more at a corrected rate while the file is over it or well under it.
    Outcome runTargetSize(MediaJob job, const QString& output, qint64 realMs);
    // How many bytes the source's sound takes; -1 when ffmpeg could not read it.
    qint64 soundBytes(const MediaJob& job);
    // An empty expectedOutput: the run writes no file (a measuring run) and only has to end well.
    Outcome runTool(const QString& program, const QStringList& arguments, const QString& expectedOutput);
    Outcome unwrapQlv(int index, const QString& source, QString* input);
    void finishJob(const QString& outputPath, const QString& objectName, const Outcome& outcome);
    void handleChunk(const QByteArray& bytes, ProgressParser::Form form, qint64 offset);
    QString runTempDir();

    MediaJobList m_jobs;
    QString m_outputDirectory;
    std::unique_ptr<MediaOutputNamer> m_namer;
    ChildProcess* m_process = nullptr;
    QString m_runTempDir;
    FfmpegLog m_log;
    std::atomic_bool m_cancel{false};

    // Written by the job frame before each start and read by the parser while the tool runs;
    // both happen on the worker thread, so no lock is needed.
    QString m_currentObjectName;
    qint64 m_timeLen = 0;
    int m_lastProgress = 0;
    int m_mode = 0;
    qint64 m_timeOffset = 0;
    // While the pieces are joined: the joined length, to map its clock onto the last stretch.
    qint64 m_joinLength = -1;
};
