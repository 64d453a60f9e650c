#include "tools/editing/cutsliderwt.h"

#include "platform/logcategories.h"
#include "style/palette.h"

#include <QDebug>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {
QLabel* imageLabel(const QString& icon, int width, int height, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setFixedSize(width, height);
    label->setPixmap(QPixmap(icon));
    label->setScaledContents(true);
    // Presses go to the slider, which decides by position which marker they take.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

bool inSpan(int x, const QLabel* label)
{
    return x >= label->x() && x <= label->x() + label->width();
}
} // namespace

CutSliderWT::CutSliderWT(QWidget* parent)
    : QWidget(parent), m_lower(imageLabel(QStringLiteral(":/icons/icons/lower_pointer.png"), kPointerWidth,
                                          kPointerHeight, this)),
      m_upper(
          imageLabel(QStringLiteral(":/icons/icons/lower_pointer.png"), kPointerWidth, kPointerHeight, this)),
      m_playMarker(
          imageLabel(QStringLiteral(":/icons/icons/play_process.png"), kMarkerSize, kMarkerSize, this))
{
    setFixedSize(kWidth, kHeight);
    m_playMarker->move(0, (kHeight - kMarkerSize) / 2);
    m_lower->move(0, kHeight / 2);
    // Two pixels beyond the track: once dragged, it never gets back there.
    m_upper->move(kWidth - kPointerWidth, kHeight / 2);
    m_playMarker->raise();
}

void CutSliderWT::setMaxValue(double value)
{
    m_maximum = value;
}

void CutSliderWT::setMinValue(double value)
{
    m_minimum = value;
}

void CutSliderWT::setProcessValue(double value)
{
    m_value = value;
    m_playMarker->move(positionOfValue(value), m_playMarker->y());
    update();
}

int CutSliderWT::valueOfPosition(int x) const
{
    return int(double(x) / kTrackLength * (m_maximum - m_minimum) + m_minimum);
}

int CutSliderWT::positionOfValue(double value) const
{
    // A clip shorter than a second has an empty range: everything sits at the start.
    if (m_maximum == m_minimum)
        return 0;
    const double x = (value - m_minimum) * kTrackLength / (m_maximum - m_minimum);
    return int(qBound(-1e6, x, 1e6));
}

int CutSliderWT::playMarkerX() const
{
    return m_playMarker->x();
}

int CutSliderWT::lowerPointerX() const
{
    return m_lower->x();
}

int CutSliderWT::upperPointerX() const
{
    return m_upper->x();
}

CutSliderWT::Handle CutSliderWT::handleAt(const QPoint& point) const
{
    const int x = point.x();
    const bool onMarker = inSpan(x, m_playMarker);
    // Where the play marker overlaps a pointer, its own height decides: above it the marker.
    const bool aboveMarkerBottom = point.y() < m_playMarker->y() + m_playMarker->height();
    if (onMarker && inSpan(x, m_lower))
        return aboveMarkerBottom ? PlayMarker : LowerPointer;
    if (onMarker && inSpan(x, m_upper))
        return aboveMarkerBottom ? PlayMarker : UpperPointer;
    if (onMarker)
        return PlayMarker;
    if (inSpan(x, m_lower))
        return LowerPointer;
    if (inSpan(x, m_upper))
        return UpperPointer;
    return NoHandle;
}

void CutSliderWT::mousePressEvent(QMouseEvent* event)
{
    const Handle handle = handleAt(event->pos());
    if (handle != NoHandle)
        m_pressed = handle;
    qCDebug(lcTools) << "pressHandle is :" << m_pressed;
}

void CutSliderWT::mouseMoveEvent(QMouseEvent* event)
{
    dragTo(qBound(0, event->pos().x(), kTrackLength));
}

void CutSliderWT::dragTo(int x)
{
    switch (m_pressed) {
    case PlayMarker:
        m_playMarker->move(x, m_playMarker->y());
        update();
        qCDebug(lcTools) << "slider value is :" << valueOfPosition(x);
        emit processPositonChange(valueOfPosition(x));
        break;
    case LowerPointer:
        x = qMin(x, m_upper->x() - m_upper->width());
        m_lower->move(x, m_lower->y());
        update();
        qCDebug(lcTools) << "slider value is :" << valueOfPosition(x);
        emit lowerPositionChanged(valueOfPosition(x));
        break;
    case UpperPointer:
        x = qMax(x, m_lower->x() + m_lower->width());
        m_upper->move(x, m_upper->y());
        update();
        qCDebug(lcTools) << "slider value is :" << valueOfPosition(x);
        emit upperPositionChanged(valueOfPosition(x));
        break;
    case NoHandle:
        break;
    }
}

void CutSliderWT::mouseReleaseEvent(QMouseEvent*)
{
    m_pressed = NoHandle;
}

void CutSliderWT::paintTrack(QPainter& painter, int height, int playX, int lowerX, int upperX)
{
    const int top = height / 7 * 3;
    const int barHeight = height / 7;
    const int played = qBound(0, playX, kTrackLength);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette::color(Palette::kTrackPlayed));
    painter.drawRoundedRect(QRect(0, top, played, barHeight), 4, 4);
    painter.setBrush(Palette::color(Palette::kTrackRest));
    painter.drawRoundedRect(QRect(played, top, kTrackLength - played, barHeight), 4, 4);
    painter.setBrush(Palette::color(Palette::kTrackSelection));
    painter.drawRoundedRect(QRect(lowerX, top, upperX - lowerX, barHeight), 4, 4);
}

void CutSliderWT::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintTrack(painter, height(), m_playMarker->x(), m_lower->x(), m_upper->x());
}
