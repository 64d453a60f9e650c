#include "player/videooutputwt.h"

#include <QLabel>
#include <QPainter>
#include <QResizeEvent>
#include <cstdlib>

namespace {
// mpv's software renderer takes its fast path only for 64-byte aligned rows and buffers.
QImage alignedImage(const QSize& size)
{
    const int stride = (size.width() * 4 + 63) / 64 * 64;
    void* data = std::aligned_alloc(64, size_t(stride) * size_t(size.height()));
    if (!data)
        return {};
    return QImage(
        static_cast<uchar*>(data), size.width(), size.height(), stride, QImage::Format_RGBX8888,
        [](void* buffer) { std::free(buffer); }, data);
}
} // namespace

VideoOutputWT::VideoOutputWT(QWidget* parent) : QWidget(parent), m_notice(new QLabel(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setWordWrap(true);
    m_notice->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_notice->setStyleSheet(QStringLiteral(
        "QLabel{color:white;background-color:rgba(0,0,0,160);border-radius:6px;padding:12px 20px;}"));
    m_notice->hide();
}

QImage& VideoOutputWT::surface()
{
    const QSize pixels = size() * devicePixelRatioF();
    if (m_surface.size() != pixels) {
        m_surface = pixels.isEmpty() ? QImage() : alignedImage(pixels);
        m_surface.setDevicePixelRatio(devicePixelRatioF());
    }
    return m_surface;
}

void VideoOutputWT::presentSurface()
{
    m_hasFrame = !m_surface.isNull();
    m_framePending = m_hasFrame;
    update();
}

void VideoOutputWT::setNotice(const QString& text)
{
    m_notice->setText(text);
    m_notice->setVisible(!text.isEmpty());
    if (text.isEmpty())
        return;
    m_notice->setMaximumWidth(qMax(100, width() - 40));
    m_notice->adjustSize();
    m_notice->move((width() - m_notice->width()) / 2, (height() - m_notice->height()) / 2);
    // Above whatever was laid over the picture since (the crop mask).
    m_notice->raise();
}

QString VideoOutputWT::notice() const
{
    return m_notice->isVisible() ? m_notice->text() : QString();
}

void VideoOutputWT::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (!m_hasFrame) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    if (m_surface.size() != size() * devicePixelRatioF()) {
        // Resized while nothing renders (stopped): the last picture, stretched, until the next.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_surface);
        return;
    }
    painter.drawImage(event->rect(), m_surface,
                      QRectF(QPointF(event->rect().topLeft()) * devicePixelRatioF(),
                             QSizeF(event->rect().size()) * devicePixelRatioF()));
    if (m_framePending) {
        m_framePending = false;
        emit framePainted();
    }
}

void VideoOutputWT::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_notice->isVisible())
        setNotice(m_notice->text());
    emit surfaceResized();
}
