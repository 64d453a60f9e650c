#include "widgets/regionboxwt.h"

#include "platform/logcategories.h"
#include "style/styledbackground.h"

#include <QDebug>
#include <QMouseEvent>
#include <QPainter>

using namespace RegionGeometry;

RegionBoxWT::RegionBoxWT(const RegionLook& look, QWidget* mask) : QWidget(mask), m_look(look)
{
    setContentsMargins(0, 0, 0, 0);
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("capturingDialog"));
    resize(900, 500);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    setCursor(Qt::SizeAllCursor);
}

void RegionBoxWT::paintHandles(QPainter& painter, QSize size, const RegionLook& look)
{
    const int w = size.width();
    const int h = size.height();
    const int t = look.thickness;
    const int c = look.cornerLength;
    const int m = look.middleLength;
    const QRect marks[] = {
        {0, h / 2 - m / 2, t, m},
        {w - t, h / 2 - m / 2, t, m}, // left and right middle
        {w / 2 - m / 2, 0, m, t},
        {w / 2 - m / 2, h - t, m, t}, // top and bottom middle
        {0, 0, c, t},
        {0, 0, t, c}, // top-left
        {w - c, 0, c, t},
        {w - t, 0, t, c}, // top-right
        {0, h - c, t, c},
        {0, h - t, c, t}, // bottom-left
        {w - t, h - c, t, c},
        {w - c, h - t, c, t}, // bottom-right
    };
    for (const QRect& mark : marks)
        painter.fillRect(mark, look.handleColour);
}

void RegionBoxWT::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    m_moving = m_resizing = false;
    m_press = {geometry(), mapToParent(event->pos())};
    // The zone under the press decides the drag: a quick first move must not turn an edge grab
    // into a move.
    setZone(zoneAt(event->pos(), size(), m_look.edgeMargin));
}

void RegionBoxWT::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint inMask = mapToParent(event->pos());
    const Zone hovered = zoneAt(event->pos(), size(), m_look.edgeMargin);
    // A drag keeps the cursor of the zone it grabbed.
    setCursor(cursorFor(m_pressed ? m_zone : hovered));
    if (m_pressed && !m_resizing && !m_moving) {
        m_resizing = m_zone != Inside;
        m_moving = !m_resizing;
        qCDebug(lcWidgets) << (m_resizing ? "resize" : "move");
    }
    if (m_resizing)
        applyResize(inMask);
    else if (m_moving)
        applyMove(inMask);
    else
        setZone(hovered);
}

void RegionBoxWT::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_moving)
        setCursor(Qt::ArrowCursor);
    m_pressed = m_moving = m_resizing = false;
    setZone(Inside);
}

void RegionBoxWT::leaveEvent(QEvent* event)
{
    if (!m_pressed)
        setZone(Inside);
    QWidget::leaveEvent(event);
}

void RegionBoxWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
    QPainter painter(this);
    paintHandles(painter, size(), m_look);
}

void RegionBoxWT::setZone(Zone zone)
{
    if (zone == m_zone)
        return;
    m_zone = zone;
    update();
}

void RegionBoxWT::applyResize(QPoint pointerInMask)
{
    setGeometry(resized(m_zone, m_press, geometry(), pointerInMask, bounds(), 2 * m_look.edgeMargin));
    emit parentMove();
}

void RegionBoxWT::applyMove(QPoint pointerInMask)
{
    move(moved(m_press, pointerInMask, bounds()).topLeft());
    emit parentMove();
}

QSize RegionBoxWT::bounds() const
{
    return parentWidget() ? parentWidget()->size() : size();
}
