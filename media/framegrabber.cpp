#include "media/framegrabber.h"

#include "platform/apppaths.h"
#include "platform/toollauncher.h"

#include <QDir>
#include <QFile>
#include <QMetaObject>

#include <utility>

namespace {
const QString kFfmpeg = QStringLiteral("decoder/common/ffmpeg");
// A frame taken this far in is past most fade-ins; short clips use a third of their length.
constexpr qint64 kSeekMs = 3000;
constexpr int kGrabWaitMs = 30000;
constexpr int kListingPauseMs = 150;
// Files per ffmpeg: start-up (some 70 ms) is most of a key-frame grab, and the first frames
// still come soon.
constexpr int kBatchSize = 8;
const QString kScale = QStringLiteral("scale=300:180:force_original_aspect_ratio=decrease");
} // namespace

FrameGrabber::FrameGrabber(QObject* parent)
    : QObject(parent), m_cancel(std::make_shared<std::atomic_bool>(false))
{
    // Two at a time: ffmpeg is quick at one frame, and the converting jobs share the cores.
    m_pool.setMaxThreadCount(2);
    m_startTimer.setSingleShot(true);
    m_startTimer.setInterval(kListingPauseMs);
    connect(&m_startTimer, &QTimer::timeout, this, &FrameGrabber::startPending);
}

FrameGrabber::~FrameGrabber()
{
    *m_cancel = true;
    m_pool.clear();
    m_pool.waitForDone();
    if (!m_tempDir.isEmpty())
        QDir(m_tempDir).removeRecursively();
}

qint64 FrameGrabber::seekPoint(qint64 durationMs)
{
    if (durationMs <= 0)
        return 0;
    return qMin(kSeekMs, durationMs / 3);
}

QStringList FrameGrabber::arguments(const QString& input, qint64 seekMs, const QString& output)
{
    // Seeking before the input is fast (to the key frame before the point); one small frame,
    // no sound, one thread.
    return {QStringLiteral("-hide_banner"),
            QStringLiteral("-nostdin"),
            QStringLiteral("-loglevel"),
            QStringLiteral("error"),
            QStringLiteral("-threads"),
            QStringLiteral("1"),
            QStringLiteral("-ss"),
            QString::number(seekMs / 1000.0, 'f', 3),
            QStringLiteral("-i"),
            input,
            QStringLiteral("-an"),
            QStringLiteral("-frames:v"),
            QStringLiteral("1"),
            QStringLiteral("-vf"),
            kScale,
            QStringLiteral("-y"),
            output};
}

QStringList FrameGrabber::batchArguments(const QVector<Grab>& grabs)
{
    // -copyts: without it the key frame before the moment has a time below zero and is dropped.
    QStringList arguments{QStringLiteral("-hide_banner"), QStringLiteral("-nostdin"),
                          QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-copyts")};
    for (const Grab& grab : grabs) {
        arguments << QStringLiteral("-threads") << QStringLiteral("1") << QStringLiteral("-noaccurate_seek")
                  << QStringLiteral("-skip_frame") << QStringLiteral("nokey") << QStringLiteral("-ss")
                  << QString::number(grab.seekMs / 1000.0, 'f', 3) << QStringLiteral("-i") << grab.input;
    }
    for (int i = 0; i < grabs.size(); ++i) {
        arguments << QStringLiteral("-map") << QStringLiteral("%1:v:0").arg(i) << QStringLiteral("-frames:v")
                  << QStringLiteral("1") << QStringLiteral("-vf") << kScale << QStringLiteral("-update")
                  << QStringLiteral("1") << QStringLiteral("-y") << grabs.at(i).output;
    }
    return arguments;
}

QString FrameGrabber::tempDir()
{
    if (m_tempDir.isEmpty())
        m_tempDir = AppPaths::makeRunTempDir(QStringLiteral("frames"));
    return m_tempDir;
}

void FrameGrabber::request(quint64 key, const QString& path, qint64 durationMs)
{
    m_pending.append({key, QDir::cleanPath(QDir::current().absoluteFilePath(path)), seekPoint(durationMs)});
    m_startTimer.start();
}

void FrameGrabber::startPending()
{
    const QString dir = tempDir();
    const QVector<Request> pending = std::exchange(m_pending, {});
    if (dir.isEmpty()) {
        for (const Request& request : pending)
            emit frameReady(request.key, QImage());
        return;
    }
    for (int first = 0; first < pending.size(); first += kBatchSize)
        startBatch(pending.mid(first, kBatchSize), dir);
}

void FrameGrabber::startBatch(const QVector<Request>& batch, const QString& dir)
{
    QVector<Grab> grabs;
    for (const Request& request : batch) {
        grabs.append({request.input, request.seekMs,
                      QDir(dir).filePath(QStringLiteral("frame-%1.bmp").arg(request.key))});
    }
    const std::shared_ptr<std::atomic_bool> cancel = m_cancel;
    m_pool.start([this, batch, grabs, cancel] {
        if (*cancel)
            return;
        ToolLauncher::run(kFfmpeg, batchArguments(grabs), kGrabWaitMs, cancel.get());
        for (int i = 0; i < batch.size() && !*cancel; ++i) {
            const Grab& one = grabs.at(i);
            QImage frame = takeImage(one.output);
            // One file ffmpeg cannot open fails the whole batch, and a stream without key-frame
            // marks gives nothing: those files are taken one by one, the careful way, and a seek
            // past the last frame then falls back to the first.
            if (frame.isNull())
                frame = grab(one.input, one.seekMs, one.output, cancel.get());
            if (frame.isNull() && one.seekMs > 0 && !*cancel)
                frame = grab(one.input, 0, one.output, cancel.get());
            if (*cancel)
                return;
            // The grabber outlives this task (its destructor waits for the pool), and an event
            // still queued when it goes is dropped with it.
            const quint64 key = batch.at(i).key;
            QMetaObject::invokeMethod(
                this,
                [this, key, frame, cancel] {
                    if (!*cancel)
                        emit frameReady(key, frame);
                },
                Qt::QueuedConnection);
        }
    });
}

QImage FrameGrabber::grab(const QString& input, qint64 seekMs, const QString& output,
                          const std::atomic_bool* cancel)
{
    ToolLauncher::run(kFfmpeg, arguments(input, seekMs, output), kGrabWaitMs, cancel);
    return takeImage(output);
}

QImage FrameGrabber::takeImage(const QString& path)
{
    QImage frame(path);
    QFile::remove(path);
    return frame;
}

void FrameGrabber::cancelAll()
{
    m_pending.clear();
    m_startTimer.stop();
    *m_cancel = true;
    m_pool.clear();
    m_cancel = std::make_shared<std::atomic_bool>(false);
}

bool FrameGrabber::waitForIdle(int msecs)
{
    if (!m_pending.isEmpty())
        startPending();
    return m_pool.waitForDone(msecs);
}
