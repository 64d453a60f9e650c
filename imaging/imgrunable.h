#pragma once

#include "imaging/imgjob.h"
#include "platform/jobfailure.h"

#include <QDateTime>
#include <QObject>
#include <QRect>
#include <QRunnable>

#include <atomic>

class QSemaphore;
class QThread;
class QTimer;

// One file of a picture batch, run on a pool thread. It only emits signals; the runner
// relays them to the page.
class ImgRunable final : public QObject, public QRunnable
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImgRunable)
public:
    // batchTemp: the batch's own scratch folder. finished is released once the job has reported.
    // cancel: set by the runner when its page goes away; the job then kills its tool.
    ImgRunable(const ImgJobParams& params, const ImgJobRecord& record, const QString& batchTemp,
               QSemaphore* finished, const std::atomic_bool* cancel);

    void run() override;

signals:
    void setProgress(int progress, int rowIndex);
    void done(const QString& exportFilePath, int rowIndex, bool isSuccess);
    // Sent just before done when the job failed.
    void failed(int rowIndex, const JobFailure& failure);

public slots:
    void progressRefresh();

private:
    QString conversionProcedure(bool firstDot);
    QString pdfProcedure(const QString& base, const QString& suffix);
    QString gifProcedure();
    QString compressionProcedure();
    QString keepFormatProcedure();
    QString runProcedure();
    // Decodes the source with tool (SOURCE OUTPUT) into the batch's scratch folder, for the
    // RAW pre-conversion and HEIC files with transparency; empty on failure.
    QString decodeFirst(const QString& tool, const QString& source, const QString& suffix);
    // The HEIC source's ICC profile as a file in the batch's scratch folder; empty if it has none.
    QString saveHeicProfile();
    // A hidden partial file in the output folder; the final name is claimed by finish().
    QString claimOutput(const QString& base, const QString& suffix);
    // A hidden partial folder for results of several files, claimed as base by finish().
    QString claimFolder(const QString& base);
    // Gives the finished partial output its final name; returns it, empty when none was free.
    QString finish(const QString& output);
    // Numbered frames the tool wrote beside a partial file go into a partial folder of their own.
    QString gatherNumbered(const QString& output);
    QString convert(const QString& source, const QString& suffix, const QString& output);
    bool runTool(const QString& program, const QStringList& arguments);
    QString failureReason(bool resultExists) const;
    JobFailure failure(bool resultExists) const;
    void startTicker();
    void stopTicker();

    ImgJobParams m_params;
    QRect m_crop;
    QString m_source;
    QString m_errorText;
    int m_row;
    ImgJobRecord m_record;
    QString m_batchTemp;
    QString m_stamp;
    QSemaphore* m_finished;
    const std::atomic_bool* m_cancel;
    QTimer* m_timer = nullptr;
    int m_progressValue = 3;
    QThread* m_timerThread = nullptr;
    // What the conversion procedure learnt about its source for the general recipe.
    int m_sourcePages = 1;
    QString m_profile;
    bool m_framesApart = false;
    // A partial sub-folder this job made; a failed job takes it away again.
    QString m_claimedFolder;
    // The name the partial output is to take: base and suffix in the output folder.
    QString m_finalBase;
    QString m_finalSuffix;
    bool m_toolsClean = true;
    // The last tool's exit code; -1 when it did not exit normally.
    int m_lastExitCode = -1;
    QString m_failure;
    // What the job itself learnt of the failure; None leaves it to the files and the tools' words.
    FailureKind m_kind = FailureKind::None;
    QDateTime m_startedAt;
};
