#pragma once

#include <QImage>
#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <memory>

// Takes one frame of each video with the application's ffmpeg, off the GUI thread, for the
// thumbnails of the media rows. Lives in the GUI thread; frameReady arrives there.
class FrameGrabber final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FrameGrabber)
public:
    explicit FrameGrabber(QObject* parent = nullptr);
    // Kills the running grabs and waits for them: a page going away leaves no ffmpeg behind.
    ~FrameGrabber() override;

    // durationMs picks the moment: a frame a little way in says more than the first, often black.
    void request(quint64 key, const QString& path, qint64 durationMs);
    // Grabs not yet reported are dropped (the rows they were for are gone).
    void cancelAll();
    // Waits until every request so far has been reported or dropped; for tests and benchmarks.
    bool waitForIdle(int msecs);

    static qint64 seekPoint(qint64 durationMs);
    static QStringList arguments(const QString& input, qint64 seekMs, const QString& output);

signals:
    // frame is null when ffmpeg found none.
    void frameReady(quint64 key, const QImage& frame);

private:
    QString tempDir();
    static QImage grab(const QString& input, qint64 seekMs, const QString& output,
                       const std::atomic_bool* cancel);

    QThreadPool m_pool;
    std::shared_ptr<std::atomic_bool> m_cancel;
    QString m_tempDir;
};
