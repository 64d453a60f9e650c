#include "widgets/regiongeometry.h"

#include <QtGlobal>

namespace RegionGeometry {
namespace {
bool dragsLeft(Zone z)
{
    return z == Left || z == TopLeft || z == BottomLeft;
}
bool dragsRight(Zone z)
{
    return z == Right || z == TopRight || z == BottomRight;
}
bool dragsTop(Zone z)
{
    return z == Top || z == TopLeft || z == TopRight;
}
bool dragsBottom(Zone z)
{
    return z == Bottom || z == BottomLeft || z == BottomRight;
}

struct Span
{
    int start;
    int length;
};

// One axis of a resize. The far edge of the press is the anchor of a near-edge drag and the
// other way round, so the edge that is not dragged never moves.
Span resizeAxis(bool nearEdge, bool farEdge, int start0, int length0, Span current, int delta, int limit,
                int minLength)
{
    const int end0 = start0 + length0;
    if (nearEdge) {
        const int start = qMax(0, qMin(start0 + delta, end0 - minLength));
        return {start, end0 - start};
    }
    if (farEdge) {
        const int end = qMax(current.start + minLength, qMin(end0 + delta, limit));
        return {current.start, end - current.start};
    }
    return current;
}

int clampStart(int start, int length, int limit)
{
    if (start + length > limit)
        start = limit - length;
    return qMax(0, start);
}
} // namespace

Zone zoneAt(QPoint p, QSize size, int m)
{
    const int column = p.x() <= m ? 0 : (p.x() >= size.width() - m ? 2 : 1);
    const int row = p.y() <= m ? 0 : (p.y() >= size.height() - m ? 2 : 1);
    static const Zone table[3][3] = {
        {TopLeft, Top, TopRight}, {Left, Inside, Right}, {BottomLeft, Bottom, BottomRight}};
    return table[row][column];
}

Qt::CursorShape cursorFor(Zone zone)
{
    switch (zone) {
    case Left:
    case Right:
        return Qt::SizeHorCursor;
    case Top:
    case Bottom:
        return Qt::SizeVerCursor;
    case TopLeft:
    case BottomRight:
        return Qt::SizeFDiagCursor;
    case TopRight:
    case BottomLeft:
        return Qt::SizeBDiagCursor;
    case Inside:
        break;
    }
    return Qt::SizeAllCursor;
}

QRect moved(const Press& press, QPoint pointer, QSize surface)
{
    const QPoint target = press.box.topLeft() + (pointer - press.pointer);
    return {clampStart(target.x(), press.box.width(), surface.width()),
            clampStart(target.y(), press.box.height(), surface.height()), press.box.width(),
            press.box.height()};
}

QRect resized(Zone zone, const Press& press, const QRect& current, QPoint pointer, QSize surface, int minSide)
{
    const QPoint delta = pointer - press.pointer;
    const Span x = resizeAxis(dragsLeft(zone), dragsRight(zone), press.box.x(), press.box.width(),
                              {current.x(), current.width()}, delta.x(), surface.width(),
                              qMin(minSide, surface.width()));
    const Span y = resizeAxis(dragsTop(zone), dragsBottom(zone), press.box.y(), press.box.height(),
                              {current.y(), current.height()}, delta.y(), surface.height(),
                              qMin(minSide, surface.height()));
    return {x.start, y.start, x.length, y.length};
}
} // namespace RegionGeometry
