#include "media/framegrabber.h"

#include "platform/apppaths.h"
#include "platform/toollauncher.h"

#include <QDir>
#include <QFile>
#include <QMetaObject>

namespace {
const QString kFfmpeg = QStringLiteral("decoder/common/ffmpeg");
// A frame taken this far in is past most fade-ins; short clips use a third of their length.
constexpr qint64 kSeekMs = 3000;
constexpr int kGrabWaitMs = 30000;
} // namespace

FrameGrabber::FrameGrabber(QObject* parent)
    : QObject(parent), m_cancel(std::make_shared<std::atomic_bool>(false))
{
    // Two at a time: ffmpeg is quick at one frame, and the converting jobs share the cores.
    m_pool.setMaxThreadCount(2);
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
            QStringLiteral("scale=300:180:force_original_aspect_ratio=decrease"),
            QStringLiteral("-y"),
            output};
}

QString FrameGrabber::tempDir()
{
    if (m_tempDir.isEmpty())
        m_tempDir = AppPaths::makeRunTempDir(QStringLiteral("frames"));
    return m_tempDir;
}

void FrameGrabber::request(quint64 key, const QString& path, qint64 durationMs)
{
    const QString dir = tempDir();
    if (dir.isEmpty()) {
        emit frameReady(key, QImage());
        return;
    }
    const QString output = QDir(dir).filePath(QStringLiteral("frame-%1.png").arg(key));
    const QString input = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    const qint64 seek = seekPoint(durationMs);
    const std::shared_ptr<std::atomic_bool> cancel = m_cancel;
    m_pool.start([this, key, input, seek, output, cancel] {
        if (*cancel)
            return;
        QImage frame = grab(input, seek, output, cancel.get());
        // A seek past the last key frame can give nothing; the first frame then does.
        if (frame.isNull() && seek > 0 && !*cancel)
            frame = grab(input, 0, output, cancel.get());
        if (*cancel)
            return;
        // The grabber outlives this task (its destructor waits for the pool), and an event still
        // queued when it goes is dropped with it.
        QMetaObject::invokeMethod(
            this,
            [this, key, frame, cancel] {
                if (!*cancel)
                    emit frameReady(key, frame);
            },
            Qt::QueuedConnection);
    });
}

QImage FrameGrabber::grab(const QString& input, qint64 seekMs, const QString& output,
                          const std::atomic_bool* cancel)
{
    ToolLauncher::run(kFfmpeg, arguments(input, seekMs, output), kGrabWaitMs, cancel);
    QImage frame(output);
    QFile::remove(output);
    return frame;
}

void FrameGrabber::cancelAll()
{
    *m_cancel = true;
    m_pool.clear();
    m_cancel = std::make_shared<std::atomic_bool>(false);
}

bool FrameGrabber::waitForIdle(int msecs)
{
    return m_pool.waitForDone(msecs);
}
