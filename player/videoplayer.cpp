#include "player/videoplayer.h"

#include "platform/logcategories.h"
#include "player/mpvlibrary.h"
#include "player/videooutputwt.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <clocale>
#include <cmath>

namespace {
// Called only once a core exists, which needs the library.
const MpvLibrary& mpv()
{
    return *MpvLibrary::get();
}

enum PropertyId : quint64
{
    kTimePos = 1,
    kDuration,
    kSeekable,
    kPause
};

void setOption(mpv_handle* handle, const char* name, const char* value)
{
    const int status = mpv().set_option_string(handle, name, value);
    if (status < 0)
        qCDebug(lcPlayer) << "mpv option" << name << "=" << value << "refused:" << mpv().error_string(status);
}

// A sound card, or a sound server's socket in the user's runtime folder.
bool hasSoundOutput()
{
    if (!QDir(QStringLiteral("/dev/snd")).entryList(QDir::System | QDir::Files).isEmpty())
        return true;
    if (qEnvironmentVariableIsSet("PULSE_SERVER"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && (QFileInfo::exists(runtime + QStringLiteral("/pulse/native")) ||
                                  QFileInfo::exists(runtime + QStringLiteral("/pipewire-0")));
}

qint64 toMilliseconds(double seconds)
{
    return qint64(std::llround(seconds * 1000.0));
}
} // namespace

VideoPlayer::VideoPlayer(QObject* parent) : QObject(parent)
{
    createCore();
}

VideoPlayer::~VideoPlayer()
{
    // The render context first (that joins the video output thread), then the core (that joins
    // the rest); no callback can reach this object afterwards, and what they already posted
    // dies with it.
    if (m_render)
        mpv().render_context_free(m_render);
    if (m_mpv)
        mpv().terminate_destroy(m_mpv);
}

void VideoPlayer::createCore()
{
    // libmpv refuses to start unless numbers are formatted the C way, and QApplication has
    // already taken LC_NUMERIC from the environment.
    std::setlocale(LC_NUMERIC, "C");
    if (!MpvLibrary::get())
        return;
    m_mpv = mpv().create();
    if (!m_mpv) {
        qCWarning(lcPlayer) << "========== mpv could not be created";
        return;
    }
    setOption(m_mpv, "vo", "libmpv");
    setOption(m_mpv, "hwdec", "no");
    setOption(m_mpv, "idle", "yes");
    // The end of the file is its END_FILE event, which is never coalesced away (eof-reached with
    // keep-open can be: a replay's end then goes unnoticed).
    setOption(m_mpv, "keep-open", "no");
    // Without a sound device the video must still play, on the null output's clock; probing
    // every audio output first only fills the log.
    setOption(m_mpv, "ao", hasSoundOutput() ? "pipewire,pulse,alsa,null" : "null");
    setOption(m_mpv, "audio-fallback-to-null", "yes");
    setOption(m_mpv, "osd-level", "0");
    setOption(m_mpv, "input-default-bindings", "no");
    setOption(m_mpv, "input-vo-keyboard", "no");
    setOption(m_mpv, "load-scripts", "no");
    setOption(m_mpv, "ytdl", "no");
    setOption(m_mpv, "sub-auto", "no");
    if (mpv().initialize(m_mpv) < 0) {
        qCWarning(lcPlayer) << "========== mpv could not be initialised";
        mpv().terminate_destroy(m_mpv);
        m_mpv = nullptr;
        return;
    }
    mpv().request_log_messages(m_mpv, "error");
    mpv().observe_property(m_mpv, kTimePos, "time-pos", MPV_FORMAT_DOUBLE);
    mpv().observe_property(m_mpv, kDuration, "duration", MPV_FORMAT_DOUBLE);
    mpv().observe_property(m_mpv, kSeekable, "seekable", MPV_FORMAT_FLAG);
    mpv().observe_property(m_mpv, kPause, "pause", MPV_FORMAT_FLAG);
    mpv().set_wakeup_callback(m_mpv, &VideoPlayer::onWakeup, this);
    createRenderContext();
}

void VideoPlayer::createRenderContext()
{
    char apiType[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, apiType}, {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv().render_context_create(&m_render, m_mpv, params) < 0) {
        qCWarning(lcPlayer) << "========== mpv software renderer could not be created";
        m_render = nullptr;
        return;
    }
    mpv().render_context_set_update_callback(m_render, &VideoPlayer::onRenderUpdate, this);
}

// Both callbacks run on mpv's threads, where no mpv function may be called: hand over.
void VideoPlayer::onWakeup(void* self)
{
    auto* player = static_cast<VideoPlayer*>(self);
    if (!player->m_wakeupPosted.exchange(true))
        QMetaObject::invokeMethod(
            player, [player] { player->drainEvents(); }, Qt::QueuedConnection);
}

void VideoPlayer::onRenderUpdate(void* self)
{
    auto* player = static_cast<VideoPlayer*>(self);
    if (!player->m_renderPosted.exchange(true))
        QMetaObject::invokeMethod(
            player, [player] { player->renderUpdate(); }, Qt::QueuedConnection);
}

void VideoPlayer::setRenderer(VideoOutputWT* output)
{
    if (m_output)
        disconnect(m_output, nullptr, this, nullptr);
    m_output = output;
    if (m_output)
        connect(m_output, &VideoOutputWT::surfaceResized, this, &VideoPlayer::renderFrame);
}

void VideoPlayer::setFile(const QString& path)
{
    m_file = path;
}

void VideoPlayer::play()
{
    if (!m_mpv || !m_render) {
        QMetaObject::invokeMethod(
            this, [this] { emit error(tr("视频预览组件无法启动")); }, Qt::QueuedConnection);
        return;
    }
    if (m_file.isEmpty() || !QFileInfo(m_file).isFile()) {
        QMetaObject::invokeMethod(
            this, [this] { emit error(tr("视频文件不存在，无法预览")); }, Qt::QueuedConnection);
        return;
    }
    m_state = State::Loading;
    m_paused = false;
    m_seekPending = false;
    m_queuedSeek = -1;
    m_seekable = false;
    setPosition(0);
    int no = 0;
    mpv().set_property(m_mpv, "pause", MPV_FORMAT_FLAG, &no);
    const QByteArray path = QFileInfo(m_file).absoluteFilePath().toUtf8();
    const char* command[] = {"loadfile", path.constData(), "replace", nullptr};
    const int status = mpv().command(m_mpv, command);
    if (status < 0) {
        m_state = State::Stopped;
        emit error(tr("无法打开该视频：") + QString::fromUtf8(mpv().error_string(status)));
    }
}

void VideoPlayer::pause(bool paused)
{
    if (!m_mpv)
        return;
    m_paused = paused;
    int flag = paused ? 1 : 0;
    mpv().set_property_async(m_mpv, 0, "pause", MPV_FORMAT_FLAG, &flag);
}

void VideoPlayer::seek(qint64 milliseconds)
{
    if (!m_mpv || m_state == State::Stopped)
        return;
    if (m_state == State::Loading) {
        // mpv takes no seek before the file is open; do it when it is.
        m_queuedSeek = milliseconds;
        return;
    }
    startSeek(milliseconds);
}

void VideoPlayer::startSeek(qint64 milliseconds)
{
    const QByteArray seconds = QByteArray::number(double(qMax<qint64>(0, milliseconds)) / 1000.0, 'f', 3);
    const char* command[] = {"seek", seconds.constData(), "absolute+exact", nullptr};
    if (mpv().command_async(m_mpv, 0, command) >= 0)
        m_seekPending = true;
}

void VideoPlayer::drainEvents()
{
    m_wakeupPosted = false;
    while (m_mpv) {
        mpv_event* event = mpv().wait_event(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(*event);
    }
}

void VideoPlayer::handleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_FILE_LOADED:
        if (m_state == State::Loading) {
            m_state = State::Playing;
            emit started();
            if (m_queuedSeek >= 0) {
                startSeek(m_queuedSeek);
                m_queuedSeek = -1;
            }
        }
        break;
    case MPV_EVENT_END_FILE: {
        const auto* end = static_cast<const mpv_event_end_file*>(event.data);
        // STOP is the file being replaced by play(); the new one follows.
        if (end->reason == MPV_END_FILE_REASON_ERROR && m_state != State::Stopped) {
            const bool wasOpen = m_state == State::Playing;
            m_state = State::Stopped;
            if (wasOpen)
                emit stopped();
            emit error(tr("无法播放该视频：") + QString::fromUtf8(mpv().error_string(end->error)));
        } else if (end->reason == MPV_END_FILE_REASON_EOF) {
            stopWithEnd();
        }
        break;
    }
    case MPV_EVENT_PLAYBACK_RESTART:
        if (m_seekPending) {
            m_seekPending = false;
            double seconds = 0;
            if (mpv().get_property(m_mpv, "time-pos", MPV_FORMAT_DOUBLE, &seconds) >= 0)
                setPosition(toMilliseconds(seconds));
            emit seekFinished(m_position);
        }
        break;
    case MPV_EVENT_PROPERTY_CHANGE:
        handleProperty(event);
        break;
    case MPV_EVENT_LOG_MESSAGE: {
        const auto* message = static_cast<const mpv_event_log_message*>(event.data);
        qCDebug(lcPlayer) << "mpv" << message->prefix << QString::fromUtf8(message->text).trimmed();
        break;
    }
    default:
        break;
    }
}

void VideoPlayer::handleProperty(const mpv_event& event)
{
    const auto* property = static_cast<const mpv_event_property*>(event.data);
    const bool has = property->format != MPV_FORMAT_NONE && property->data;
    switch (event.reply_userdata) {
    case kTimePos:
        if (has && m_state == State::Playing)
            setPosition(toMilliseconds(*static_cast<double*>(property->data)));
        break;
    case kDuration:
        if (has)
            m_duration = toMilliseconds(*static_cast<double*>(property->data));
        break;
    case kSeekable:
        m_seekable = has && *static_cast<int*>(property->data) != 0;
        break;
    case kPause:
        if (has)
            m_paused = *static_cast<int*>(property->data) != 0;
        break;
    default:
        break;
    }
}

void VideoPlayer::stopWithEnd()
{
    if (m_state != State::Playing)
        return;
    m_state = State::Stopped;
    m_seekPending = false;
    emit stopped();
}

void VideoPlayer::setPosition(qint64 position)
{
    if (position == m_position)
        return;
    m_position = position;
    emit positionChanged(position);
}

void VideoPlayer::renderUpdate()
{
    m_renderPosted = false;
    if (m_render && (mpv().render_context_update(m_render) & MPV_RENDER_UPDATE_FRAME))
        renderFrame();
}

void VideoPlayer::renderFrame()
{
    // Once stopped, mpv has let its video output go and would render black: the output keeps
    // showing the last picture instead.
    if (!m_render || !m_output || m_state == State::Stopped)
        return;
    QImage& surface = m_output->surface();
    if (surface.isNull())
        return;
    int size[2] = {surface.width(), surface.height()};
    char format[] = "rgb0";
    size_t stride = size_t(surface.bytesPerLine());
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, size},
                                 {MPV_RENDER_PARAM_SW_FORMAT, format},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, surface.bits()},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv().render_context_render(m_render, params) >= 0)
        m_output->presentSurface();
}
