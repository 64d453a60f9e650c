#include "media/videothread.h"

#include "media/combenum.h"
#include "platform/apppaths.h"
#include "platform/toollauncher.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace Keys = MediaJobKeys;
using MediaJobKeys::number;
using MediaJobKeys::text;

namespace {
const QString kFfmpeg = QStringLiteral("decoder/common/ffmpeg");
const QString kQlvHelper = QStringLiteral("decoder/qlv/Qlv2mp4");

bool readsQlv(int mode, const MediaJob& job)
{
    const bool qlvMode =
        mode == AudioExtraction || (mode == FormatConversion && number(job, Keys::kMediaLocalType) >= 0 &&
                                    number(job, Keys::kMediaLocalType) <= 1);
    return qlvMode && QFileInfo(text(job, Keys::kOriFilePath)).suffix().toLower() == QLatin1String("qlv");
}

bool hasVideoTarget(const MediaJob& job)
{
    return CombEnum::isVideoFormat(static_cast<int>(number(job, Keys::kFormat)));
}

bool hasAudioTarget(const MediaJob& job)
{
    return CombEnum::isAudioFormat(static_cast<int>(number(job, Keys::kFormat)));
}
} // namespace

VideoThread::VideoThread(int mode, const MediaJobList& jobs, const QString& outputDirectory, QObject* parent)
    : QThread(parent), m_jobs(jobs), m_outputDirectory(outputDirectory), m_mode(mode)
{
}

VideoThread::~VideoThread()
{
    requestStop();
    wait();
}

void VideoThread::requestStop()
{
    m_cancel = true;
}

void VideoThread::run()
{
    m_namer = std::make_unique<MediaOutputNamer>(m_outputDirectory, QDateTime::currentDateTime());
    m_outputPrefix = m_namer->prefix();
    QDir().mkpath(m_outputDirectory);

    // Created here so that it belongs to this thread; its output is read only from this thread.
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    connect(&process, &QProcess::readyReadStandardOutput, this, &VideoThread::readOutput,
            Qt::DirectConnection);
    connect(&process, &QProcess::readyReadStandardError, this, &VideoThread::readErrorOutput,
            Qt::DirectConnection);
    m_process = &process;

    if (m_mode == Concatenation) {
        m_timeLen = 100;
        for (const MediaJob& job : qAsConst(m_jobs))
            m_timeLen += number(job, Keys::kTimeLen) / 1000;
        if (!m_jobs.isEmpty())
            runConcatenation();
    } else if (m_mode >= FormatConversion && m_mode <= AudioConversion) {
        for (int i = 0; i < m_jobs.size() && !m_cancel; ++i)
            runJob(i);
    }

    process.close();
    m_process = nullptr;
    if (!m_runTempDir.isEmpty())
        QDir(m_runTempDir).removeRecursively();
}

void VideoThread::runJob(int index)
{
    const MediaJob& job = m_jobs.at(index);
    m_currentObjectName = text(job, Keys::kObjectName);
    m_timeLen = number(job, Keys::kTimeLen) / 1000;
    m_timeOffset = 0;

    const QString source = text(job, Keys::kOriFilePath);
    Builder builder;
    Outcome outcome;
    if (!buildJob(index, source, &builder, &outcome.reason)) {
        finishJob(QString(), text(job, Keys::kObjectName), outcome);
        return;
    }
    MediaCommand command = builder(m_outputPrefix);
    QString unwrapped;
    if (readsQlv(m_mode, job)) {
        outcome = unwrapQlv(index, source, &unwrapped);
        if (!outcome.ok) {
            finishJob(command.outputPath, text(job, Keys::kObjectName), outcome);
            return;
        }
        buildJob(index, unwrapped, &builder, &outcome.reason);
    }
    if (claimOutput(builder, &command, &outcome.reason))
        outcome = runTool(kFfmpeg, command.arguments, command.outputPath);
    else
        outcome.ok = false;
    if (!unwrapped.isEmpty())
        QFile::remove(unwrapped);
    finishJob(command.outputPath, text(job, Keys::kObjectName), outcome);
}

bool VideoThread::buildJob(int index, const QString& input, Builder* builder, QString* reason) const
{
    const MediaJob job = m_jobs.at(index);
    const qint64 kind = number(job, Keys::kMediaLocalType);
    using R = MediaRecipes;
    if (m_mode == FormatConversion && kind == 0 && hasVideoTarget(job))
        *builder = [=](const QString& prefix) { return R::videoTarget(job, index, prefix, input); };
    else if ((m_mode == FormatConversion && kind == 1) || m_mode == AudioExtraction)
        *builder = [=](const QString& prefix) { return R::audioExtraction(job, index, prefix, input); };
    else if (m_mode == AudioConversion)
        *builder = [=](const QString& prefix) { return R::audioConversion(job, index, prefix); };
    else if (m_mode == Compression && number(job, Keys::kBitRate) <= 0)
        // "-b:v 0k" lets x264 choose, and it wrote files larger than their sources.
        *reason = QStringLiteral("no video bit rate is known for this file");
    else if (m_mode == Compression)
        *builder = [=](const QString& prefix) { return R::compression(job, index, prefix); };
    else if (m_mode == Slicing && hasVideoTarget(job))
        *builder = [=](const QString& prefix) { return R::slicing(job, index, prefix); };
    else if (m_mode == VideoToGif)
        *builder = [=](const QString& prefix) { return R::gif(job, index, prefix); };
    else
        *reason = QStringLiteral("no recipe for this target");
    const bool audioOnly =
        m_mode == AudioConversion || m_mode == AudioExtraction || (m_mode == FormatConversion && kind == 1);
    if (*builder && audioOnly && !hasAudioTarget(job)) {
        *builder = nullptr;
        *reason = QStringLiteral("no recipe for this target");
    }
    return static_cast<bool>(*builder);
}

bool VideoThread::claimOutput(const Builder& builder, MediaCommand* command, QString* reason)
{
    for (int attempt = 0; attempt < MediaOutputNamer::kMaxAttempts; ++attempt) {
        *command = builder(m_outputPrefix);
        switch (MediaOutputNamer::claim(command->outputPath)) {
        case MediaOutputNamer::Claimed:
            return true;
        case MediaOutputNamer::Unwritable:
            *reason = QStringLiteral("cannot write ") + command->outputPath;
            return false;
        case MediaOutputNamer::Taken:
            m_namer->advance();
            m_outputPrefix = m_namer->prefix();
            break;
        }
    }
    *reason = QStringLiteral("no free output name in ") + m_outputDirectory;
    return false;
}

VideoThread::Outcome VideoThread::runTool(const QString& program, const QStringList& arguments,
                                          const QString& expectedOutput)
{
    for (const QString& argument : arguments)
        qDebug().noquote() << "===========================" << argument;
    m_log = FfmpegLog();
    // Levels on every line tell ffmpeg's errors apart from the statistics it prints after them.
    const QStringList tagged =
        program == kFfmpeg
            ? QStringList{QStringLiteral("-loglevel"), QStringLiteral("level+info")} + arguments
            : arguments;
    ToolLauncher::prepare(*m_process, program, tagged);
    const bool started = ToolLauncher::start(*m_process);
    const ToolResult result =
        ToolLauncher::collect(*m_process, started, ToolLauncher::kFinishWaitMs, &m_cancel);
    readOutput();
    m_log.finish();
    qDebug().noquote() << "readErrorOutput=====================,"
                       << QString::fromLocal8Bit(result.standardError);

    Outcome outcome;
    const QFileInfo output(expectedOutput);
    outcome.ok = result.exitedCleanly() && output.isFile() && output.size() > 0;
    if (outcome.ok) {
        // ffmpeg ends well after a seek past the end or one it could not do, with no frame written.
        outcome.reason = m_log.emptyOutputReason();
        outcome.ok = outcome.reason.isEmpty();
    } else if (m_cancel) {
        outcome.reason = QStringLiteral("stopped");
    } else if (result.started && result.finished && result.exitStatus == QProcess::NormalExit) {
        // A tool that ran to its end says best why it failed; otherwise the launcher does.
        outcome.reason = m_log.failureReason();
    }
    if (outcome.ok)
        return outcome;
    if (outcome.reason.isEmpty())
        outcome.reason = result.failureReason();
    if (outcome.reason.isEmpty())
        outcome.reason = QStringLiteral("no output was written");
    // The file is this run's own (claimed or temporary): a half-written one is of no use.
    QFile::remove(expectedOutput);
    return outcome;
}

VideoThread::Outcome VideoThread::unwrapQlv(int index, const QString& source, QString* input)
{
    const QString dir = runTempDir();
    if (dir.isEmpty())
        return {false, QStringLiteral("no temporary folder")};
    const QStringList names = MediaRecipes::qlvNames(index, dir, QDateTime::currentDateTime());
    for (const QString& name : names)
        qDebug().noquote() << "qlv temp list path:" << name;
    *input = names.first();
    return runTool(kQlvHelper, MediaRecipes::qlvArguments(source, names), names.first());
}

void VideoThread::finishJob(const QString& outputPath, const QString& objectName, const Outcome& outcome)
{
    if (!outcome.ok) {
        qDebug().noquote() << "======================job failed:" << objectName << outcome.reason;
        emit failed(objectName, outcome.reason);
    }
    emit setProgress(100, objectName);
    emit done(outputPath, objectName);
}

QString VideoThread::runTempDir()
{
    if (m_runTempDir.isEmpty())
        m_runTempDir = AppPaths::makeRunTempDir(QStringLiteral("media"));
    return m_runTempDir;
}

void VideoThread::runConcatenation()
{
    const QString firstName = text(m_jobs.first(), Keys::kObjectName);
    const int format = static_cast<int>(number(m_jobs.first(), Keys::kFormat));
    const QString dir = runTempDir();
    QStringList pieces;
    Outcome outcome{!dir.isEmpty(), dir.isEmpty() ? QStringLiteral("no temporary folder") : QString()};
    for (int i = 0; i < m_jobs.size() && outcome.ok && !m_cancel; ++i) {
        const MediaJob& job = m_jobs.at(i);
        m_currentObjectName = text(job, Keys::kObjectName);
        if (!hasVideoTarget(job)) {
            outcome = {false, QStringLiteral("no recipe for this target")};
            break;
        }
        pieces << MediaRecipes::piecePath(dir, i);
        const MediaJob& first = m_jobs.first();
        outcome =
            runTool(kFfmpeg, MediaRecipes::concatPiece(job, first, pieces.last()).arguments, pieces.last());
        // A source without sound is known only once ffmpeg has read it; its piece is made again
        // with silence, or the joined sound would stop short of the picture.
        if (outcome.ok && !m_log.inputStreams().contains(QLatin1String("audio")))
            outcome = runTool(kFfmpeg, MediaRecipes::concatPiece(job, first, pieces.last(), true).arguments,
                              pieces.last());
        if (!outcome.ok)
            outcome.reason =
                QFileInfo(text(job, Keys::kOriFilePath)).fileName() + QStringLiteral(": ") + outcome.reason;
        // A probed duration can be shorter than the piece really is (an ASF probed at 4.4 s ran 6.4 s).
        m_timeOffset += qMax(number(job, Keys::kTimeLen) / 1000, m_log.lastTimeSeconds());
    }

    const Builder join = [&](const QString& prefix) {
        return MediaRecipes::concatJoin(pieces, format, prefix);
    };
    MediaCommand command = join(m_outputPrefix);
    if (m_cancel)
        outcome = {false, QStringLiteral("stopped")};
    if (outcome.ok && claimOutput(join, &command, &outcome.reason)) {
        m_joinLength = m_timeOffset;
        outcome = runTool(kFfmpeg, command.arguments, command.outputPath);
        m_joinLength = -1;
    } else {
        outcome.ok = false;
    }
    for (const QString& piece : qAsConst(pieces))
        QFile::remove(piece);
    finishJob(command.outputPath, firstName, outcome);
}

void VideoThread::readOutput()
{
    if (!m_process)
        return;
    const QByteArray bytes = m_process->readAllStandardOutput();
    if (bytes.isEmpty())
        return;
    m_log.add(bytes);
    handleChunk(bytes, ProgressParser::FrameOrSize, m_timeOffset);
}

void VideoThread::readErrorOutput()
{
    if (!m_process)
        return;
    const QByteArray bytes = m_process->readAllStandardError();
    if (!bytes.isEmpty())
        handleChunk(bytes, ProgressParser::FrameOnly, 0);
}

void VideoThread::handleChunk(const QByteArray& bytes, ProgressParser::Form form, qint64 offset)
{
    const QString chunk = ProgressParser::chunkText(bytes);
    qDebug().noquote() << "readOutput=====================," << chunk;
    const ProgressSample sample = ProgressParser::parse(chunk, form);
    if (!sample.isProgress)
        return;
    qint64 elapsed = sample.elapsedSeconds();
    // The joining run counts from zero over the whole length again; it is given the last
    // 100 seconds of the scale, so the bar ends at 100 instead of passing it.
    if (m_joinLength >= 0)
        elapsed = m_joinLength > 0 ? qMin<qint64>(100, elapsed * 100 / m_joinLength) : 0;
    elapsed += offset;
    const int progress = ProgressParser::percent(elapsed, m_timeLen);
    qDebug().nospace() << "hour:" << sample.hours << ",minute:" << sample.minutes
                       << ",second:" << sample.seconds << ",timestr is:" << sample.timeText
                       << ",total is:" << elapsed << ",timelen is:" << m_timeLen
                       << ",progress is:" << progress;
    // Across the pieces of a join the bar never goes back; a piece that ran past its probed
    // length is caught up with by the next one.
    if (progress < 0 || progress == m_lastProgress || (m_mode == Concatenation && progress < m_lastProgress))
        return;
    m_lastProgress = progress;
    emit setProgress(progress, m_currentObjectName);
}
