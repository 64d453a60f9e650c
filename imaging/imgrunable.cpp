#include "imaging/imgrunable.h"

#include "imaging/extensionlists.h"
#include "imaging/imgrecipes.h"
#include "imaging/imgsuccessrule.h"
#include "imaging/outputnamer.h"
#include "platform/logcategories.h"
#include "platform/partialoutput.h"
#include "platform/toollauncher.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSemaphore>
#include <QThread>
#include <QTimer>

ImgRunable::ImgRunable(const ImgJobParams& params, const ImgJobRecord& record, const QString& batchTemp,
                       QSemaphore* finished, const std::atomic_bool* cancel)
    : m_params(params), m_crop(ImgJobRecords::crop(record)),
      // Absolute, so a name that begins with "-" reaches every tool as a file.
      m_source(QFileInfo(ImgJobRecords::path(record)).absoluteFilePath()), m_row(ImgJobRecords::row(record)),
      m_record(record), m_batchTemp(batchTemp), m_finished(finished), m_cancel(cancel)
{
    m_params.outputDir = QDir(m_params.outputDir).absolutePath();
    setAutoDelete(true);
}

void ImgRunable::run()
{
    // Queued in the pool before a stop: it must not start a tool only to kill it.
    if (m_cancel->load()) {
        emit failed(m_row, JobFailure(FailureKind::Stopped, QStringLiteral("stopped")));
        emit done(QString(), m_row, false);
        m_finished->release();
        return;
    }
    m_startedAt = QDateTime::currentDateTime();
    emit setProgress(3, m_row);
    startTicker();
    QString output = runProcedure();
    stopTicker();
    const bool exists = !output.isEmpty() && OutputNamer::resultExists(output, m_startedAt);
    bool success = ImgSuccessRule::judge(m_params.operation, m_errorText, m_toolsClean, exists);
    if (success) {
        const QString claimed = finish(output);
        success = !claimed.isEmpty();
        output = success ? claimed : output;
        if (!success) {
            m_failure = QStringLiteral("no output name could be claimed in ") + m_params.outputDir;
            m_kind = FailureKind::OutputNotWritable;
        }
    }
    if (!m_errorText.isEmpty())
        qCDebug(lcImaging) << "执行失败，执行结果为：" << m_errorText;
    const JobFailure failure = success ? JobFailure() : this->failure(exists);
    if (!success)
        qCWarning(lcImaging) << "picture job failed:" << m_source << failure.detail;
    // A failed job's output never had a final name: its partial file or folder goes.
    if (!success && !output.isEmpty())
        QFile::remove(output);
    if (!success && !m_claimedFolder.isEmpty())
        QDir(m_claimedFolder).removeRecursively();
    if (success)
        emit setProgress(100, m_row);
    else
        emit failed(m_row, failure);
    // A failed job has no output to show: its partial name never became one.
    emit done(success ? output : QString(), m_row, success);
    m_finished->release();
}

QString ImgRunable::runProcedure()
{
    switch (m_params.operation) {
    case ImgOperation::FirstDotConversion:
        return conversionProcedure(true);
    case ImgOperation::GifCompression:
        return gifProcedure();
    case ImgOperation::Compression:
        return compressionProcedure();
    case ImgOperation::KeepFormat:
        return keepFormatProcedure();
    case ImgOperation::Conversion:
    case ImgOperation::PdfToImages:
    case ImgOperation::Crop:
        break;
    }
    // Any other code converts, as the three named ones do.
    return conversionProcedure(false);
}

QString ImgRunable::failureReason(bool resultExists) const
{
    // The tool's own last words say most; then why it could not run; then what is missing.
    // ImageMagick closes a failed read with the generic "no images defined `OUT'": the line
    // before it says why.
    QStringList lines;
    for (const QString& line : m_errorText.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    }
    if (lines.size() > 1 && lines.last().contains(QLatin1String("no images defined")))
        lines.removeLast();
    // "… `in.png' @ error/png.c/ReadPNGImage/4115.": where in its own source ImageMagick gave up
    // tells a user nothing.
    static const QRegularExpression location(QStringLiteral(" @ \\w+/[\\w./-]+$"));
    if (!lines.isEmpty())
        return QString(lines.last()).remove(location);
    if (!m_failure.isEmpty())
        return m_failure;
    return resultExists ? QStringLiteral("the tool reported a problem")
                        : QStringLiteral("no result was written");
}

JobFailure ImgRunable::failure(bool resultExists) const
{
    if (m_cancel->load())
        return {FailureKind::Stopped, failureReason(resultExists)};
    FailureKind kind = JobFailure::kindOfFiles(m_source, m_params.outputDir);
    if (kind == FailureKind::None)
        kind = m_kind;
    if (kind == FailureKind::None)
        kind = JobFailure::kindOfToolText(m_errorText + QLatin1Char('\n') + m_failure);
    return {kind == FailureKind::None ? FailureKind::ToolFailed : kind, failureReason(resultExists)};
}

void ImgRunable::startTicker()
{
    m_timerThread = new QThread();
    m_timer = new QTimer();
    connect(m_timer, &QTimer::timeout, this, &ImgRunable::progressRefresh, Qt::DirectConnection);
    // Stop the timer on its own thread before that thread ends.
    connect(m_timerThread, &QThread::finished, m_timer, &QTimer::stop, Qt::DirectConnection);
    m_timer->start(1000);
    m_timer->moveToThread(m_timerThread);
    m_timerThread->start(QThread::InheritPriority);
}

void ImgRunable::stopTicker()
{
    m_timerThread->quit();
    m_timerThread->wait();
    delete m_timer;
    delete m_timerThread;
    m_timer = nullptr;
    m_timerThread = nullptr;
}

void ImgRunable::progressRefresh()
{
    qCDebug(lcImaging) << "timer timeout,progressValue:" << m_progressValue;
    if (m_progressValue > 90) {
        m_timer->stop();
        return;
    }
    qCDebug(lcImaging) << "timer timeout ,progressValue:" << m_progressValue;
    ++m_progressValue;
    emit setProgress(m_progressValue, m_row);
}

bool ImgRunable::runTool(const QString& program, const QStringList& arguments)
{
    for (const QString& argument : arguments)
        qCDebug(lcImaging) << "===========================" << argument;
    const ToolResult result = ToolLauncher::run(program, arguments, ToolLauncher::kFinishWaitMs, m_cancel);
    m_errorText += QString::fromLocal8Bit(result.standardError);
    m_lastExitCode =
        result.started && result.finished && result.exitStatus == QProcess::NormalExit ? result.exitCode : -1;
    if (!result.exitedCleanly()) {
        m_toolsClean = false;
        m_failure = program + QStringLiteral(": ") + result.failureReason();
        if (m_kind == FailureKind::None)
            m_kind = JobFailure::kindOfRun(result);
    }
    return result.exitedCleanly();
}

QString ImgRunable::claimOutput(const QString& base, const QString& suffix)
{
    m_finalBase = base;
    m_finalSuffix = suffix;
    const QString output = PartialOutput::createFile(m_params.outputDir, suffix);
    if (output.isEmpty()) {
        m_toolsClean = false;
        m_failure = QStringLiteral("no output name could be claimed in ") + m_params.outputDir;
    }
    return output;
}

QString ImgRunable::claimFolder(const QString& base)
{
    m_finalBase = base;
    m_finalSuffix.clear();
    m_claimedFolder = PartialOutput::createFolder(m_params.outputDir);
    if (m_claimedFolder.isEmpty()) {
        m_toolsClean = false;
        m_failure = QStringLiteral("no sub-folder could be made in ") + m_params.outputDir;
    }
    return m_claimedFolder;
}

QString ImgRunable::finish(const QString& output)
{
    QString ready = output;
    if (m_claimedFolder.isEmpty() && QFileInfo(output).size() == 0)
        ready = gatherNumbered(output);
    if (m_claimedFolder.isEmpty())
        return OutputNamer::claimFile(ready, m_params.outputDir, m_finalBase, m_finalSuffix, m_stamp, m_row);
    const QString folder =
        OutputNamer::claimFolder(m_claimedFolder, m_params.outputDir, m_finalBase, m_stamp, m_row);
    if (folder.isEmpty())
        return QString();
    m_claimedFolder.clear();
    return folder + QLatin1Char('/') + QFileInfo(ready).fileName();
}

QString ImgRunable::gatherNumbered(const QString& output)
{
    const QStringList numbered = OutputNamer::numberedFiles(output);
    if (numbered.isEmpty() || claimFolder(m_finalBase).isEmpty())
        return output;
    QFile::remove(output);
    const QString dot = m_finalSuffix.isEmpty() ? QString() : QStringLiteral(".") + m_finalSuffix;
    const QString inside = m_claimedFolder + QLatin1Char('/') + m_finalBase + dot;
    for (const QString& file : numbered) {
        const QString number = QFileInfo(file).completeBaseName().section(QLatin1Char('-'), -1);
        QFile::rename(file,
                      m_claimedFolder + QLatin1Char('/') + m_finalBase + QLatin1Char('-') + number + dot);
    }
    return OutputNamer::numberFromOne(inside);
}

QString ImgRunable::convert(const QString& source, const QString& suffix, const QString& output)
{
    ImgRecipes::Conversion c = ImgRecipes::Conversion::from(m_params, source, m_crop, suffix, output);
    c.sourcePages = m_sourcePages;
    c.profile = m_profile;
    c.numbered = m_framesApart;
    runTool(QStringLiteral("magick"), ImgRecipes::general(c));
    return output;
}
