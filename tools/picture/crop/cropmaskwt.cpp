#include "tools/picture/crop/cropmaskwt.h"

#include "tools/picture/crop/cropcapwt.h"

#include <QImageReader>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>

namespace {
// Beyond this many pixels the scaled picture is not kept: at 400 % a photo would take gigabytes.
constexpr qint64 kMaxCachedPixels = 4000LL * 3000LL;

QPixmap readUpright(const QString& path)
{
    QImageReader reader(path);
    // Shown as a viewer shows it, the same way the crop is cut: turned by its EXIF orientation.
    reader.setAutoTransform(true);
    return QPixmap::fromImage(reader.read());
}
} // namespace

CropMaskWT::CropMaskWT(const QString& sourcePath, QWidget* pictureArea)
    : RegionMaskWT(pictureArea), m_sourcePath(sourcePath), m_picture(readUpright(sourcePath))
{
    adoptBox(new CropCapWT(this));
}

CropCapWT* CropMaskWT::cropCap() const
{
    return static_cast<CropCapWT*>(box());
}

void CropMaskWT::paintSurface(QPainter& painter, const QPixmap& picture, QSize mask, const QRect& box,
                              const QRect& exposed)
{
    if (!picture.isNull() && !mask.isEmpty()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (picture.size() == mask) {
            painter.drawPixmap(exposed, picture, exposed);
        } else {
            const qreal sx = qreal(picture.width()) / mask.width();
            const qreal sy = qreal(picture.height()) / mask.height();
            const QRectF source(exposed.x() * sx, exposed.y() * sy, exposed.width() * sx,
                                exposed.height() * sy);
            painter.drawPixmap(QRectF(exposed), picture, source);
        }
    }
    QLinearGradient gradient(0, 0, mask.width(), mask.height());
    const QColor veil(105, 110, 114, 150);
    gradient.setColorAt(0, veil);
    gradient.setColorAt(0.5, veil);
    gradient.setColorAt(1, veil);
    paintBands(painter, mask, box, QBrush(gradient));
}

void CropMaskWT::paintEvent(QPaintEvent* event)
{
    if (m_picture.isNull())
        return;
    if (m_scaled.isNull() && qint64(width()) * height() <= kMaxCachedPixels)
        m_scaled = m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(this);
    paintSurface(painter, m_scaled.isNull() ? m_picture : m_scaled, size(), boxRect(), event->rect());
}

void CropMaskWT::resizeEvent(QResizeEvent* event)
{
    m_scaled = QPixmap();
    RegionMaskWT::resizeEvent(event);
}
