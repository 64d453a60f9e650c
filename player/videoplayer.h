#pragma once

#include <QObject>
#include <QString>
#include <atomic>

struct mpv_handle;
struct mpv_render_context;
struct mpv_event;
class VideoOutputWT;

// Plays one file through libmpv and hands its pictures to a VideoOutputWT, rendered in software
// so that it works without a GPU (offscreen, Xvfb). Lives on the GUI thread; mpv's own threads
// only post wake-ups to it. Positions are milliseconds from the start of the media.
class VideoPlayer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VideoPlayer)
public:
    explicit VideoPlayer(QObject* parent = nullptr);
    ~VideoPlayer() override;

    // False when libmpv could not be started; play() then reports error() and nothing else works.
    bool isAvailable() const { return m_mpv != nullptr; }
    void setRenderer(VideoOutputWT* output);
    // Only remembers the file; play() opens it.
    void setFile(const QString& path);
    QString file() const { return m_file; }
    // Opens the file and plays it from the start, also when it was already playing.
    void play();
    void pause(bool paused);
    bool isPaused() const { return m_paused; }
    // From play() until the end of the file or a failure; paused counts as playing.
    bool isPlaying() const { return m_state != State::Stopped; }
    bool isSeekable() const { return m_seekable; }
    qint64 position() const { return m_position; }
    // Positions are rebased to the media's first picture, so the start is always 0.
    qint64 mediaStartPosition() const { return 0; }
    // The duration once the file is open, 0 before.
    qint64 mediaStopPosition() const { return m_duration; }
    // Exact: decodes up to the asked frame. Ignored while stopped.
    void seek(qint64 milliseconds);

signals:
    void started();
    void stopped();
    void positionChanged(qint64 position);
    void seekFinished(qint64 position);
    // The file could not be played; the message is for the user.
    void error(const QString& message);

private:
    enum class State
    {
        Stopped,
        Loading,
        Playing
    };

    static void onWakeup(void* self);
    static void onRenderUpdate(void* self);
    void createCore();
    void createRenderContext();
    void drainEvents();
    void handleEvent(const mpv_event& event);
    void handleProperty(const mpv_event& event);
    void renderUpdate();
    void renderFrame();
    void setPosition(qint64 position);
    void stopWithEnd();
    void startSeek(qint64 milliseconds);

    mpv_handle* m_mpv = nullptr;
    mpv_render_context* m_render = nullptr;
    VideoOutputWT* m_output = nullptr;
    QString m_file;
    State m_state = State::Stopped;
    bool m_paused = false;
    bool m_seekable = false;
    bool m_seekPending = false;
    qint64 m_queuedSeek = -1;
    qint64 m_position = 0;
    qint64 m_duration = 0;
    // Coalesce mpv's wake-ups: one queued call at a time is enough to drain everything.
    std::atomic_bool m_wakeupPosted{false};
    std::atomic_bool m_renderPosted{false};
};
