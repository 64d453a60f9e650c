#include "media/videothread.h"

#include "media/combenum.h"
#include "media/medialength.h"
#include "media/mymediainfo.h"
#include "platform/apppaths.h"
#include "platform/logcategories.h"
#include "platform/toollauncher.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <climits>

namespace {
const QString kFfmpeg = QStringLiteral("decoder/common/ffmpeg");
const QString kQlvHelper = QStringLiteral("decoder/qlv/Qlv2mp4");
// A first pass and at most two corrections.
constexpr int kTargetPasses = 3;

bool readsQlv(const MediaJob& job)
{
    const bool qlvMode =
        job.operation == AudioExtraction ||
        (job.operation == FormatConversion && job.mediaLocalType >= 0 && job.mediaLocalType <= 1);
    return qlvMode && QFileInfo(job.oriFilePath).suffix().toLower() == QLatin1String("qlv");
}

bool hasVideoTarget(const MediaJob& job)
{
    return CombEnum::isVideoFormat(job.format);
}

bool hasAudioTarget(const MediaJob& job)
{
    return CombEnum::isAudioFormat(job.format);
}

bool readsPicture(const MediaJob& job)
{
    return job.operation == Compression || job.operation == Slicing || job.operation == VideoToGif ||
           job.operation == Concatenation || (job.operation == FormatConversion && job.mediaLocalType == 0);
}

MediaJobList withOperation(MediaJobList jobs, int mode)
{
    for (MediaJob& job : jobs)
        job.operation = static_cast<MediaOperation>(mode);
    return jobs;
}

MediaJobList fromRecords(const MediaRecordList& records, int mode)
{
    MediaJobList jobs;
    for (const MediaRecord& record : records)
        jobs << MediaJob::fromRecord(record, static_cast<MediaOperation>(mode));
    return jobs;
}
} // namespace

VideoThread::VideoThread(int mode, const MediaJobList& jobs, const QString& outputDirectory, QObject* parent)
    : QThread(parent), m_jobs(withOperation(jobs, mode)), m_outputDirectory(outputDirectory), m_mode(mode)
{
}

VideoThread::VideoThread(int mode, const MediaRecordList& records, const QString& outputDirectory,
                         QObject* parent)
    : QThread(parent), m_jobs(fromRecords(records, mode)), m_outputDirectory(outputDirectory), m_mode(mode)
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
    QDir().mkpath(m_outputDirectory);

    // Created here so that it belongs to this thread; its output is read only from this thread.
    ChildProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    connect(&process, &QProcess::readyReadStandardOutput, this, &VideoThread::readOutput,
            Qt::DirectConnection);
    connect(&process, &QProcess::readyReadStandardError, this, &VideoThread::readErrorOutput,
            Qt::DirectConnection);
    m_process = &process;

    if (m_mode == Concatenation) {
        m_timeLen = 100;
        for (const MediaJob& job : qAsConst(m_jobs))
            m_timeLen += job.timeLen / 1000;
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
    m_currentObjectName = job.objectName;
    m_timeLen = job.timeLen / 1000;
    m_timeOffset = 0;

    Outcome outcome;
    const JobFailure refused = refusal(job);
    if (refused.isFailure()) {
        outcome = {false, refused.detail, refused.kind};
        finishJob(QString(), job.objectName, outcome);
        return;
    }
    QString input = job.oriFilePath;
    QString unwrapped;
    if (readsQlv(job)) {
        outcome = unwrapQlv(index, job.oriFilePath, &unwrapped);
        if (!outcome.ok) {
            finishJob(QString(), job.objectName, outcome);
            return;
        }
        input = unwrapped;
    }
    const MediaLength::Reading source =
        readsPicture(job) ? readSource(input, job.timeLen) : MediaLength::Reading{};
    const qint64 real = source.lengthMs;
    if (job.wholeClip && real > 0)
        m_timeLen = real / 1000;
    const QString suffix = MediaRecipes::outputSuffix(job);
    const QString partial = m_namer->partial(suffix, &outcome.reason);
    if (!partial.isEmpty() && job.operation == Compression && job.targetBytes > 0)
        outcome = runTargetSize(job, partial, real);
    else if (!partial.isEmpty())
        outcome = runCapped(recipe(job, partial, input, source.frameRate()), real, job.wholeClip);
    else
        outcome = {false, outcome.reason, FailureKind::OutputNotWritable};
    if (!unwrapped.isEmpty())
        QFile::remove(unwrapped);
    QString output;
    if (outcome.ok) {
        output = m_namer->claim(partial, MediaRecipes::outputBase(job), suffix, index, &outcome.reason);
        outcome.ok = !output.isEmpty();
        if (!outcome.ok)
            outcome.kind = FailureKind::OutputNotWritable;
    }
    // The partial file never had a final name; a failed or stopped job leaves nothing.
    if (!outcome.ok && !partial.isEmpty())
        QFile::remove(partial);
    finishJob(output, job.objectName, outcome);
}

JobFailure VideoThread::refusal(const MediaJob& job)
{
    const JobFailure noRecipe{FailureKind::Unsupported, QStringLiteral("no recipe for this target")};
    const MediaOperation mode = job.operation;
    const bool audioOnly = mode == AudioConversion || mode == AudioExtraction ||
                           (mode == FormatConversion && job.mediaLocalType == 1);
    if (audioOnly)
        return hasAudioTarget(job) ? JobFailure() : noRecipe;
    // "-b:v 0k" lets x264 choose, and it wrote files larger than their sources.
    if (mode == Compression && job.targetBytes > 0)
        return JobFailure();
    if (mode == Compression)
        return job.bitRate > 0 ? JobFailure()
                               : JobFailure(FailureKind::FactsUnknown,
                                            QStringLiteral("no video bit rate is known for this file"));
    if (mode == VideoToGif)
        return JobFailure();
    if ((mode == FormatConversion && job.mediaLocalType == 0) || mode == Slicing || mode == Concatenation)
        return hasVideoTarget(job) ? JobFailure() : noRecipe;
    return noRecipe;
}

JobFailure VideoThread::failureOf(const QString& objectName, const Outcome& outcome) const
{
    if (m_cancel)
        return {FailureKind::Stopped, outcome.reason};
    QString source;
    for (const MediaJob& job : m_jobs) {
        if (job.objectName == objectName)
            source = job.oriFilePath;
    }
    FailureKind kind = JobFailure::kindOfFiles(source, m_outputDirectory);
    if (kind == FailureKind::None)
        kind = outcome.kind;
    return {kind == FailureKind::None ? FailureKind::ToolFailed : kind, outcome.reason};
}

MediaCommand VideoThread::recipe(const MediaJob& job, const QString& output, const QString& input,
                                 double sourceRate)
{
    using R = MediaRecipes;
    switch (job.operation) {
    case FormatConversion:
        return job.mediaLocalType == 0 ? R::videoTarget(job, output, input)
                                       : R::audioExtraction(job, output, input);
    case AudioExtraction:
        return R::audioExtraction(job, output, input);
    case AudioConversion:
        return R::audioConversion(job, output);
    case Compression:
        return R::compression(job, output);
    case Slicing:
        return R::slicing(job, output);
    case VideoToGif:
        return R::gif(job, output, sourceRate);
    case Concatenation:
        break;
    }
    return {};
}

MediaLength::Reading VideoThread::readSource(const QString& input, qint64 probedMs)
{
    MediaLength::Reading reading = MediaLength::readPackets(input, &m_cancel);
    if (reading.lengthMs <= 0)
        reading = {qMax<qint64>(0, probedMs), 0};
    return reading;
}

VideoThread::Outcome VideoThread::runCapped(MediaCommand command, qint64 realMs, bool capped)
{
    const qint64 cap = MediaRecipes::lengthCap(realMs);
    if (capped && realMs > 0 && !command.arguments.isEmpty())
        command.arguments.insert(command.arguments.size() - 1, QStringLiteral("-t"));
    if (capped && realMs > 0 && !command.arguments.isEmpty())
        command.arguments.insert(command.arguments.size() - 1, MediaRecipes::seconds(cap));
    Outcome outcome = runTool(kFfmpeg, command.arguments, command.outputPath);
    // Half the margin: an honest file ends within a frame of its packets' length.
    if (outcome.ok && capped && realMs > 0 && m_log.lastTimeMs() > realMs + (cap - realMs) / 2) {
        QFile::remove(command.outputPath);
        outcome = {false,
                   QStringLiteral("the output ran past the source's %1 s; its timestamps are damaged")
                       .arg(MediaRecipes::seconds(realMs)),
                   FailureKind::SourceUnreadable};
    }
    return outcome;
}

VideoThread::Outcome VideoThread::runTool(const QString& program, const QStringList& arguments,
                                          const QString& expectedOutput)
{
    for (const QString& argument : arguments)
        qCDebug(lcMedia).noquote() << "===========================" << argument;
    m_log = FfmpegLog();
    // Levels on every line tell ffmpeg's errors apart from the statistics it prints after them.
    // "verbose" adds the bytes muxed per stream, which tell a short silence from none.
    const QStringList tagged =
        program == kFfmpeg
            ? QStringList{QStringLiteral("-loglevel"), QStringLiteral("level+verbose")} + arguments
            : arguments;
    ToolLauncher::prepare(*m_process, program, tagged);
    const bool started = ToolLauncher::start(*m_process);
    const ToolResult result =
        ToolLauncher::collect(*m_process, started, ToolLauncher::kFinishWaitMs, &m_cancel);
    readOutput();
    m_log.finish();
    qCDebug(lcMedia).noquote() << "readErrorOutput=====================,"
                               << QString::fromLocal8Bit(result.standardError);

    Outcome outcome;
    const QFileInfo output(expectedOutput);
    outcome.ok =
        result.exitedCleanly() && (expectedOutput.isEmpty() || (output.isFile() && output.size() > 0));
    if (outcome.ok && !expectedOutput.isEmpty()) {
        // ffmpeg ends well after a seek past the end or one it could not do, with no frame written.
        outcome.reason = m_log.emptyOutputReason();
        outcome.ok = outcome.reason.isEmpty();
        outcome.kind = outcome.ok ? FailureKind::None : FailureKind::NoContent;
    } else if (m_cancel) {
        outcome.reason = QStringLiteral("stopped");
        outcome.kind = FailureKind::Stopped;
    } else if (result.started && result.finished && result.exitStatus == QProcess::NormalExit) {
        // A tool that ran to its end says best why it failed; otherwise the launcher does.
        outcome.reason = m_log.failureReason();
        outcome.kind = JobFailure::kindOfToolText(m_log.errorText());
    }
    if (outcome.ok)
        return outcome;
    if (outcome.kind == FailureKind::None)
        outcome.kind = JobFailure::kindOfRun(result);
    if (outcome.reason.isEmpty())
        outcome.reason = result.failureReason();
    if (outcome.reason.isEmpty())
        outcome.reason = QStringLiteral("no output was written");
    // The file is this run's own (partial or temporary): a half-written one is of no use.
    if (!expectedOutput.isEmpty())
        QFile::remove(expectedOutput);
    return outcome;
}

qint64 VideoThread::soundBytes(const MediaJob& job)
{
    const MediaCommand command = MediaRecipes::soundMeasure(job);
    // The copy runs in moments; its clock is not the job's, so the row's bar is left alone.
    const QString rowName = m_currentObjectName;
    m_currentObjectName.clear();
    const Outcome outcome = runTool(kFfmpeg, command.arguments, QString());
    m_currentObjectName = rowName;
    if (!m_log.inputStreams().contains(QLatin1String("audio")))
        return m_log.inputStreams().isEmpty() ? -1 : 0;
    return outcome.ok ? qMax<qint64>(0, m_log.muxedBytes(QStringLiteral("audio"))) : -1;
}

VideoThread::Outcome VideoThread::runTargetSize(MediaJob job, const QString& output, qint64 realMs)
{
    const qint64 target = job.targetBytes;
    const qint64 sourceRate = job.bitRate;
    const qint64 length = realMs > 0 ? realMs : job.timeLen;
    if (length <= 0)
        return {false, tr("时长未知，无法按目标大小压缩"), FailureKind::FactsUnknown};
    const qint64 sound = soundBytes(job);
    if (sound < 0)
        return {false, tr("无法读取文件的声音"), FailureKind::SourceUnreadable};
    // Aim at the middle of the allowed band, [97 %, 100 %] of the target.
    const qint64 aim = target - target * 15 / 1000;
    // MP4's index and headers: about a kilobyte plus a few bytes per frame, known after a pass.
    qint64 overhead = 4096 + length / 10;
    if (sound + overhead >= target)
        return {false,
                tr("目标大小 %1 小于声音本身的 %2")
                    .arg(MyMediaInfo::readableSize(target), MyMediaInfo::readableSize(sound)),
                FailureKind::TargetUnreachable};
    qint64 rate = MediaRecipes::videoRateFor(aim - sound - overhead, length);
    m_timeLen = length / 1000 * 2;
    Outcome outcome;
    qint64 lastRate = LLONG_MAX;
    qint64 lastSize = 0;
    for (int pass = 0; pass < kTargetPasses; ++pass) {
        // A rate above the source's buys nothing; the file then stays under the target.
        const bool capped = sourceRate > 0 && rate >= sourceRate;
        job.bitRate = qMax<qint64>(1, capped ? sourceRate : rate);
        m_timeOffset = pass == 0 ? 0 : length / 1000;
        outcome = runCapped(MediaRecipes::compression(job, output), realMs, job.wholeClip);
        if (!outcome.ok)
            return outcome;
        const qint64 size = QFileInfo(output).size();
        const qint64 video = m_log.muxedBytes(QStringLiteral("video"));
        const qint64 audio = qMax<qint64>(0, m_log.muxedBytes(QStringLiteral("audio")));
        qCDebug(lcMedia).nospace() << "target size:" << target << ",pass:" << pass << ",rate:" << job.bitRate
                                   << ",size:" << size;
        const bool over = size > target;
        const bool inBand = !over && size >= target - target * 3 / 100;
        // Under after the last pass, or at the source's own rate: the encoder gives no more.
        if (inBand || (!over && (capped || pass == kTargetPasses - 1)))
            return outcome;
        if (video <= 0)
            break;
        overhead = qMax<qint64>(0, size - video - audio);
        const qint64 budget = aim - audio - overhead;
        if (budget <= 0)
            break;
        const qint64 corrected = qMax<qint64>(1, job.bitRate * budget / video);
        // A higher rate that did not grow the file: the encoder is at its finest quantiser.
        if (!over && job.bitRate > lastRate && size <= lastSize)
            return outcome;
        lastRate = job.bitRate;
        lastSize = size;
        rate = corrected;
    }
    QFile::remove(output);
    return {false, tr("无法压缩到 %1 以内").arg(MyMediaInfo::readableSize(target)),
            FailureKind::TargetUnreachable};
}

VideoThread::Outcome VideoThread::unwrapQlv(int index, const QString& source, QString* input)
{
    const QString dir = runTempDir();
    if (dir.isEmpty())
        return {false, QStringLiteral("no temporary folder"), FailureKind::ToolFailed};
    const QStringList names = MediaRecipes::qlvNames(index, dir, QDateTime::currentDateTime());
    for (const QString& name : names)
        qCDebug(lcMedia).noquote() << "qlv temp list path:" << name;
    *input = names.first();
    return runTool(kQlvHelper, MediaRecipes::qlvArguments(source, names), names.first());
}

void VideoThread::finishJob(const QString& outputPath, const QString& objectName, const Outcome& outcome)
{
    if (!outcome.ok) {
        qCWarning(lcMedia).noquote() << "======================job failed:" << objectName << outcome.reason;
        emit failed(objectName, failureOf(objectName, outcome));
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
    const MediaJob& first = m_jobs.first();
    const QString dir = runTempDir();
    QStringList pieces;
    QString failedName = first.objectName;
    Outcome outcome{!dir.isEmpty(), dir.isEmpty() ? QStringLiteral("no temporary folder") : QString()};
    // The join's one frame rate is read first: no clip may have its frames repeated to fill it,
    // so it is the fastest clip's real rate when all are known and slower than 25.
    QList<MediaLength::Reading> sources;
    bool allRatesKnown = true;
    double fastest = 0;
    for (int i = 0; i < m_jobs.size() && !m_cancel; ++i) {
        sources << readSource(m_jobs.at(i).oriFilePath, m_jobs.at(i).timeLen);
        allRatesKnown = allRatesKnown && sources.last().frameRate() > 0;
        fastest = qMax(fastest, sources.last().frameRate());
    }
    const double joinRate = allRatesKnown ? fastest : 0;
    for (int i = 0; i < m_jobs.size() && outcome.ok && !m_cancel; ++i) {
        const MediaJob& job = m_jobs.at(i);
        m_currentObjectName = job.objectName;
        failedName = job.objectName;
        const JobFailure refused = refusal(job);
        if (refused.isFailure()) {
            outcome = {false, refused.detail, refused.kind};
            break;
        }
        pieces << MediaRecipes::piecePath(dir, i);
        const qint64 real = i < sources.size() ? sources.at(i).lengthMs : 0;
        outcome =
            runCapped(MediaRecipes::concatPiece(job, first, pieces.last(), false, joinRate), real, true);
        // A source without sound is known only once ffmpeg has read it; its piece is made again
        // with silence, or the joined sound would stop short of the picture.
        if (outcome.ok && !m_log.inputStreams().contains(QLatin1String("audio")))
            outcome =
                runCapped(MediaRecipes::concatPiece(job, first, pieces.last(), true, joinRate), real, true);
        if (!outcome.ok)
            outcome.reason = QFileInfo(job.oriFilePath).fileName() + QStringLiteral(": ") + outcome.reason;
        // A probed duration can be shorter than the piece really is (an ASF probed at 4.4 s ran 6.4 s).
        m_timeOffset += qMax(job.timeLen / 1000, m_log.lastTimeSeconds());
    }

    QString partial;
    if (m_cancel)
        outcome = {false, QStringLiteral("stopped"), FailureKind::Stopped};
    if (outcome.ok) {
        failedName = first.objectName;
        partial = m_namer->partial(MediaRecipes::outputSuffix(first), &outcome.reason);
        outcome.ok = !partial.isEmpty();
        if (!outcome.ok)
            outcome.kind = FailureKind::OutputNotWritable;
    }
    if (outcome.ok) {
        m_joinLength = m_timeOffset;
        const MediaCommand command = MediaRecipes::concatJoin(pieces, first, partial);
        outcome = runTool(kFfmpeg, command.arguments, command.outputPath);
        m_joinLength = -1;
    }
    for (const QString& piece : qAsConst(pieces))
        QFile::remove(piece);
    QString output;
    if (outcome.ok) {
        output = m_namer->claim(partial, MediaRecipes::outputBase(first), MediaRecipes::outputSuffix(first),
                                0, &outcome.reason);
        outcome.ok = !output.isEmpty();
        if (!outcome.ok)
            outcome.kind = FailureKind::OutputNotWritable;
    }
    if (!outcome.ok && !partial.isEmpty())
        QFile::remove(partial);
    // The row of the clip that broke the join carries the failure; a finished join reports on
    // the first row, which stands for the list.
    if (!outcome.ok && failedName != first.objectName)
        finishJob(QString(), failedName, outcome);
    else
        finishJob(output, first.objectName, outcome);
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
    qCDebug(lcMedia).noquote() << "readOutput=====================," << chunk;
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
    qCDebug(lcMedia).nospace() << "hour:" << sample.hours << ",minute:" << sample.minutes
                               << ",second:" << sample.seconds << ",timestr is:" << sample.timeText
                               << ",total is:" << elapsed << ",timelen is:" << m_timeLen
                               << ",progress is:" << progress;
    // Across the pieces of a join the bar never goes back; a piece that ran past its probed
    // length is caught up with by the next one.
    if (m_currentObjectName.isEmpty() || progress < 0 || progress == m_lastProgress ||
        (m_mode == Concatenation && progress < m_lastProgress))
        return;
    m_lastProgress = progress;
    emit setProgress(progress, m_currentObjectName);
}
