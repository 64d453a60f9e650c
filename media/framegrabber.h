#pragma once

#include <QImage>
#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>
#include <QVector>

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

    struct Grab
    {
        QString input;
        qint64 seekMs;
        QString output;
    };

    static qint64 seekPoint(qint64 durationMs);
    // One file, decoded from its key frame up to the exact moment: the careful way.
    static QStringList arguments(const QString& input, qint64 seekMs, const QString& output);
    // Several files in one ffmpeg, each its key frame at or before the moment: no decoding past
    // it, and one start-up for all.
    static QStringList batchArguments(const QVector<Grab>& grabs);

signals:
    // frame is null when ffmpeg found none.
    void frameReady(quint64 key, const QImage& frame);

private:
    struct Request
    {
        quint64 key;
        QString input;
        qint64 seekMs;
    };

    void startPending();
    void startBatch(const QVector<Request>& batch, const QString& dir);
    QString tempDir();
    static QImage grab(const QString& input, qint64 seekMs, const QString& output,
                       const std::atomic_bool* cancel);
    static QImage takeImage(const QString& path);

    QThreadPool m_pool;
    // Requests wait until the rows that made them are listed: ffmpeg started at once would take
    // the cores from the GUI thread while it builds the list.
    QTimer m_startTimer;
    QVector<Request> m_pending;
    std::shared_ptr<std::atomic_bool> m_cancel;
    QString m_tempDir;
};
