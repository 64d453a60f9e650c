#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

// The rules of a selection box dragged over a surface, free of widgets so they can be tested
// as tables. Coordinates are the surface's (the mask's) unless said otherwise.
namespace RegionGeometry {
enum Zone
{
    Inside = 0,
    Left = 1,
    Right = 2,
    Top = 3,
    Bottom = 4,
    TopLeft = 5,
    TopRight = 6,
    BottomLeft = 7,
    BottomRight = 8
};

// Where the box was when the button went down.
struct Press
{
    QRect box;
    QPoint pointer;
};

// The zone under a point given in the box's own coordinates; margin is the depth of the edge zones.
Zone zoneAt(QPoint pointInBox, QSize boxSize, int margin);
Qt::CursorShape cursorFor(Zone zone);

// The box moved by the pointer's displacement since the press, kept inside the surface.
QRect moved(const Press& press, QPoint pointer, QSize surface);

// The box with the edges of zone dragged by the pointer's displacement since the press. Dragged
// edges stop at the surface border and never bring a side below minSide (or the surface's own
// side when that is smaller); the edges not dragged stay where they are.
QRect resized(Zone zone, const Press& press, const QRect& current, QPoint pointer, QSize surface,
              int minSide);
} // namespace RegionGeometry
